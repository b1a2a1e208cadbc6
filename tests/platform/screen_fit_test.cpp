// The scaled screen: the picture's place, the pointer's way back to screen
// pixels, and a scaler whose pieces give exactly the whole picture.
#include "platform/common/screen_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using platform::FitScreen;
using platform::PixelRect;
using platform::ScreenScaler;
using platform::WindowToScreen;

namespace {

constexpr int ScreenW = 1280, ScreenH = 768;

std::vector<uint32_t> Noise(size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> pixels(count);
    for (uint32_t& p : pixels) p = random() | 0xFF000000u;
    return pixels;
}

// The same sampling in floating point: what the fixed-point scaler must match.
uint32_t Reference(const std::vector<uint32_t>& screen, const PixelRect& picture, int wx, int wy) {
    const auto axis = [](int d, int pictureSize, int screenSize, int& from, int& to, double& weight) {
        const double at = (d + 0.5) * screenSize / pictureSize - 0.5;
        from = std::clamp(static_cast<int>(std::floor(at)), 0, screenSize - 1);
        to = std::min(from + 1, screenSize - 1);
        weight = at <= 0 ? 0 : at - std::floor(at);
    };
    int x0, x1, y0, y1;
    double fx, fy;
    axis(wx - picture.x, picture.w, ScreenW, x0, x1, fx);
    axis(wy - picture.y, picture.h, ScreenH, y0, y1, fy);
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const auto c = [&](int x, int y) {
            return static_cast<double>((screen[y * ScreenW + x] >> shift) & 255);
        };
        const double top = c(x0, y0) * (1 - fx) + c(x1, y0) * fx;
        const double bottom = c(x0, y1) * (1 - fx) + c(x1, y1) * fx;
        out |= static_cast<uint32_t>(std::lround(top * (1 - fy) + bottom * fy)) << shift;
    }
    return out;
}

int ChannelDistance(uint32_t a, uint32_t b) {
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8)
        most = std::max(
            most, std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)));
    return most;
}

}  // namespace

TEST(ScreenFitTest, ThePictureIsTheLargestThatFitsCentredBetweenBars) {
    // The desktops players have, wider and narrower than the screen, and smaller.
    const int sizes[][2] = {{1920, 1080}, {2560, 1440}, {3840, 2160}, {1024, 600}, {1280, 1024},
                            {2560, 1536}, {1366, 768},  {800, 1280},  {1280, 768}, {1281, 769}};
    for (const auto& size : sizes) {
        const PixelRect p = FitScreen(size[0], size[1], ScreenW, ScreenH);
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        EXPECT_GE(p.x, 0);
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.x + p.w, size[0]);
        EXPECT_LE(p.y + p.h, size[1]);
        EXPECT_TRUE(p.w == size[0] || p.h == size[1]);  // nothing larger would fit
        EXPECT_LE(std::abs(p.x * 2 + p.w - size[0]), 1);
        EXPECT_LE(std::abs(p.y * 2 + p.h - size[1]), 1);
        EXPECT_NEAR(static_cast<double>(p.w) / p.h, static_cast<double>(ScreenW) / ScreenH, 2.0 / p.h);
    }
    const PixelRect hd = FitScreen(1920, 1080, ScreenW, ScreenH);
    EXPECT_EQ(hd.w, 1800);  // 1080 / 768 of the screen, with 60-pixel bars at both sides
    EXPECT_EQ(hd.x, 60);
}

TEST(ScreenFitTest, EveryWindowPixelMapsToTheScreenPixelDrawnUnderIt) {
    for (const auto& size : {std::pair{1920, 1080}, std::pair{1024, 600}, std::pair{2560, 1536}}) {
        const PixelRect p = FitScreen(size.first, size.second, ScreenW, ScreenH);
        for (int wx = 0; wx < size.first; ++wx) {
            const int x = WindowToScreen(p.x, p.w, ScreenW, wx);
            if (wx < p.x) {
                EXPECT_LT(x, 0);
            } else if (wx >= p.x + p.w) {
                EXPECT_GE(x, ScreenW);
            } else {
                // Screen pixel x covers window [x * w / W, (x + 1) * w / W): the pixel's centre lies inside.
                const double centre = wx - p.x + 0.5;
                ASSERT_LE(x * static_cast<double>(p.w) / ScreenW, centre) << wx;
                ASSERT_GT((x + 1) * static_cast<double>(p.w) / ScreenW, centre) << wx;
            }
        }
        // The edges of the picture are the screen's edges, where the pointer is released.
        EXPECT_EQ(WindowToScreen(p.y, p.h, ScreenH, p.y), 0);
        EXPECT_EQ(WindowToScreen(p.y, p.h, ScreenH, p.y + p.h - 1), ScreenH - 1);
    }
}

