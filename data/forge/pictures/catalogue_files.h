// File names of the catalogue pictures below build/data.
#pragma once

#include <cstdio>
#include <string>

namespace forge::art {

// "sprite-06.png"; the English variant of a picture gets "-en".
inline std::string SpriteFile(int number, int variant = 0) {
    char name[40];
    snprintf(name, sizeof name, "sprite-%02d%s.png", number, variant ? "-en" : "");
    return name;
}

// "image-57.png".
inline std::string ImageFile(int number) {
    char name[40];
    snprintf(name, sizeof name, "image-%02d.png", number);
    return name;
}

}  // namespace forge::art
