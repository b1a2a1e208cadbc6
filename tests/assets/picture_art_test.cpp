// Properties of the pictures that the game relies on when it draws them:
// symbol sheets that loop and tile, white particles, one lit rung per
// ladder sprite, the pointer's tip at its top-left corner.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "assets/embedded.h"
#include "assets/png_decode.h"

namespace {

struct Pixels {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Pixels Load(const char* kind, int number) {
    Pixels p;
    const EmbeddedAsset* asset = FindEmbedded(kind, number);
    if (asset) DecodePng(asset->data, asset->size, p.width, p.height, p.rgba);
    return p;
}

// Mean difference of premultiplied colour between two 200 x 160 frames of a sheet.
double FrameDifference(const Pixels& sheet, int a, int b) {
    double sum = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 200; ++x) {
            const uint8_t* p = sheet.At((a % 5) * 200 + x, (a / 5) * 160 + y);
            const uint8_t* q = sheet.At((b % 5) * 200 + x, (b / 5) * 160 + y);
            for (int c = 0; c < 3; ++c) sum += std::fabs(p[c] * p[3] / 255.0 - q[c] * q[3] / 255.0);
            sum += std::fabs(p[3] - q[3]);
        }
    return sum / (200 * 160 * 4);
}

}  // namespace

TEST(PictureArtTest, SymbolSheetsLoopWithoutAJump) {
    for (int sheet = 0; sheet <= 13; ++sheet) {
        SCOPED_TRACE(sheet);
        const Pixels p = Load("sprite", sheet);
        ASSERT_EQ(p.width, 1000);
        double largestStep = 0;
        for (int f = 0; f < 24; ++f) largestStep = std::max(largestStep, FrameDifference(p, f, f + 1));
        const double wrap = FrameDifference(p, 24, 0);
        // Going from the last frame back to the first is no bigger a step than any other.
        EXPECT_LE(wrap, largestStep * 1.25 + 0.05);
        // And the sheet really animates.
        EXPECT_GT(largestStep, 0.05);
    }
}

TEST(PictureArtTest, SymbolFramesFadeOutBeforeTheCellBorder) {
    for (int sheet = 0; sheet <= 13; ++sheet) {
        const Pixels p = Load("sprite", sheet);
        ASSERT_EQ(p.height, 800);
        int strongest = 0;
        for (int frame = 0; frame < 25; ++frame) {
            const int ox = (frame % 5) * 200, oy = (frame / 5) * 160;
            for (int i = 0; i < 200; ++i)
                strongest = std::max({strongest, int(p.At(ox + i, oy)[3]), int(p.At(ox + i, oy + 159)[3])});
            for (int i = 0; i < 160; ++i)
                strongest = std::max({strongest, int(p.At(ox, oy + i)[3]), int(p.At(ox + 199, oy + i)[3])});
        }
        EXPECT_LE(strongest, 8) << "sheet " << sheet;
    }
}

TEST(PictureArtTest, ParticlesAreWhiteSoTheGameCanTintThem) {
    for (int number = 73; number <= 77; ++number) {
        const Pixels p = Load("sprite", number);
        ASSERT_EQ(p.width, 32);
        int visible = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const uint8_t* px = p.At(x, y);
                if (px[3] < 8) continue;
                ++visible;
                EXPECT_GE(std::min({px[0], px[1], px[2]}), 245) << number << " at " << x << "," << y;
            }
        EXPECT_GT(visible, 20) << number;
        EXPECT_LE(p.At(0, 0)[3], 8) << number;  // soft: nothing at the corners
    }
}

TEST(PictureArtTest, EachLadderSpriteLightsItsOwnRungBottomToTop) {
    double previousCentre = 1e9;
    for (int rung = 0; rung < 16; ++rung) {
        const Pixels p = Load("sprite", 21 + rung);
        ASSERT_EQ(p.height, 807);
        // Centre and spread of the strongly lit rows.
        double weight = 0, centre = 0;
        int top = p.height, bottom = -1;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (p.At(x, y)[3] > 200) {
                    weight += 1;
                    centre += y;
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_GT(weight, 0) << rung;
        centre /= weight;
        EXPECT_LT(centre, previousCentre) << rung;
        EXPECT_LT(bottom - top, 807 / 16) << rung;  // one rung, not two
        previousCentre = centre;
    }
    // Nothing is lit in the header where the countdown is written.
    const Pixels frame = Load("sprite", 37);
    for (int y = 8; y < 30; ++y)
        for (int x = 8; x < 170; ++x)
            EXPECT_LT(frame.At(x, y)[0] + frame.At(x, y)[1] + frame.At(x, y)[2], 60);
}

TEST(PictureArtTest, ThePointerTipIsAtTheTopLeftCorner) {
    const Pixels p = Load("sprite", 55);
    ASSERT_EQ(p.width, 40);
    EXPECT_GT(p.At(2, 3)[3], 200);
    EXPECT_GT(p.At(3, 10)[3], 200);
    EXPECT_LT(p.At(30, 4)[3], 40);
    EXPECT_LT(p.At(36, 36)[3], 40);
}

TEST(PictureArtTest, TheFullScreenPicturesAreOpaque) {
    for (int number : {15, 19, 58, 63, 69}) {
        const Pixels p = Load("sprite", number);
        ASSERT_EQ(p.width, 1600);
        int seeThrough = 0;
        for (size_t i = 3; i < p.rgba.size(); i += 4) seeThrough += p.rgba[i] != 255;
        EXPECT_EQ(seeThrough, 0) << number;
    }
}
