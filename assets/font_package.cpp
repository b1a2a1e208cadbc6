// Reading fonts: the binary font package and the XML font descriptor.
// Both are untrusted input: every read is checked against the data's end.
#include <expat.h>
#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "assets/bitmap_font.h"
#include "assets/embedded.h"
#include "assets/png_decode.h"
#include "platform/platform.h"

namespace {

// "T", 0x83, "|1.40|" read as one little-endian 64-bit value.
constexpr uint64_t PackageMagic = 0x7C30342E317C8354ull;
constexpr int32_t ChunkEnd = 0, ChunkAtlas = 1, ChunkGlyphs = 2, ChunkKerning = 3, ChunkSized = 4;
constexpr size_t GlyphRecordBytes = 18, KerningRecordBytes = 6;
constexpr int64_t MaxAtlasFileBytes = int64_t{64} << 20;

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
int32_t ReadI32(const uint8_t* p) { return static_cast<int32_t>(ReadU32(p)); }
uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
int16_t ReadI16(const uint8_t* p) { return static_cast<int16_t>(ReadU16(p)); }

// Makes the glyph of `index` (0..255) in the set, replacing an earlier one.
Glyph* AddGlyph(GlyphSet& set, int64_t index) {
    Glyph& glyph = set.glyphList.emplace_back();
    glyph.index = index;
    set.glyphs[index] = &glyph;
    return &glyph;
}

// A decoded atlas in the screen's byte order, and the PNG it came from.
struct DecodedAtlas {
    const uint8_t* png = nullptr;
    size_t size = 0;
    platform::PixelBuffer pixels;
};

// Start-up creates the fonts three times, from packages that carry the same
// atlas: each atlas is decoded once, matched by its bytes, until start-up is
// done with the fonts (ForgetDecodedAtlases). Other data is decoded into
// `scratch`. None when it is damaged.
std::vector<std::unique_ptr<DecodedAtlas>> gAtlases;

const DecodedAtlas* DecodeAtlas(const uint8_t* png, size_t size, DecodedAtlas& scratch) {
    const platform::PixelOrder order = platform::ScreenPixelOrder();
    if (!InsideEmbeddedData(png, size))
        return DecodePng(png, size, order, scratch.pixels) ? &scratch : nullptr;
    for (const auto& atlas : gAtlases)
        if (atlas->size == size && (atlas->png == png || std::memcmp(atlas->png, png, size) == 0))
            return atlas.get();
    auto atlas = std::make_unique<DecodedAtlas>();
    atlas->png = png;
    atlas->size = size;
    if (!DecodePng(png, size, order, atlas->pixels)) return nullptr;
    gAtlases.push_back(std::move(atlas));
    return gAtlases.back().get();
}

// Decodes an atlas PNG into the set's sprite (and, for descriptors, its image).
void LoadAtlas(GlyphSet& set, const uint8_t* png, size_t size, bool withImage) {
    DecodedAtlas scratch;
    const DecodedAtlas* atlas = DecodeAtlas(png, size, scratch);
    if (!atlas) return;
    const platform::PixelBuffer& pixels = atlas->pixels;
    const int width = pixels.width, height = pixels.height;
    const int64_t sprite = set.atlasSprite >= 0 ? set.atlasSprite : FreeAtlasSpriteNumber();
    if (platform::CreateSpriteFromPixels(static_cast<int>(sprite), width, height, pixels))
        set.atlasSprite = sprite;
    if (!withImage) return;
    // The plain image takes straight RGBA.
    std::vector<uint8_t> rgba(pixels.bytes.get(), pixels.bytes.get() + pixels.Size());
    if (pixels.order == platform::PixelOrder::Bgra)
        for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
    const int64_t image = set.atlasImage >= 0 ? set.atlasImage : FreeAtlasImageNumber();
    if (platform::CreateImage(static_cast<int>(image), width, height, rgba.data())) set.atlasImage = image;
}

// Reads N glyph records; false when N promises more records than the chunk holds.
bool ReadGlyphRecords(GlyphSet& set, const uint8_t* body, size_t size) {
    if (size < 4) return false;
    const int32_t count = ReadI32(body);
    const size_t fits = (size - 4) / GlyphRecordBytes;
    const size_t wanted = count > 0 ? static_cast<size_t>(count) : 0;
    for (size_t i = 0; i < wanted && i < fits; ++i) {
        const uint8_t* record = body + 4 + i * GlyphRecordBytes;
        const uint16_t index = ReadU16(record);
        if (index > 255) continue;  // texts are 8-bit: higher glyphs are never drawn
        Glyph* glyph = AddGlyph(set, index);
        glyph->outlayX = ReadI16(record + 2);
        glyph->outlayY = ReadI16(record + 4);
        glyph->outlayWidth = ReadI16(record + 6);
        glyph->outlayHeight = ReadI16(record + 8);
        glyph->sourceX = ReadI16(record + 10);
        glyph->sourceY = ReadI16(record + 12);
        glyph->sourceWidth = ReadI16(record + 14);
        glyph->sourceHeight = ReadI16(record + 16);
    }
    return wanted <= fits;
}

// A sized-glyph chunk: the size in thousandths (32-bit), a glyph count N
// (32-bit), N character records laid out as in the glyph chunk, then the PNG
// of their atlas. A chunk that does not hold what it promises is skipped.
void ReadSizedGlyphs(GlyphSet& set, const uint8_t* body, size_t size) {
    if (size < 8) return;
    const int32_t thousandths = ReadI32(body), count = ReadI32(body + 4);
    if (thousandths <= 0 || thousandths >= 1000 || count <= 0 ||
        static_cast<size_t>(count) > (size - 8) / GlyphRecordBytes)
        return;
    const size_t records = static_cast<size_t>(count) * GlyphRecordBytes;
    SizedGlyphs& sized = set.sized.emplace_back();
    sized.size = static_cast<float>(thousandths) / 1000.0f;
    for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
        const uint8_t* record = body + 8 + i * GlyphRecordBytes;
        const uint16_t index = ReadU16(record);
        if (index > 255) continue;
        Glyph& glyph = sized.glyphList.emplace_back();
        glyph.index = index;
        glyph.outlayX = ReadI16(record + 2);
        glyph.outlayY = ReadI16(record + 4);
        glyph.outlayWidth = ReadI16(record + 6);
        glyph.outlayHeight = ReadI16(record + 8);
        glyph.sourceX = ReadI16(record + 10);
        glyph.sourceY = ReadI16(record + 12);
        glyph.sourceWidth = ReadI16(record + 14);
        glyph.sourceHeight = ReadI16(record + 16);
        sized.glyphs[index] = &glyph;
    }
    DecodedAtlas scratch;
    const DecodedAtlas* atlas = DecodeAtlas(body + 8 + records, size - 8 - records, scratch);
    const int64_t sprite = FreeAtlasSpriteNumber();
    if (atlas && platform::CreateSpriteFromPixels(static_cast<int>(sprite), atlas->pixels.width,
                                                  atlas->pixels.height, atlas->pixels))
        sized.atlasSprite = sprite;
    else
        set.sized.pop_back();  // no atlas: the zoomed glyphs serve
}

