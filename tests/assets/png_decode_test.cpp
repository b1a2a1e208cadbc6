// PNG decoding into 8-bit straight RGBA for the three pixel formats the
// game carries, and refusal of damaged or oversized data.
#include "assets/png_decode.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

namespace {

// A 3 x 2 picture whose pixel (x, y) has channels (40x+1, 90y+2, 7, 100+x+y),
// written with `depth` bits and `colour` type.
std::vector<uint8_t> Encode(int depth, int colour, png_uint_32 width = 3, png_uint_32 height = 2) {
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
    png_set_IHDR(png, info, width, height, depth, colour, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int channels = colour == PNG_COLOR_TYPE_RGB ? 3 : 4;
    std::vector<uint8_t> row(width * channels * (depth / 8));
    for (png_uint_32 y = 0; y < height; ++y) {
        for (png_uint_32 x = 0; x < width; ++x) {
            const int values[4] = {static_cast<int>(40 * x + 1), static_cast<int>(90 * y + 2), 7,
                                   static_cast<int>(100 + x + y)};
            for (int c = 0; c < channels; ++c) {
                if (depth == 16) {
                    row[(x * channels + c) * 2] = static_cast<uint8_t>(values[c]);  // v * 257, big-endian
                    row[(x * channels + c) * 2 + 1] = static_cast<uint8_t>(values[c]);
                } else {
                    row[x * channels + c] = static_cast<uint8_t>(values[c]);
                }
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace

TEST(PngDecode, TheThreeCatalogueFormatsBecomeStraightRgba8) {
    const struct {
        int depth, colour;
        bool alpha;
    } formats[] = {{8, PNG_COLOR_TYPE_RGBA, true}, {16, PNG_COLOR_TYPE_RGBA, true}, {8, PNG_COLOR_TYPE_RGB, false}};
    for (const auto& format : formats) {
        const std::vector<uint8_t> png = Encode(format.depth, format.colour);
        int width = 0, height = 0;
        std::vector<uint8_t> rgba;
        ASSERT_TRUE(DecodePng(png.data(), png.size(), width, height, rgba)) << format.depth << format.colour;
        ASSERT_EQ(width, 3);
        ASSERT_EQ(height, 2);
        ASSERT_EQ(rgba.size(), 24u);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const uint8_t* p = &rgba[(y * 3 + x) * 4];
                EXPECT_EQ(p[0], 40 * x + 1);
                EXPECT_EQ(p[1], 90 * y + 2);
                EXPECT_EQ(p[2], 7);
                EXPECT_EQ(p[3], format.alpha ? 100 + x + y : 255);
            }
    }
}

TEST(PngDecode, DamagedOrHugePicturesAreRefused) {
    const std::vector<uint8_t> png = Encode(8, PNG_COLOR_TYPE_RGBA);
    int width = 7, height = 7;
    std::vector<uint8_t> rgba(5);
    for (size_t cut : {size_t{0}, size_t{8}, size_t{30}, png.size() - 20}) {
        EXPECT_FALSE(DecodePng(png.data(), cut, width, height, rgba)) << cut;
        EXPECT_EQ(width, 0);
        EXPECT_TRUE(rgba.empty());
    }
    std::vector<uint8_t> flipped = png;
    flipped[flipped.size() - 30] ^= 0x55;  // inside the compressed rows
    EXPECT_FALSE(DecodePng(flipped.data(), flipped.size(), width, height, rgba));
    EXPECT_FALSE(DecodePng(nullptr, 100, width, height, rgba));
    // A picture 20000 pixels wide is beyond any the game carries: refused.
    const std::vector<uint8_t> huge = Encode(8, PNG_COLOR_TYPE_RGB, 20000, 1);
    EXPECT_FALSE(DecodePng(huge.data(), huge.size(), width, height, rgba));
}
