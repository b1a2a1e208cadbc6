// The catalogue of embedded pictures: which sprite (or the one plain image)
// each load step creates, in the order of the load, with the label and the
// German message that names it when it cannot be created.
#pragma once

#include <string>
#include <vector>

struct PictureStep {
    const char* kind;     // "sprite" or "image" (the embedded table's kind)
    int number;           // sprite or image number
    std::string label;    // the catalogue label
    std::string message;  // the text of the "Fehler" box
};

// Every step of LoadPictures, in load order (sprite 19 once; its variant is
// chosen by the language when it is loaded).
const std::vector<PictureStep>& PictureLoadOrder();
