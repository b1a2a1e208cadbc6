// The packer behind the save file: a 24-byte header and LZ77 blocks whose
// literals and matches are told apart by bits of 16-bit tag words, with match
// lengths and offsets in a gamma code.
//
// Header (little-endian): magic 0x626C7A31, four zero bytes, the unpacked
// length (8 bytes) and the block length (8 bytes); then the packed blocks back
// to back. Every block is packed on its own, so matches never reach into an
// earlier block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Magic number at the start of a packed file.
constexpr uint32_t PackMagic = 0x626C7A31;
// Size of the header in front of the blocks.
constexpr size_t PackHeaderSize = 24;
// Unpacked bytes per block.
constexpr uint64_t PackBlockLength = 0x40000;

// Packs one block of 1..PackBlockLength bytes and appends it to `out`; used by PackBlocks.
void CompressBlock(const uint8_t* data, size_t size, std::vector<uint8_t>& out);

// Unpacks one block of exactly `outSize` bytes from `in`. Returns false and
// stops, without reading or writing outside either buffer, when the block is
// damaged (a match before the start of the output or past its end, input that
// ends early). `used` receives the packed bytes consumed.
bool DecompressBlock(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t& used);

// Packs `size` bytes into header plus blocks; called when the save file is written.
std::vector<uint8_t> PackBlocks(const uint8_t* data, size_t size);

// Unpacks a whole packed file into `out`, which holds `outSize` bytes; bytes the
// file does not cover stay as they are. Returns false for anything that is not
// a sound packed file: too short, a wrong magic, an unpacked length of zero or
// beyond `outSize`, a zero block length, a damaged block. Called when the save
// file is read.
bool UnpackBlocks(const uint8_t* file, size_t fileSize, uint8_t* out, size_t outSize);
