// PNG pictures from memory into 8-bit straight-alpha RGBA (libpng).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Decodes a PNG file held in memory. Accepts 8-bit RGBA, 16-bit RGBA and
// 8-bit RGB (and the other PNG layouts); colour without alpha becomes opaque.
// False for damaged data or pictures beyond the size limit. Used for the font
// atlases and every catalogue picture.
bool DecodePng(const uint8_t* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba);
