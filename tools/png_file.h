// PNG files for the tools that take pictures of the game.
#pragma once

#include <cstdint>
#include <vector>

// Writes 8-bit RGBA rows as a PNG file; false when it cannot be written.
bool WritePngFile(const char* path, const std::vector<uint8_t>& rgba, int width, int height);

// Reads a whole file; false when it cannot be opened.
bool ReadBinaryFile(const char* path, std::vector<uint8_t>& bytes);
