#include "tests/assets/font_builder.h"

#include <png.h>
#include <zlib.h>

#include "assets/bitmap_font.h"

namespace {

void Put16(std::vector<uint8_t>& out, int value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

std::vector<uint8_t> WhitePng(int w, int h) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length) {
            auto* target = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            target->insert(target->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(static_cast<size_t>(w) * 4, 255);
    for (int y = 0; y < h; ++y) png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

PackageBuilder::PackageBuilder() : bytes(8) {
    const char magic[] = "T\x83|1.40|";
    for (size_t i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(magic[i]);
}

PackageBuilder& PackageBuilder::Chunk(int32_t type, const std::vector<uint8_t>& body, bool badCrc) {
    std::vector<uint8_t> payload;
    Put32(payload, static_cast<uint32_t>(type));
    payload.insert(payload.end(), body.begin(), body.end());
    Put32(bytes, static_cast<uint32_t>(payload.size()));
    const uint32_t crc = static_cast<uint32_t>(crc32(0, payload.data(), static_cast<uInt>(payload.size())));
    Put32(bytes, badCrc ? crc ^ 1 : crc);
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return *this;
}

PackageBuilder& PackageBuilder::Glyphs(const std::vector<TestGlyph>& glyphs, int32_t count, bool badCrc) {
    std::vector<uint8_t> body;
    Put32(body, static_cast<uint32_t>(count >= 0 ? count : static_cast<int32_t>(glyphs.size())));
    for (const TestGlyph& g : glyphs)
        for (int value : {g.index, g.outlayX, g.outlayY, g.outlayWidth, g.outlayHeight, g.sourceX, g.sourceY,
                          g.sourceWidth, g.sourceHeight})
            Put16(body, value);
    return Chunk(2, body, badCrc);
}

PackageBuilder& PackageBuilder::Sized(int32_t thousandths, const std::vector<TestGlyph>& glyphs,
                                      int32_t count) {
    std::vector<uint8_t> body;
    Put32(body, static_cast<uint32_t>(thousandths));
    Put32(body, static_cast<uint32_t>(count >= 0 ? count : static_cast<int32_t>(glyphs.size())));
    for (const TestGlyph& g : glyphs)
        for (int value : {g.index, g.outlayX, g.outlayY, g.outlayWidth, g.outlayHeight, g.sourceX, g.sourceY,
                          g.sourceWidth, g.sourceHeight})
            Put16(body, value);
    const std::vector<uint8_t> png = WhitePng(16, 16);
    body.insert(body.end(), png.begin(), png.end());
    return Chunk(4, body);
}

PackageBuilder& PackageBuilder::Kerning(const std::vector<std::vector<int>>& pairs, int32_t count) {
    std::vector<uint8_t> body;
    Put32(body, static_cast<uint32_t>(count >= 0 ? count : static_cast<int32_t>(pairs.size())));
    for (const auto& pair : pairs)
        for (int value : pair) Put16(body, value);
    return Chunk(3, body);
}

TestGlyph SimpleGlyph(int index, int width, int x) { return {index, -2, -2, width, 20, x, 0, width + 4, 24}; }

BitmapFont* LoadTestFont(int64_t id, const std::vector<uint8_t>& bytes) {
    return LoadBitmapFont(id, bytes.data(), bytes.size(), "");
}
