// The PNG decoder: the three catalogue formats become straight 8-bit RGBA,
// and damaged or hostile files are refused without reading past their end.
#include "assets/png_decode.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <functional>
#include <string>

#include "assets/embedded.h"

namespace {

// Writes a PNG of the given layout; `samples` holds the rows exactly as PNG stores them.
std::vector<uint8_t> WritePng(int w, int h, int depth, int colour, const std::vector<uint8_t>& samples,
                              int filters = PNG_ALL_FILTERS, int interlace = PNG_INTERLACE_NONE,
                              const std::function<void(png_structp, png_infop)>& extra = {}) {
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
    png_set_IHDR(png, info, w, h, depth, colour, interlace, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, 0, filters);
    png_set_compression_buffer_size(png, 64);  // many small IDAT chunks, as large files have
    if (extra) extra(png, info);
    png_write_info(png, info);
    const size_t row = samples.size() / h;
    std::vector<png_bytep> rows(h);
    for (int y = 0; y < h; ++y) rows[y] = const_cast<png_bytep>(samples.data() + y * row);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool Decode(const std::vector<uint8_t>& png, int& w, int& h, std::vector<uint8_t>& rgba) {
    return DecodePng(png.data(), png.size(), w, h, rgba);
}

// Pseudo-random samples with smooth stretches, so that every filter has work.
std::vector<uint8_t> Samples(size_t count, uint32_t seed) {
    std::vector<uint8_t> out(count);
    for (size_t i = 0; i < count; ++i) {
        seed = seed * 1664525u + 1013904223u;
        out[i] = (seed >> 24) % 3 == 0 ? static_cast<uint8_t>(seed >> 16) : static_cast<uint8_t>(i * 7 / 5);
    }
    return out;
}

// The game's decoder and libpng give the same pixels and the same opacity.
void ExpectSameAsLibpng(const uint8_t* data, size_t size, const std::string& what,
                        std::vector<platform::PixelOrder> orders = {platform::PixelOrder::Rgba,
                                                                    platform::PixelOrder::Bgra}) {
    for (platform::PixelOrder order : orders) {
        platform::PixelBuffer fast, reference;
        ASSERT_TRUE(DecodePngWithLibpng(data, size, order, reference)) << what;
        ASSERT_TRUE(DecodePng(data, size, order, fast)) << what;
        ASSERT_EQ(fast.width, reference.width) << what;
        ASSERT_EQ(fast.height, reference.height) << what;
        EXPECT_EQ(fast.opaque, reference.opaque) << what;
        EXPECT_EQ(fast.order, order);
        EXPECT_EQ(std::memcmp(fast.bytes.get(), reference.bytes.get(), fast.Size()), 0) << what;
    }
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

TEST(PngDecodeTest, EveryFilterOfTheThreeFormatsDecodesAsLibpngDoes) {
    struct Format {
        int depth, colour, bytesPerPixel;
        const char* name;
    } formats[] = {{8, PNG_COLOR_TYPE_RGBA, 4, "RGBA 8"},
                   {16, PNG_COLOR_TYPE_RGBA, 8, "RGBA 16"},
                   {8, PNG_COLOR_TYPE_RGB, 3, "RGB 8"}};
    const struct {
        int filters;
        const char* name;
    } filters[] = {{PNG_FILTER_NONE, "none"},   {PNG_FILTER_SUB, "sub"},     {PNG_FILTER_UP, "up"},
                   {PNG_FILTER_AVG, "average"}, {PNG_FILTER_PAETH, "paeth"}, {PNG_ALL_FILTERS, "mixed"}};
    uint32_t seed = 1;
    for (const Format& format : formats)
        for (const auto& filter : filters)
            for (int width : {1, 5, 33}) {
                const int height = 7;
                const auto samples =
                    Samples(static_cast<size_t>(width) * height * format.bytesPerPixel, ++seed);
                const auto png =
                    WritePng(width, height, format.depth, format.colour, samples, filter.filters);
                ExpectSameAsLibpng(
                    png.data(), png.size(),
                    std::string(format.name) + ", " + filter.name + ", width " + std::to_string(width));
            }
    // Fully opaque RGBA is known to be opaque; RGB always is.
    std::vector<uint8_t> opaque = Samples(4 * 9 * 3, 99);
    for (size_t i = 3; i < opaque.size(); i += 4) opaque[i] = 255;
    platform::PixelBuffer pixels;
    const auto png = WritePng(9, 3, 8, PNG_COLOR_TYPE_RGBA, opaque);
    ASSERT_TRUE(DecodePng(png.data(), png.size(), platform::PixelOrder::Bgra, pixels));
    EXPECT_TRUE(pixels.opaque);
}

TEST(PngDecodeTest, EveryEmbeddedPictureDecodesAsLibpngDoes) {
    int pictures = 0;
    for (size_t i = 0; i < kEmbeddedAssetCount; ++i) {
        const EmbeddedAsset& asset = kEmbeddedAssets[i];
        const std::string kind = asset.kind;
        if (kind != "sprite" && kind != "image" && kind != "picture") continue;
        // Each byte order on every other picture: the orders share all but the last step.
        const auto order = pictures % 2 ? platform::PixelOrder::Bgra : platform::PixelOrder::Rgba;
        ExpectSameAsLibpng(asset.data, asset.size,
                           kind + " " + std::to_string(asset.number) + " " + asset.label, {order});
        ++pictures;
    }
    EXPECT_GT(pictures, 80);
}

TEST(PngDecodeTest, OtherLayoutsAndTransparencyChunksGoThroughLibpng) {
    // Interlaced, grey and a transparent colour: libpng's results exactly.
    const auto samples = Samples(6 * 5 * 4, 7);
    const auto interlaced =
        WritePng(6, 5, 8, PNG_COLOR_TYPE_RGBA, samples, PNG_ALL_FILTERS, PNG_INTERLACE_ADAM7);
    ExpectSameAsLibpng(interlaced.data(), interlaced.size(), "interlaced");
    const auto grey = WritePng(6, 5, 8, PNG_COLOR_TYPE_GRAY, Samples(30, 8));
    ExpectSameAsLibpng(grey.data(), grey.size(), "grey");

    const auto out = WritePng(2, 1, 8, PNG_COLOR_TYPE_RGB, {1, 2, 3, 4, 5, 6}, PNG_ALL_FILTERS,
                              PNG_INTERLACE_NONE, [](png_structp png, png_infop info) {
                                  png_color_16 key{};
                                  key.red = 1;
                                  key.green = 2;
                                  key.blue = 3;
                                  png_set_tRNS(png, info, nullptr, 0, &key);
                              });
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    ASSERT_TRUE(DecodePng(out.data(), out.size(), w, h, rgba));
    EXPECT_EQ(rgba, (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 255}));  // the keyed colour is transparent
}

TEST(PngDecodeTest, ADamagedChecksumOrFilterIsRefused) {
    const auto samples = Samples(8 * 4 * 4, 11);
    const auto png = WritePng(8, 4, 8, PNG_COLOR_TYPE_RGBA, samples, PNG_FILTER_NONE);
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    ASSERT_TRUE(Decode(png, w, h, rgba));
    // The last byte of the first IDAT chunk's CRC (IHDR ends at byte 33).
    const size_t idatLength = static_cast<size_t>(png[33]) << 24 | png[34] << 16 | png[35] << 8 | png[36];
    std::vector<uint8_t> badCrc = png;
    badCrc[33 + 8 + idatLength + 3] ^= 1;
    EXPECT_FALSE(Decode(badCrc, w, h, rgba));
    // A filter type of 5 inside intact compressed data.
    std::vector<uint8_t> raw;
    for (int y = 0; y < 4; ++y) {
        raw.push_back(y == 2 ? 5 : 0);
        raw.insert(raw.end(), samples.begin() + y * 32, samples.begin() + (y + 1) * 32);
    }
    uLongf packedSize = compressBound(raw.size());
    std::vector<uint8_t> packed(packedSize);
    ASSERT_EQ(compress(packed.data(), &packedSize, raw.data(), raw.size()), Z_OK);
    packed.resize(packedSize);
    std::vector<uint8_t> file(png.begin(), png.begin() + 33);  // signature and IHDR
    auto chunk = [&file](const char* type, const std::vector<uint8_t>& body) {
        const uint32_t n = static_cast<uint32_t>(body.size());
        for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<uint8_t>(n >> shift));
        const size_t start = file.size();
        file.insert(file.end(), type, type + 4);
        file.insert(file.end(), body.begin(), body.end());
        const uint32_t crc =
            crc32(crc32(0, nullptr, 0), file.data() + start, static_cast<uInt>(4 + body.size()));
        for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<uint8_t>(crc >> shift));
    };
    chunk("IDAT", packed);
    chunk("IEND", {});
    EXPECT_FALSE(Decode(file, w, h, rgba));
    EXPECT_TRUE(rgba.empty());
}