TEST(ScreenFitTest, ScaledPixelsAreBilinearOrExactCopiesAtWholeFactors) {
    const std::vector<uint32_t> screen = Noise(static_cast<size_t>(ScreenW) * ScreenH, 7);
    for (const auto& size : {std::pair{1920, 1080}, std::pair{1024, 600}, std::pair{2560, 1440}}) {
        const PixelRect p = FitScreen(size.first, size.second, ScreenW, ScreenH);
        std::vector<uint32_t> window(static_cast<size_t>(size.first) * size.second, 0);
        ScreenScaler scaler;
        scaler.Prepare(p, ScreenW, ScreenH);
        scaler.Scale(screen.data(), ScreenW, window.data(), size.first, p);
        int worst = 0;
        for (int wy = p.y; wy < p.y + p.h; wy += 3)
            for (int wx = p.x; wx < p.x + p.w; wx += 5)
                worst = std::max(worst,
                                 ChannelDistance(window[wy * size.first + wx], Reference(screen, p, wx, wy)));
        EXPECT_LE(worst, 2) << size.first;  // 8-bit weights, two roundings
        EXPECT_EQ(window[0], 0u) << "the bars are left alone";
    }
    const PixelRect twice{0, 0, 2 * ScreenW, 2 * ScreenH};
    std::vector<uint32_t> window(static_cast<size_t>(twice.w) * twice.h, 0);
    ScreenScaler scaler;
    scaler.Prepare(twice, ScreenW, ScreenH);
    scaler.Scale(screen.data(), ScreenW, window.data(), twice.w, twice);
    for (int wy = 0; wy < twice.h; wy += 7)
        for (int wx = 0; wx < twice.w; ++wx)
            ASSERT_EQ(window[wy * twice.w + wx], screen[(wy / 2) * ScreenW + wx / 2]) << wx << "," << wy;
}

TEST(ScreenFitTest, ScalingOnlyTheChangedPiecesGivesTheWholeScaledPicture) {
    std::mt19937 random(11);
    for (const auto& size : {std::pair{1920, 1080}, std::pair{1024, 600}, std::pair{2560, 1440}}) {
        SCOPED_TRACE(size.first);
        const PixelRect p = FitScreen(size.first, size.second, ScreenW, ScreenH);
        std::vector<uint32_t> screen = Noise(static_cast<size_t>(ScreenW) * ScreenH, 3);
        std::vector<uint32_t> pieces(static_cast<size_t>(size.first) * size.second, 0);
        ScreenScaler scaler;
        scaler.Prepare(p, ScreenW, ScreenH);
        scaler.Scale(screen.data(), ScreenW, pieces.data(), size.first, p);
        for (int frame = 0; frame < 20; ++frame) {
            // A few pieces change, some of them a single pixel or a screen edge.
            for (int k = 0; k < 4; ++k) {
                PixelRect piece{static_cast<int>(random() % ScreenW), static_cast<int>(random() % ScreenH),
                                1 + static_cast<int>(random() % 90), 1 + static_cast<int>(random() % 60)};
                if (k == 0) piece = PixelRect{ScreenW - 1, static_cast<int>(random() % ScreenH), 1, 1};
                piece.w = std::min(piece.w, ScreenW - piece.x);
                piece.h = std::min(piece.h, ScreenH - piece.y);
                for (int y = piece.y; y < piece.y + piece.h; ++y)
                    for (int x = piece.x; x < piece.x + piece.w; ++x)
                        screen[y * ScreenW + x] = random() | 0xFF000000u;
                scaler.Scale(screen.data(), ScreenW, pieces.data(), size.first, scaler.WindowRectFor(piece));
            }
        }
        std::vector<uint32_t> whole(pieces.size(), 0);
        scaler.Scale(screen.data(), ScreenW, whole.data(), size.first, p);
        size_t differing = 0;
        for (size_t i = 0; i < whole.size(); ++i) differing += whole[i] != pieces[i];
        EXPECT_EQ(differing, 0u);
    }
}