bool ReadKerningRecords(BitmapFont* font, const uint8_t* body, size_t size) {
    if (size < 4) return false;
    const int32_t count = ReadI32(body);
    const size_t fits = (size - 4) / KerningRecordBytes;
    const size_t wanted = count > 0 ? static_cast<size_t>(count) : 0;
    for (size_t i = 0; i < wanted && i < fits; ++i) {
        const uint8_t* record = body + 4 + i * KerningRecordBytes;
        AddKerningPair(font, ReadU16(record), ReadU16(record + 2), ReadI16(record + 4));
    }
    return wanted <= fits;
}

// ---------------------------------------------------------------- descriptor

struct DescriptorReader {
    BitmapFont* font;
    std::string folder;
    int depth = 0;
    Glyph* character = nullptr;  // the Character element being read
};

// A decimal attribute value; 0 when it is missing or not a number.
int64_t Attribute(const XML_Char** attributes, const char* name) {
    for (int i = 0; attributes[i]; i += 2) {
        if (strcmp(attributes[i], name) != 0) continue;
        const char* text = attributes[i + 1];
        while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r') ++text;
        if (*text == '+') ++text;
        int64_t value = 0;
        const auto result = std::from_chars(text, text + strlen(text), value);
        // Too large a number stays too large (an index far above 255, not 0).
        if (result.ec == std::errc::result_out_of_range) return *text == '-' ? INT64_MIN : INT64_MAX;
        return result.ec == std::errc() ? value : 0;
    }
    return 0;
}

// A glyph metric or kerning amount. The binary package stores these as 16-bit
// numbers; a descriptor's are held to 32 bits so that the sums and differences
// measuring and drawing make of them can never overflow.
int64_t Metric(const XML_Char** attributes, const char* name) {
    return std::clamp<int64_t>(Attribute(attributes, name), INT32_MIN, INT32_MAX);
}

void ReadRectangle(const XML_Char** attributes, int64_t& x, int64_t& y, int64_t& width, int64_t& height) {
    x = Metric(attributes, "X");
    y = Metric(attributes, "Y");
    width = Metric(attributes, "Width");
    height = Metric(attributes, "Height");
}

