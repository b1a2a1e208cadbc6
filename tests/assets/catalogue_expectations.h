// The picture catalogue as the tests expect it: every entry with its label,
// size and PNG pixel format, written out independently of the loader's table.
#pragma once

#include <string>
#include <vector>

struct ExpectedPicture {
    std::string kind;  // "sprite", "image", "picture"
    int number = 0;
    int variant = 0;
    std::string label;
    int width = 0, height = 0;
    std::string format;  // RGBA8, RGBA16, RGB8
};

std::vector<ExpectedPicture> ExpectedPictures();
