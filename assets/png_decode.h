// PNG decoding for the embedded pictures and font atlases: 8-bit RGBA,
// 16-bit RGBA and 8-bit RGB files (and any other PNG) become 8-bit
// straight-alpha RGBA rows, top to bottom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Decodes the PNG file in data[0..size) into rgba (width * height * 4 bytes).
// False, with width, height and rgba empty, for anything that is not a
// complete, intact PNG of at most 16384 x 16384 and 64 million pixels.
bool DecodePng(const uint8_t* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba);
