#include "assets/picture_catalogue.h"

#include <string>

namespace {

// The message names the label and ends in "!"; b11 lacks the "!", and the
// banner labels ("bigwin 1" ...) keep a blank before it.
std::string MessageFor(const std::string& label) {
    const std::string text = "Fehler beim laden von Grafiken " + label;
    if (label == "b11") return text;
    if (label.rfind("bigwin ", 0) == 0) return text + " !";
    return text + "!";
}

void Add(std::vector<PictureStep>& steps, const char* kind, int number, const std::string& label,
         PictureZoom zoom = PictureZoom::None) {
    steps.push_back({kind, number, label, MessageFor(label), zoom});
}

std::vector<PictureStep> BuildOrder() {
    std::vector<PictureStep> steps;
    for (int n = 0; n <= 13; ++n) Add(steps, "sprite", n, std::to_string(n + 1));
    Add(steps, "sprite", 14, "15");
    Add(steps, "sprite", 87, "15");
    Add(steps, "sprite", 17, "16");
    for (int n = 82; n <= 85; ++n) Add(steps, "sprite", n, "p" + std::to_string(n - 80));
    Add(steps, "sprite", 16, "a1");
    Add(steps, "sprite", 15, "a2", PictureZoom::FullScreen);
    Add(steps, "sprite", 19, "16", PictureZoom::FullScreen);
    Add(steps, "sprite", 20, "a3");
    for (int n = 21; n <= 37; ++n) Add(steps, "sprite", n, "b" + std::to_string(n - 21), PictureZoom::Ladder);
    const struct {
        int number;
        const char* label;
    } buttons[] = {{40, "c1"}, {41, "c2"}, {42, "c2b"}, {38, "c2ba"}, {39, "c2bb"},
                   {43, "c3"}, {44, "c4"}, {47, "c5"},  {48, "c6"},   {49, "c7"},
                   {50, "c8"}, {45, "c9"}, {46, "c10"}, {51, "c11"},  {52, "c12"}};
    for (const auto& b : buttons) Add(steps, "sprite", b.number, b.label);
    const char* wheel[] = {"d2", "d3", "d4", "d5", "d6", "d7", "d8", "d9", "d0", "d10", "d11", "d12"};
    for (int frame = 0; frame < 12; ++frame)
        Add(steps, "sprite", 58 + frame, wheel[frame], PictureZoom::FullScreen);
    Add(steps, "image", 57, "e2");
    Add(steps, "sprite", 55, "d20");
    Add(steps, "sprite", 53, "c12");  // the Info button repeats the label c12
    Add(steps, "sprite", 54, "c13");
    for (int n = 73; n <= 77; ++n) Add(steps, "sprite", n, "parikel " + std::to_string(n - 72));
    Add(steps, "sprite", 78, "bigwin 1");
    Add(steps, "sprite", 80, "bigwin 2");
    Add(steps, "sprite", 81, "bigwin 3");
    return steps;
}

}  // namespace

const std::vector<PictureStep>& PictureLoadOrder() {
    static const std::vector<PictureStep> steps = BuildOrder();
    return steps;
}
