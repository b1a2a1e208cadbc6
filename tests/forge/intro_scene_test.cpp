// The intro's camera and its frames: the flight only ever goes forward and
// ends with the reel frame at the game's own size; every frame is the same
// whichever thread paints it; the movie opens out of black and ends on one
// still picture.
#include <gtest/gtest.h>

#include <thread>

#include "data/forge/intro/intro_frame.h"
#include "data/forge/intro/intro_timeline.h"

namespace {

using namespace forge::intro;

const IntroLayers& Layers() {
    static const IntroLayers layers = BuildIntroLayers(2);
    return layers;
}

std::vector<uint8_t> Frame(int number) {
    forge::paint::Canvas canvas(Width, Height);
    RenderIntroFrame(Layers(), number, canvas);
    cairo_surface_flush(canvas.surface);
    const uint8_t* data = cairo_image_surface_get_data(canvas.surface);
    return {data, data + static_cast<size_t>(cairo_image_surface_get_stride(canvas.surface)) * Height};
}

int Brightest(const std::vector<uint8_t>& pixels) {
    int brightest = 0;
    for (size_t i = 0; i < pixels.size(); i += 4)
        brightest = std::max({brightest, int{pixels[i]}, int{pixels[i + 1]}, int{pixels[i + 2]}});
    return brightest;
}

}  // namespace

TEST(IntroCameraTest, FliesOnlyForwardAndStopsWithTheReelFrameOneUnitAhead) {
    EXPECT_EQ(Travelled(0), 0.0);
    double last = 0;
    for (int ms = 1; ms <= static_cast<int>(Length * 1000); ++ms) {
        const double t = ms / 1000.0, travelled = Travelled(t);
        ASSERT_GE(travelled, last) << "the camera goes back at " << t << " s";
        ASSERT_GE(Speed(t), 0.0) << t;
        ASSERT_GE(ReelFrameDepth(t), 1.0) << "the camera flies through the reel frame at " << t << " s";
        last = travelled;
    }
    EXPECT_GT(ReelFrameDepth(0), 20.0);  // far off when the flight starts
    EXPECT_LT(ReelFrameDepth(Arrival), 1.3);
    EXPECT_DOUBLE_EQ(ReelFrameDepth(StillFrom), 1.0);
    EXPECT_NEAR(ReelFrameDepth(Length), 1.0, 1e-9);
}

// One test, as the layers take seconds to paint and each test runs alone.
TEST(IntroFramesTest, EveryThreadPaintsTheSameFramesOutOfBlackIntoOneStillPicture) {
    // The motes, the flash and the push towards the frame all at once.
    const int busy = static_cast<int>((LogoFlash - 0.1) * FramesPerSecond);
    std::vector<uint8_t> a, b;
    std::thread first([&] { a = Frame(busy); });
    std::thread second([&] { b = Frame(busy); });
    first.join();
    second.join();
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == Frame(busy));
    EXPECT_GT(Brightest(a), 200);

    EXPECT_LE(Brightest(Frame(0)), 2);
    const std::vector<uint8_t> still = Frame(FirstStillFrame);
    EXPECT_TRUE(still == Frame(FrameCount - 1));
    EXPECT_FALSE(still == Frame(FirstStillFrame - FramesPerSecond));  // a second before it still moves
    EXPECT_GT(Brightest(still), 200);
}
