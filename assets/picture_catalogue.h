// The catalogue of embedded pictures: which sprite (or the one plain image)
// each load step creates, in the order of the load, with the label and the
// German message that names it when it cannot be created.
#pragma once

#include <string>
#include <vector>

// How a picture is drawn: at its own size, zoomed to the whole screen (the
// backgrounds, the paytable page, the wheel frames), or zoomed by the risk
// ladder's percentages. A zoomed picture is only ever drawn at that one size.
enum class PictureZoom { None, FullScreen, Ladder };

struct PictureStep {
    const char* kind;     // "sprite" or "image" (the embedded table's kind)
    int number;           // sprite or image number
    std::string label;    // the catalogue label
    std::string message;  // the text of the "Fehler" box
    PictureZoom zoom = PictureZoom::None;
};

// Every step of LoadPictures, in load order (sprite 19 once; its variant is
// chosen by the language when it is loaded).
const std::vector<PictureStep>& PictureLoadOrder();