void XMLCALL StartElement(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto& reader = *static_cast<DescriptorReader*>(data);
    GlyphSet& set = *reader.font->glyphSet;
    ++reader.depth;
    if (reader.depth == 1) {
        for (int i = 0; attributes[i]; i += 2) {
            if (strcmp(attributes[i], "Image") != 0) continue;
            // Only an ordinary file of sensible size: a descriptor may name a
            // device or a pipe, whose reading would never end.
            const std::string path = reader.folder + attributes[i + 1];
            const int64_t bytes = platform::FileSize(path);
            std::vector<uint8_t> png;
            if (bytes > 0 && bytes <= MaxAtlasFileBytes && platform::ReadWholeFile(path, png))
                LoadAtlas(set, png.data(), png.size(), true);
        }
    } else if (reader.depth == 2) {
        reader.character = nullptr;
        if (strcmp(name, "Character") == 0) {
            const int64_t index = Attribute(attributes, "Index");
            if (index >= 0 && index < 256) reader.character = AddGlyph(set, index);
        } else if (strcmp(name, "KerningPair") == 0) {
            AddKerningPair(reader.font, Attribute(attributes, "Left"), Attribute(attributes, "Right"),
                           Metric(attributes, "Amount"));
        }
    } else if (reader.depth == 3 && reader.character) {
        Glyph& glyph = *reader.character;
        if (strcmp(name, "Source") == 0)
            ReadRectangle(attributes, glyph.sourceX, glyph.sourceY, glyph.sourceWidth, glyph.sourceHeight);
        else if (strcmp(name, "Outlay") == 0)
            ReadRectangle(attributes, glyph.outlayX, glyph.outlayY, glyph.outlayWidth, glyph.outlayHeight);
    }
}

void XMLCALL EndElement(void* data, const XML_Char*) {
    auto& reader = *static_cast<DescriptorReader*>(data);
    if (reader.depth == 2) reader.character = nullptr;
    --reader.depth;
}

}  // namespace

BitmapFont* LoadBitmapFont(int64_t id, const uint8_t* data, size_t size, const std::string& folder) {
    BitmapFont* font = NewFont(id, nullptr);
    if (!font) return nullptr;
    if (data && size >= 8) {
        uint64_t magic = 0;
        memcpy(&magic, data, sizeof magic);
        if (magic == PackageMagic) return ReadFontPackage(font, data + 8, size - 8);
    }
    if (BitmapFont* read = ReadFontDescriptor(font, data, size, folder)) return read;
    FreeFont(FontIdOf(font));  // nothing usable: the id stays free
    return nullptr;
}

BitmapFont* ReadFontPackage(BitmapFont* font, const uint8_t* chunks, size_t size) {
    if (!font || !chunks) return font;
    GlyphSet& set = *font->glyphSet;
    size_t at = 0;
    while (size - at >= 8) {
        const int32_t length = ReadI32(chunks + at);
        // A chunk needs its type, and its payload must lie inside the data.
        if (length < 4 || static_cast<size_t>(length) > size - at - 8) break;
        const uint8_t* payload = chunks + at + 8;
        if (crc32(0, payload, static_cast<uInt>(length)) != ReadU32(chunks + at + 4)) break;
        const int32_t type = ReadI32(payload);
        const uint8_t* body = payload + 4;
        const size_t bodySize = static_cast<size_t>(length) - 4;
        if (type == ChunkEnd) break;
        if (type == ChunkAtlas) LoadAtlas(set, body, bodySize, false);
        if (type == ChunkGlyphs && !ReadGlyphRecords(set, body, bodySize)) break;
        if (type == ChunkKerning && !ReadKerningRecords(font, body, bodySize)) break;
        if (type == ChunkSized) ReadSizedGlyphs(set, body, bodySize);
        at += static_cast<size_t>(length) + 8;
    }
    return font;
}

BitmapFont* ReadFontDescriptor(BitmapFont* font, const uint8_t* xml, size_t size, const std::string& folder) {
    if (!font || !xml || size > static_cast<size_t>(INT_MAX)) return nullptr;
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser) return nullptr;
    DescriptorReader reader{font, folder};
    XML_SetUserData(parser, &reader);
    XML_SetElementHandler(parser, StartElement, EndElement);
    const bool parsed = XML_Parse(parser, reinterpret_cast<const char*>(xml), static_cast<int>(size),
                                  XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return parsed ? font : nullptr;
}

void ForgetDecodedAtlases() {
    if (!DecodedAssetsKept()) gAtlases.clear();
}
