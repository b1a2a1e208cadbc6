// Writing fonts in the game's two font formats: the binary font package
// (magic, CRC-checked chunks: atlas PNG, character records, kerning records,
// end) and the XML font descriptor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forge {

// One character record: index, then outlay and source rectangles.
struct GlyphRecord {
    uint16_t index;
    int16_t outlayX, outlayY, outlayWidth, outlayHeight;
    int16_t sourceX, sourceY, sourceWidth, sourceHeight;
};

// One kerning record: left and right character, amount in pixels.
struct KerningRecord {
    uint16_t left, right;
    int16_t amount;
};

// Glyphs drawn beforehand at one smaller size, with their own atlas.
struct SizedGlyphRecords {
    int32_t thousandths;  // the size they are drawn at, in thousandths
    std::vector<GlyphRecord> glyphs;
    std::vector<uint8_t> atlasPng;
};

// The package bytes: magic, atlas chunk, glyph chunk, kerning chunk, a
// sized-glyph chunk (type 4) for each of `sized`, end chunk.
std::vector<uint8_t> WriteFontPackage(const std::vector<uint8_t>& atlasPng,
                                      const std::vector<GlyphRecord>& glyphs,
                                      const std::vector<KerningRecord>& kerning,
                                      const std::vector<SizedGlyphRecords>& sized = {});

// The XML descriptor naming `atlasFile` (relative to the descriptor's folder).
std::string WriteFontDescriptor(const std::string& atlasFile, const std::vector<GlyphRecord>& glyphs,
                                const std::vector<KerningRecord>& kerning);

}  // namespace forge
