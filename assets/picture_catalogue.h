// The catalogue of embedded pictures, written once: every picture with its
// number, label, size, pixel format and the way it is drawn. The loader takes
// its load order and error messages from it, the asset forge checks every
// picture it makes against it, and the tests compare the forged files with it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// How a picture is drawn: at its own size, zoomed to the whole screen (the
// backgrounds, the paytable page, the wheel frames), or zoomed by the risk
// ladder's percentages. A zoomed picture is only ever drawn at that one size.
enum class PictureZoom { None, FullScreen, Ladder };

// One picture of the catalogue. `kind` is "sprite", "image" (the message
// box, a plain image) or "picture" (the loading picture, drawn before the
// catalogue is loaded). `variant` 1 is the English paytable page. `file` is
// the catalogue number whose file the picture shares (sprite 87 is drawn from
// the file of sprite 14).
struct PictureEntry {
    const char* kind;
    int number;
    int variant;
    const char* label;   // names the picture in its load error
    int width, height;   // as forged, before any zoom
    const char* format;  // PNG pixel format: "RGBA8", "RGBA16" or "RGB8"
    PictureZoom zoom;
    int file;
};

namespace picture_catalogue_rows {
constexpr PictureZoom Own = PictureZoom::None, Screen = PictureZoom::FullScreen, Ladder = PictureZoom::Ladder;

// A sprite drawn from its own file.
constexpr PictureEntry Sprite(int number, const char* label, int w, int h, const char* format,
                              PictureZoom zoom = Own) {
    return {"sprite", number, 0, label, w, h, format, zoom, number};
}
constexpr PictureEntry Symbol(int number, const char* label) {
    return Sprite(number, label, 1000, 800, "RGBA8");
}
constexpr PictureEntry Rung(int number, const char* label) {
    return Sprite(number, label, 181, 807, "RGBA16", Ladder);
}
constexpr PictureEntry Button(int number, const char* label) {
    return Sprite(number, label, 174, 66, "RGBA16");
}
constexpr PictureEntry WheelFrame(int number, const char* label) {
    return Sprite(number, label, 1600, 950, "RGBA8", Screen);
}

// In the order LoadPictures creates them; the English page and the loading
// picture, which the load does not step through, come last.
// clang-format off
inline constexpr PictureEntry kRows[] = {
    // The animation sheets of the thirteen symbols and the scatter.
    Symbol(0, "1"), Symbol(1, "2"), Symbol(2, "3"), Symbol(3, "4"),
    Symbol(4, "5"), Symbol(5, "6"), Symbol(6, "7"), Symbol(7, "8"),
    Symbol(8, "9"), Symbol(9, "10"), Symbol(10, "11"), Symbol(11, "12"),
    Symbol(12, "13"), Symbol(13, "14"),
    // The win-amount panel, twice from one file.
    Sprite(14, "15", 200, 160, "RGBA8"),
    {"sprite", 87, 0, "15", 200, 160, "RGBA8", PictureZoom::None, 14},
    // The respin sheet of the reels.
    Sprite(17, "16", 1800, 4320, "RGBA8"),
    // The level icons 2..5.
    Sprite(82, "p2", 91, 73, "RGBA8"),
    Sprite(83, "p3", 91, 72, "RGBA8"),
    Sprite(84, "p4", 91, 70, "RGBA8"),
    Sprite(85, "p5", 91, 69, "RGBA8"),
    // Title logo, background, paytable page, free-games lettering.
    Sprite(16, "a1", 1500, 850, "RGBA8"),
    Sprite(15, "a2", 1600, 950, "RGBA16", Screen),
    Sprite(19, "16", 1600, 950, "RGB8", Screen),
    Sprite(20, "a3", 1500, 850, "RGBA8"),
    // The risk ladder: rungs 0..15 lit, then the frame.
    Rung(21, "b0"), Rung(22, "b1"), Rung(23, "b2"), Rung(24, "b3"),
    Rung(25, "b4"), Rung(26, "b5"), Rung(27, "b6"), Rung(28, "b7"),
    Rung(29, "b8"), Rung(30, "b9"), Rung(31, "b10"), Rung(32, "b11"),
    Rung(33, "b12"), Rung(34, "b13"), Rung(35, "b14"), Rung(36, "b15"),
    Rung(37, "b16"),
    // The buttons, each plain and lit (BACK is wider).
    Button(40, "c1"), Button(41, "c2"), Button(42, "c2b"), Button(38, "c2ba"),
    Button(39, "c2bb"), Button(43, "c3"), Button(44, "c4"), Button(47, "c5"),
    Button(48, "c6"), Button(49, "c7"), Button(50, "c8"),
    Sprite(45, "c9", 226, 66, "RGBA16"),
    Sprite(46, "c10", 226, 66, "RGBA16"),
    Button(51, "c11"), Button(52, "c12"),
    // The twelve frames of the prize wheel.
    WheelFrame(58, "d2"), WheelFrame(59, "d3"), WheelFrame(60, "d4"), WheelFrame(61, "d5"),
    WheelFrame(62, "d6"), WheelFrame(63, "d7"), WheelFrame(64, "d8"), WheelFrame(65, "d9"),
    WheelFrame(66, "d0"), WheelFrame(67, "d10"), WheelFrame(68, "d11"), WheelFrame(69, "d12"),
    // The message box, the pointer, the Info button (it repeats the label c12).
    {"image", 57, 0, "e2", 875, 405, "RGBA16", PictureZoom::None, 57},
    Sprite(55, "d20", 40, 40, "RGBA8"),
    Button(53, "c12"), Button(54, "c13"),
    // The particles of the sparkles.
    Sprite(73, "parikel 1", 32, 32, "RGBA8"),
    Sprite(74, "parikel 2", 32, 32, "RGBA8"),
    Sprite(75, "parikel 3", 32, 32, "RGBA8"),
    Sprite(76, "parikel 4", 32, 32, "RGBA8"),
    Sprite(77, "parikel 5", 32, 32, "RGBA8"),
    // The big-win lettering, its banner bar and its frame.
    Sprite(78, "bigwin 1", 833, 402, "RGBA8"),
    Sprite(80, "bigwin 2", 866, 84, "RGBA8"),
    Sprite(81, "bigwin 3", 959, 414, "RGBA8"),
    // Outside the load's steps: the English paytable page (sprite 19 when
    // the language is English) and the loading picture.
    {"sprite", 19, 1, "16", 1600, 950, "RGB8", PictureZoom::FullScreen, 19},
    {"picture", 0, 0, "loading", 400, 200, "RGBA8", PictureZoom::None, 0},
};
// clang-format on
}  // namespace picture_catalogue_rows

inline constexpr const auto& kPictureCatalogue = picture_catalogue_rows::kRows;
inline constexpr size_t kPictureCount = sizeof(kPictureCatalogue) / sizeof(kPictureCatalogue[0]);

// The catalogue entry of a picture, or nullptr.
constexpr const PictureEntry* FindPictureEntry(std::string_view kind, int number, int variant = 0) {
    for (const PictureEntry& entry : kPictureCatalogue)
        if (kind == entry.kind && entry.number == number && entry.variant == variant) return &entry;
    return nullptr;
}

// One step of LoadPictures.
struct PictureStep {
    const char* kind;     // "sprite" or "image" (the embedded table's kind)
    int number;           // sprite or image number
    std::string label;    // the catalogue label
    std::string message;  // the text of the "Fehler" box
    PictureZoom zoom = PictureZoom::None;
};

// Every step of LoadPictures, in load order: the catalogue's sprites and
// image of variant 0 (sprite 19 once; its variant is chosen by the language
// when it is loaded).
const std::vector<PictureStep>& PictureLoadOrder();
