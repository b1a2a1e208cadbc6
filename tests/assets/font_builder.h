// Test support: small font packages built byte by byte, to feed the readers
// exactly the damage a test needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG of w x h white pixels (8-bit RGBA).
std::vector<uint8_t> WhitePng(int w, int h);

struct TestGlyph {
    int index;
    int outlayX, outlayY, outlayWidth, outlayHeight;
    int sourceX, sourceY, sourceWidth, sourceHeight;
};

// Builds a package chunk by chunk.
struct PackageBuilder {
    std::vector<uint8_t> bytes;
    // Starts with the package magic.
    PackageBuilder();
    // A chunk of `type` with a body; `badCrc` stores a wrong checksum.
    PackageBuilder& Chunk(int32_t type, const std::vector<uint8_t>& body, bool badCrc = false);
    PackageBuilder& Atlas(int w = 64, int h = 64) { return Chunk(1, WhitePng(w, h)); }
    // Character records; `count` overrides the stored count (-1: the real one).
    PackageBuilder& Glyphs(const std::vector<TestGlyph>& glyphs, int32_t count = -1, bool badCrc = false);
    PackageBuilder& Kerning(const std::vector<std::vector<int>>& pairs, int32_t count = -1);
    // Glyphs drawn beforehand at `thousandths` of the size, with a white atlas;
    // `count` overrides the stored count.
    PackageBuilder& Sized(int32_t thousandths, const std::vector<TestGlyph>& glyphs, int32_t count = -1);
    PackageBuilder& End() { return Chunk(0, {}); }
};

// A glyph of a simple test font: advance `width`, line height 20, padding 2,
// its cell at (x, 0) in the atlas.
TestGlyph SimpleGlyph(int index, int width, int x);

// Loads `bytes` as font `id`; the font or none.
struct BitmapFont;
BitmapFont* LoadTestFont(int64_t id, const std::vector<uint8_t>& bytes);
