// The pictures that are only ever drawn zoomed are decoded straight into the
// size they are drawn at. On the real SDL backend (software renderer, no
// display) they must show exactly the pixels that drawing the full-size
// picture zoomed shows, and the start-up load must keep them at that size.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/embedded.h"
#include "assets/png_decode.h"
#include "platform/platform.h"

namespace {

class ZoomedPicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        unsetenv("SDL_RENDER_DRIVER");
        ASSERT_TRUE(platform::InitWindowSystem());
        ASSERT_TRUE(platform::OpenWindow(0, 0, 0, 1280, 768, "zoom", platform::WindowCaptioned));
        ASSERT_TRUE(platform::OpenScreen(0, 0, 0, 1280, 768));
    }
    static void TearDownTestSuite() {
        platform::CloseScreen();
        platform::CloseWindow(0);
        platform::ShutdownPlatform();
    }

    // The screen after drawing sprite `id` zoomed to w x h at the top-left corner.
    static std::vector<uint8_t> Drawn(int id, int w, int h) {
        platform::ClearScreen(0x000000);
        platform::DrawOptions options;
        options.width = w;
        options.height = h;
        platform::DrawSprite(id, 0, 0, options);
        std::vector<uint8_t> rgba;
        int width = 0, height = 0;
        EXPECT_TRUE(platform::GrabScreen(rgba, width, height));
        platform::FlipBuffers();
        return rgba;
    }
};

TEST_F(ZoomedPicturesTest, DecodedAtTheirDrawnSizeTheyShowWhatZoomingThemShowed) {
    platform::SetSpriteQuality(0);
    const struct {
        int number, variant, width, height;
        const char* what;
    } pictures[] = {{15, 0, 1280, 768, "background (RGBA 16)"},
                    {19, 0, 1280, 768, "paytable page (RGB 8)"},
                    {58, 0, 1280, 768, "first wheel frame (RGBA 8)"},
                    {30, 0, 108, 484, "a ladder rung (RGBA 16)"}};
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.what);
        const EmbeddedAsset* asset = FindEmbedded("sprite", picture.number, picture.variant);
        ASSERT_NE(asset, nullptr);
        // As before: the whole picture as a sprite, zoomed when drawn.
        int w = 0, h = 0;
        std::vector<uint8_t> rgba;
        ASSERT_TRUE(DecodePng(asset->data, asset->size, w, h, rgba));
        ASSERT_TRUE(platform::CreateSprite(200, w, h, rgba.data()));
        const std::vector<uint8_t> before = Drawn(200, picture.width, picture.height);
        // Now: decoded in the screen's byte order and zoomed once.
        platform::PixelBuffer decoded, zoomed;
        ASSERT_TRUE(DecodePng(asset->data, asset->size, platform::ScreenPixelOrder(), decoded));
        ASSERT_TRUE(platform::ZoomPixels(decoded, picture.width, picture.height, zoomed));
        ASSERT_TRUE(platform::CreateSpriteFromPixels(201, w, h, zoomed));
        EXPECT_EQ(platform::SpriteWidth(201), w);
        EXPECT_EQ(platform::SpriteHeight(201), h);
        const std::vector<uint8_t> after = Drawn(201, picture.width, picture.height);
        ASSERT_EQ(before.size(), after.size());
        size_t differing = 0;
        for (size_t i = 0; i < before.size(); ++i) differing += before[i] != after[i];
        EXPECT_EQ(differing, 0u);
        platform::FreeSprite(200);
        platform::FreeSprite(201);
    }
}

TEST_F(ZoomedPicturesTest, APictureKeptZoomedStillDrawsAtItsOwnSizeAndInParts) {
    // 4 x 2 pixels kept at 2 x 1: drawn at its own size it is zoomed back up,
    // and a clip in the picture's own pixels picks the matching stored pixels.
    platform::PixelBuffer small;
    ASSERT_TRUE(small.Allocate(2, 1));
    small.order = platform::ScreenPixelOrder();
    small.opaque = true;
    const uint8_t left[4] = {10, 20, 30, 255}, right[4] = {200, 100, 50, 255};
    std::memcpy(small.bytes.get(), left, 4);
    std::memcpy(small.bytes.get() + 4, right, 4);
    ASSERT_TRUE(platform::CreateSpriteFromPixels(202, 4, 2, small));
    platform::ClearScreen(0x000000);
    platform::DrawOptions clip;
    clip.clipX = 2;
    clip.clipWidth = 2;
    clip.clipHeight = 2;
    platform::DrawSprite(202, 0, 0, clip);  // the right half: 2 x 2 on screen
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    ASSERT_TRUE(platform::GrabScreen(rgba, width, height));
    platform::FlipBuffers();
    const auto pixel = [&](int x, int y) {
        const uint8_t* p = rgba.data() + (static_cast<size_t>(y) * width + x) * 4;
        return std::vector<int>{p[0], p[1], p[2]};
    };
    const bool bgra = platform::ScreenPixelOrder() == platform::PixelOrder::Bgra;
    const std::vector<int> expected = bgra ? std::vector<int>{50, 100, 200} : std::vector<int>{200, 100, 50};
    EXPECT_EQ(pixel(0, 0), expected);
    EXPECT_EQ(pixel(1, 1), expected);
    EXPECT_EQ(pixel(2, 0), (std::vector<int>{0, 0, 0}));
    platform::FreeSprite(202);
}

}  // namespace
