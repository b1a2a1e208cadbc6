#include "tests/assets/catalogue_expectations.h"

std::vector<ExpectedPicture> ExpectedPictures() {
    std::vector<ExpectedPicture> list;
    auto add = [&](const std::string& kind, int number, int variant, const std::string& label, int w, int h,
                   const std::string& format) {
        list.push_back({kind, number, variant, label, w, h, format});
    };
    for (int n = 0; n <= 13; ++n) add("sprite", n, 0, std::to_string(n + 1), 1000, 800, "RGBA8");
    add("sprite", 14, 0, "15", 200, 160, "RGBA8");
    add("sprite", 87, 0, "15", 200, 160, "RGBA8");
    add("sprite", 17, 0, "16", 1800, 4320, "RGBA8");
    add("sprite", 82, 0, "p2", 91, 73, "RGBA8");
    add("sprite", 83, 0, "p3", 91, 72, "RGBA8");
    add("sprite", 84, 0, "p4", 91, 70, "RGBA8");
    add("sprite", 85, 0, "p5", 91, 69, "RGBA8");
    add("sprite", 16, 0, "a1", 1500, 850, "RGBA8");
    add("sprite", 15, 0, "a2", 1600, 950, "RGBA16");
    add("sprite", 19, 0, "16", 1600, 950, "RGB8");
    add("sprite", 19, 1, "16", 1600, 950, "RGB8");
    add("sprite", 20, 0, "a3", 1500, 850, "RGBA8");
    for (int n = 21; n <= 37; ++n) add("sprite", n, 0, "b" + std::to_string(n - 21), 181, 807, "RGBA16");
    const struct {
        int number;
        const char* label;
        int width;
    } buttons[] = {{40, "c1", 174},  {41, "c2", 174}, {42, "c2b", 174}, {38, "c2ba", 174}, {39, "c2bb", 174},
                   {43, "c3", 174},  {44, "c4", 174}, {47, "c5", 174},  {48, "c6", 174},   {49, "c7", 174},
                   {50, "c8", 174},  {45, "c9", 226}, {46, "c10", 226}, {51, "c11", 174},  {52, "c12", 174},
                   {53, "c12", 174}, {54, "c13", 174}};
    for (const auto& b : buttons) add("sprite", b.number, 0, b.label, b.width, 66, "RGBA16");
    const char* wheel[] = {"d2", "d3", "d4", "d5", "d6", "d7", "d8", "d9", "d0", "d10", "d11", "d12"};
    for (int k = 0; k < 12; ++k) add("sprite", 58 + k, 0, wheel[k], 1600, 950, "RGBA8");
    add("sprite", 55, 0, "d20", 40, 40, "RGBA8");
    for (int n = 73; n <= 77; ++n) add("sprite", n, 0, "parikel " + std::to_string(n - 72), 32, 32, "RGBA8");
    add("sprite", 78, 0, "bigwin 1", 833, 402, "RGBA8");
    add("sprite", 80, 0, "bigwin 2", 866, 84, "RGBA8");
    add("sprite", 81, 0, "bigwin 3", 959, 414, "RGBA8");
    add("image", 57, 0, "e2", 875, 405, "RGBA16");
    add("picture", 0, 0, "loading", 400, 200, "RGBA8");
    return list;
}
