#include "data/forge/fonts/font_package_writer.h"

#include <zlib.h>

#include <cstdio>

namespace forge {
namespace {

void Put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Appends a chunk: payload length, CRC-32 of the payload, then type and body.
void PutChunk(std::vector<uint8_t>& out, uint32_t type, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> payload;
    Put32(payload, type);
    payload.insert(payload.end(), body.begin(), body.end());
    Put32(out, static_cast<uint32_t>(payload.size()));
    Put32(out, static_cast<uint32_t>(crc32(0, payload.data(), static_cast<uInt>(payload.size()))));
    out.insert(out.end(), payload.begin(), payload.end());
}

}  // namespace

std::vector<uint8_t> WriteFontPackage(const std::vector<uint8_t>& atlasPng,
                                      const std::vector<GlyphRecord>& glyphs,
                                      const std::vector<KerningRecord>& kerning,
                                      const std::vector<SizedGlyphRecords>& sized) {
    std::vector<uint8_t> out = {0x54, 0x83, '|', '1', '.', '4', '0', '|'};
    PutChunk(out, 1, atlasPng);
    std::vector<uint8_t> body;
    Put32(body, static_cast<uint32_t>(glyphs.size()));
    for (const GlyphRecord& g : glyphs) {
        Put16(body, g.index);
        for (int16_t value : {g.outlayX, g.outlayY, g.outlayWidth, g.outlayHeight, g.sourceX, g.sourceY,
                              g.sourceWidth, g.sourceHeight})
            Put16(body, static_cast<uint16_t>(value));
    }
    PutChunk(out, 2, body);
    body.clear();
    Put32(body, static_cast<uint32_t>(kerning.size()));
    for (const KerningRecord& k : kerning) {
        Put16(body, k.left);
        Put16(body, k.right);
        Put16(body, static_cast<uint16_t>(k.amount));
    }
    PutChunk(out, 3, body);
    for (const SizedGlyphRecords& set : sized) {
        body.clear();
        Put32(body, static_cast<uint32_t>(set.thousandths));
        Put32(body, static_cast<uint32_t>(set.glyphs.size()));
        for (const GlyphRecord& g : set.glyphs) {
            Put16(body, g.index);
            for (int16_t value : {g.outlayX, g.outlayY, g.outlayWidth, g.outlayHeight, g.sourceX, g.sourceY,
                                  g.sourceWidth, g.sourceHeight})
                Put16(body, static_cast<uint16_t>(value));
        }
        body.insert(body.end(), set.atlasPng.begin(), set.atlasPng.end());
        PutChunk(out, 4, body);
    }
    PutChunk(out, 0, {});
    return out;
}

std::string WriteFontDescriptor(const std::string& atlasFile, const std::vector<GlyphRecord>& glyphs,
                                const std::vector<KerningRecord>& kerning) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Font Image=\"" + atlasFile + "\">\n";
    char line[256];
    for (const GlyphRecord& g : glyphs) {
        snprintf(line, sizeof line,
                 "  <Character Index=\"%d\">\n"
                 "    <Source X=\"%d\" Y=\"%d\" Width=\"%d\" Height=\"%d\"/>\n"
                 "    <Outlay X=\"%d\" Y=\"%d\" Width=\"%d\" Height=\"%d\"/>\n"
                 "  </Character>\n",
                 g.index, g.sourceX, g.sourceY, g.sourceWidth, g.sourceHeight, g.outlayX, g.outlayY,
                 g.outlayWidth, g.outlayHeight);
        xml += line;
    }
    for (const KerningRecord& k : kerning) {
        snprintf(line, sizeof line, "  <KerningPair Left=\"%d\" Right=\"%d\" Amount=\"%d\"/>\n", k.left,
                 k.right, k.amount);
        xml += line;
    }
    return xml + "</Font>\n";
}

}  // namespace forge
