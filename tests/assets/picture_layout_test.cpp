// The pictures fit the places where the game draws over them: dark calm
// areas under texts and reels, plain areas under buttons, brighter hover
// buttons, and a prize wheel that turns one segment per frame.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/embedded.h"
#include "assets/png_decode.h"

namespace {

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Pixels Load(int sprite, int variant = 0) {
    Pixels p;
    const EmbeddedAsset* asset = FindEmbedded("sprite", sprite, variant);
    if (asset) DecodePng(asset->data, asset->size, p.width, p.height, p.rgba);
    return p;
}

double Luma(const uint8_t* px) { return (0.3 * px[0] + 0.59 * px[1] + 0.11 * px[2]) * px[3] / 255.0; }

struct Stats {
    double mean = 0, spread = 0;
};

// Brightness of a full-screen picture over a rectangle given in screen
// percentages (the pictures are drawn zoomed from 1600 x 950 to 1280 x 768).
Stats Region(const Pixels& p, double x1, double x2, double y1, double y2) {
    const int px1 = static_cast<int>(p.width * x1 / 100), px2 = static_cast<int>(p.width * x2 / 100);
    const int py1 = static_cast<int>(p.height * y1 / 100), py2 = static_cast<int>(p.height * y2 / 100);
    double sum = 0, squares = 0;
    int count = 0;
    for (int y = py1; y < py2; ++y)
        for (int x = px1; x < px2; ++x) {
            const double l = Luma(p.At(x, y));
            sum += l;
            squares += l * l;
            ++count;
        }
    Stats s;
    s.mean = sum / count;
    s.spread = std::sqrt(std::max(0.0, squares / count - s.mean * s.mean));
    return s;
}

double MeanLuma(const Pixels& p) {
    double sum = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) sum += Luma(p.At(x, y));
    return sum / (p.width * p.height);
}

}  // namespace

TEST(PictureLayoutTest, TheBackgroundIsDarkWhereTheGameDrawsReelsAndTexts) {
    const Pixels background = Load(15);
    ASSERT_EQ(background.width, 1600);
    // Reel window (screen 118..1118 x 145..625), inside its frame.
    const Stats reels = Region(background, 11, 85, 22, 79);
    EXPECT_LT(reels.mean, 30);
    EXPECT_LT(reels.spread, 14);
    // Counter plates: labels at y 86 %, values at 91 %.
    for (const auto& plate : {std::pair{8.0, 19.0}, {27.0, 39.0}, {51.0, 58.75}}) {
        const Stats s = Region(background, plate.first, plate.second, 85.5, 92);
        EXPECT_LT(s.mean, 45) << plate.first;
    }
    // Level text, date and time.
    EXPECT_LT(Region(background, 91, 99, 77.5, 83).mean, 45);
}

TEST(PictureLayoutTest, ThePaytableLeavesDarkRoomForItsAmountsInBothLanguages) {
    for (int variant : {0, 1}) {
        const Pixels page = Load(19, variant);
        ASSERT_EQ(page.width, 1600);
        const struct {
            double x, y1, y2;
        } columns[] = {{51, 42, 48}, {57, 66, 72}, {75, 53, 59}, {79, 30, 38}};
        for (const auto& c : columns) {
            const Stats s = Region(page, c.x, c.x + 9, c.y1, c.y2);
            EXPECT_LT(s.mean, 40) << "variant " << variant << " column " << c.x;
            EXPECT_LT(s.spread, 16) << "variant " << variant << " column " << c.x;
        }
        // The back button and the clock on the left stay plain.
        EXPECT_LT(Region(page, 3, 22, 81, 95).spread, 20) << variant;
    }
    // The two languages are different pictures.
    EXPECT_NE(Load(19, 0).rgba, Load(19, 1).rgba);
}

TEST(PictureLayoutTest, TheWheelLeavesTheStartButtonAreaPlainAndTurnsOneSegmentPerFrame) {
    const Pixels first = Load(58);
    ASSERT_EQ(first.width, 1600);
    EXPECT_LT(Region(first, 65, 75, 88, 94).spread, 22);
    // Frame k + 1 is frame k turned 30 degrees clockwise round the hub: compare a ring of samples.
    const double cx = 800, cy = 462, r = 200;
    for (int frame = 0; frame < 12; ++frame) {
        const Pixels a = Load(58 + frame), b = Load(58 + (frame + 1) % 12);
        double matched = 0, unmatched = 0;
        for (int i = 0; i < 360; ++i) {
            const double angle = i * M_PI / 180, turned = angle + M_PI / 6;
            const uint8_t* before =
                a.At(static_cast<int>(cx + r * std::cos(angle)), static_cast<int>(cy + r * std::sin(angle)));
            const uint8_t* after = b.At(static_cast<int>(cx + r * std::cos(turned)),
                                        static_cast<int>(cy + r * std::sin(turned)));
            const uint8_t* still =
                b.At(static_cast<int>(cx + r * std::cos(angle)), static_cast<int>(cy + r * std::sin(angle)));
            for (int c = 0; c < 3; ++c) {
                matched += std::abs(before[c] - after[c]);
                unmatched += std::abs(before[c] - still[c]);
            }
        }
        EXPECT_LT(matched * 4, unmatched) << "frame " << frame;
    }
}

TEST(PictureLayoutTest, HoverButtonsAreBrighterAndTheRedOnesRed) {
    const int pairs[][2] = {{40, 41}, {43, 44}, {47, 48}, {49, 50}, {45, 46}, {51, 52}, {53, 54}};
    for (const auto& pair : pairs)
        EXPECT_GT(MeanLuma(Load(pair[1])), MeanLuma(Load(pair[0])) * 1.15) << pair[0];
    for (int red : {42, 39}) {
        const Pixels p = Load(red);
        // The body below the lettering.
        double r = 0, g = 0, b = 0;
        for (int y = 48; y < 55; ++y)
            for (int x = 40; x < 134; ++x) {
                r += p.At(x, y)[0];
                g += p.At(x, y)[1];
                b += p.At(x, y)[2];
            }
        EXPECT_GT(r, 2 * g) << red;
        EXPECT_GT(r, 2 * b) << red;
    }
}
