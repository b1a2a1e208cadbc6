// The PNG decoder: the three catalogue formats become straight 8-bit RGBA,
// and damaged or hostile files are refused without reading past their end.
#include "assets/png_decode.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>

#include "assets/embedded.h"

namespace {

// Writes a PNG of the given layout; `samples` holds the rows exactly as PNG stores them.
std::vector<uint8_t> WritePng(int w, int h, int depth, int colour, const std::vector<uint8_t>& samples) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            auto* target = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            target->insert(target->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, w, h, depth, colour, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t row = samples.size() / h;
    for (int y = 0; y < h; ++y) png_write_row(png, samples.data() + y * row);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool Decode(const std::vector<uint8_t>& png, int& w, int& h, std::vector<uint8_t>& rgba) {
    return DecodePng(png.data(), png.size(), w, h, rgba);
}

}  // namespace

TEST(PngDecodeTest, TheThreeCatalogueFormatsBecomeStraightRgba) {
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    // 8-bit RGBA passes through unchanged, alpha included.
    ASSERT_TRUE(
        Decode(WritePng(2, 1, 8, PNG_COLOR_TYPE_RGBA, {10, 20, 30, 40, 250, 251, 252, 0}), w, h, rgba));
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(rgba, (std::vector<uint8_t>{10, 20, 30, 40, 250, 251, 252, 0}));
    // 16-bit RGBA keeps the high byte of each big-endian sample.
    ASSERT_TRUE(Decode(WritePng(1, 2, 16, PNG_COLOR_TYPE_RGBA,
                                {0x12, 0x99, 0x34, 0x01, 0x56, 0xFF, 0x78, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x80,
                                 0x80, 0x01, 0x02}),
                       w, h, rgba));
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(rgba, (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78, 0xFF, 0x00, 0x80, 0x01}));
    // 8-bit RGB gets an opaque alpha.
    ASSERT_TRUE(Decode(WritePng(2, 1, 8, PNG_COLOR_TYPE_RGB, {1, 2, 3, 4, 5, 6}), w, h, rgba));
    EXPECT_EQ(rgba, (std::vector<uint8_t>{1, 2, 3, 255, 4, 5, 6, 255}));
    // Grey is spread to the three colours.
    ASSERT_TRUE(Decode(WritePng(2, 1, 8, PNG_COLOR_TYPE_GRAY, {7, 200}), w, h, rgba));
    EXPECT_EQ(rgba, (std::vector<uint8_t>{7, 7, 7, 255, 200, 200, 200, 255}));
}

TEST(PngDecodeTest, DamagedTruncatedAndForeignDataIsRefused) {
    const EmbeddedAsset* sheet = FindEmbedded("sprite", 6);
    ASSERT_NE(sheet, nullptr);
    std::vector<uint8_t> bytes(sheet->data, sheet->data + sheet->size);
    int w = 7, h = 7;
    std::vector<uint8_t> rgba(3);

    std::vector<uint8_t> damaged = bytes;
    for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 64; ++i) damaged[i] ^= 0x5A;
    EXPECT_FALSE(Decode(damaged, w, h, rgba));
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_TRUE(rgba.empty());

    for (size_t keep : {size_t(0), size_t(7), size_t(8), size_t(33), bytes.size() / 3, bytes.size() - 13})
        EXPECT_FALSE(DecodePng(bytes.data(), keep, w, h, rgba)) << "cut at " << keep;
    const std::vector<uint8_t> text = {'N', 'o', 't', ' ', 'a', ' ', 'P', 'N', 'G', '!'};
    EXPECT_FALSE(Decode(text, w, h, rgba));
    EXPECT_FALSE(DecodePng(nullptr, 100, w, h, rgba));
}

TEST(PngDecodeTest, AHeaderClaimingAHugePictureIsRefusedBeforeAllocating) {
    std::vector<uint8_t> png = WritePng(1, 1, 8, PNG_COLOR_TYPE_RGBA, {1, 2, 3, 4});
    // IHDR data starts at byte 16: set the width to 100000 and repair the chunk's CRC.
    const uint32_t width = 100000;
    png[16] = width >> 24;
    png[17] = (width >> 16) & 0xFF;
    png[18] = (width >> 8) & 0xFF;
    png[19] = width & 0xFF;
    const uint32_t crc = crc32(crc32(0, nullptr, 0), png.data() + 12, 17);
    for (int i = 0; i < 4; ++i) png[29 + i] = (crc >> (24 - 8 * i)) & 0xFF;
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    EXPECT_FALSE(Decode(png, w, h, rgba));
    EXPECT_TRUE(rgba.empty());
}
