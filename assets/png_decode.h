// PNG decoding for the embedded pictures and font atlases: 8-bit RGBA,
// 16-bit RGBA and 8-bit RGB files (and any other PNG) become 8-bit
// straight-alpha pixels, rows top to bottom.
//
// The three catalogue formats, not interlaced, take a fast path: the image
// data is inflated in one go by libdeflate and unfiltered in place, straight
// into the byte order the caller asks for. Every other PNG goes through
// libpng, which also stays the reference the fast path is tested against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

// Decodes the PNG file in data[0..size) into rgba (width * height * 4 bytes).
// False, with width, height and rgba empty, for anything that is not a
// complete, intact PNG of at most 16384 x 16384 and 64 million pixels.
bool DecodePng(const uint8_t* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba);

// The same, into `pixels` in byte order `order`, noting whether every pixel
// is opaque. Safe on any thread. False (and `pixels` empty) as above.
bool DecodePng(const uint8_t* data, size_t size, platform::PixelOrder order, platform::PixelBuffer& pixels);

// Only libpng, never the fast path: the reference for tests.
bool DecodePngWithLibpng(const uint8_t* data, size_t size, platform::PixelOrder order,
                         platform::PixelBuffer& pixels);
