// The desktop icons the forge draws for the hicolor theme: every size is
// there, square, with room around the planet, and the small ones are drawn
// for their pixel grid rather than being the large picture scaled down.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/png_decode.h"

namespace {

struct Icon {
    int size = 0;
    std::vector<uint8_t> rgba;
    int Alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * size + x) * 4 + 3]; }
};

Icon LoadIcon(int size) {
    const std::string path = std::string(NEBULOR_DATA_DIR) + "/nebulor-icon-" + std::to_string(size) + ".png";
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Icon icon;
    int width = 0, height = 0;
    EXPECT_TRUE(DecodePng(bytes.data(), bytes.size(), width, height, icon.rgba)) << path;
    EXPECT_EQ(width, size) << path;
    EXPECT_EQ(height, size) << path;
    icon.size = width == size && height == size ? size : 0;
    return icon;
}

// The large icon averaged down to `size` (premultiplied box filter): what a
// desktop would show if only the large picture existed.
Icon ScaledDown(const Icon& large, int size) {
    Icon small;
    small.size = size;
    small.rgba.assign(static_cast<size_t>(size) * size * 4, 0);
    const int step = large.size / size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double sum[4] = {0, 0, 0, 0};
            for (int v = 0; v < step; ++v)
                for (int u = 0; u < step; ++u) {
                    const uint8_t* p =
                        &large.rgba[(static_cast<size_t>(y * step + v) * large.size + x * step + u) * 4];
                    for (int c = 0; c < 3; ++c) sum[c] += p[c] * p[3] / 255.0;
                    sum[3] += p[3];
                }
            uint8_t* out = &small.rgba[(static_cast<size_t>(y) * size + x) * 4];
            const double alpha = sum[3] / (step * step);
            for (int c = 0; c < 3; ++c)
                out[c] = alpha > 0 ? static_cast<uint8_t>(sum[c] / (step * step) * 255 / alpha) : 0;
            out[3] = static_cast<uint8_t>(alpha + 0.5);
        }
    return small;
}

// Pixels that are neither clear nor solid: the soft, blurred part of a picture.
int SoftPixels(const Icon& icon) {
    int soft = 0;
    for (int y = 0; y < icon.size; ++y)
        for (int x = 0; x < icon.size; ++x) soft += icon.Alpha(x, y) > 24 && icon.Alpha(x, y) < 232;
    return soft;
}

}  // namespace

TEST(DesktopIconTest, EverySizeOfTheThemeIsASquareIconWithClearCorners) {
    for (const int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        SCOPED_TRACE(size);
        const Icon icon = LoadIcon(size);
        ASSERT_EQ(icon.size, size);
        for (const int corner : {0, size - 1}) {
            EXPECT_EQ(icon.Alpha(corner, 0), 0);
            EXPECT_EQ(icon.Alpha(corner, size - 1), 0);
        }
        // The planet and its ring fill the icon without touching its edges.
        int solid = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) solid += icon.Alpha(x, y) >= 128;
        EXPECT_GT(solid, size * size / 4);
        EXPECT_LT(solid, size * size * 3 / 4);
        for (int i = 0; i < size; ++i) {
            EXPECT_LT(icon.Alpha(i, 0), 128) << "top edge at " << i;
            EXPECT_LT(icon.Alpha(i, size - 1), 128) << "bottom edge at " << i;
            EXPECT_LT(icon.Alpha(0, i), 128) << "left edge at " << i;
            EXPECT_LT(icon.Alpha(size - 1, i), 128) << "right edge at " << i;
        }
    }
}

TEST(DesktopIconTest, SmallSizesAreDrawnCrispNotScaledDownFromTheLargeOne) {
    const Icon large = LoadIcon(512);
    ASSERT_EQ(large.size, 512);
    for (const int size : {16, 32}) {
        SCOPED_TRACE(size);
        const Icon drawn = LoadIcon(size);
        ASSERT_EQ(drawn.size, size);
        const Icon scaled = ScaledDown(large, size);
        // A silhouette with hard edges: a third fewer half-transparent pixels at least.
        EXPECT_LT(SoftPixels(drawn) * 3, SoftPixels(scaled) * 2)
            << "soft pixels: drawn " << SoftPixels(drawn) << ", scaled " << SoftPixels(scaled);
    }
}
