// The real SDL backend (software renderer, no display) repaints only where a
// frame differs from the last one. Every frame of real play is checked
// against the same frame painted whole: a piece of the screen left stale by a
// missed change shows up as a differing pixel.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/count_up.h"
#include "core/game_state.h"
#include "core/main_loop.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/common/screen_fit.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"
#include "slot/risk_ladder.h"
#include "slot/stake.h"
#include "slot/win_presentation.h"
#include "tests/platform/sdl/real_game.h"
#include "ui/paytable_page.h"

namespace {

using platform::sdl::Repainting;

class RepaintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { started_ = StartRealGame("repaint", home_); }
    static void TearDownTestSuite() { StopRealGame(started_, home_); }

    void SetUp() override { ASSERT_TRUE(started_); }

    struct Tally {
        int64_t frames = 0, whole = 0, painted = 0;
        int64_t stripLaidOut = 0;  // frames in which the menu strip ran ImGui
    };

    // Plays `ms` of the real clock, and at least `atLeast` frames however slow
    // the machine is; after every frame the screen must equal the frame painted whole.
    Tally CheckedFrames(int64_t ms, const char* scene, int64_t atLeast = 0) {
        Tally tally;
        const int64_t end = platform::ElapsedMilliseconds() + ms;
        std::vector<uint8_t> pieces, whole;
        int w = 0, h = 0;
        while ((platform::ElapsedMilliseconds() < end || tally.frames < atLeast) && !MainLoopFinished()) {
            const int64_t wholeBefore = Repainting().wholeFrames;
            const int64_t layoutsBefore = platform::sdl::State().menuStripLayouts;
            RunMainLoopPass();
            ++tally.frames;
            tally.stripLaidOut += platform::sdl::State().menuStripLayouts - layoutsBefore;
            tally.whole += Repainting().wholeFrames - wholeBefore;
            tally.painted += Repainting().paintedPixels;
            EXPECT_TRUE(platform::GrabScreen(pieces, w, h));
            platform::sdl::RepaintWholeLastFrame();
            EXPECT_TRUE(platform::GrabScreen(whole, w, h));
            if (pieces != whole) {
                size_t at = 0;
                while (at < pieces.size() && pieces[at] == whole[at]) ++at;
                const size_t pixel = at / 4;
                ADD_FAILURE() << scene << ", frame " << tally.frames << ": pixel (" << pixel % w << ", "
                              << pixel / w << ") differs from the whole repaint";
                break;
            }
        }
        return tally;
    }

    static inline std::string home_;
    static inline bool started_ = false;
};

TEST_F(RepaintTest, EveryFrameOfPlayMatchesTheWholeRepaintAndIdleFramesPaintLittle) {
    platform::SetFrameRate(60);
    const int64_t screen = 1280 * 748;

    CheckedFrames(1500, "payline demo");
    platform::MouseLocate(1010, 640);
    EndPaylineDemo();
    CheckedFrames(4000, "the demo's particles dying away");

    // Idle: drifting sparkles, the clock and the pointer moving over buttons.
    Tally idle = CheckedFrames(1500, "idle", 61);
    // With no input the menu strip rests: the framebuffer still shows it.
    EXPECT_LT(idle.stripLaidOut * 10, idle.frames);
    for (int x = 200; x < 1200; x += 40) {
        platform::MouseLocate(x, 660);
        Tally moved = CheckedFrames(40, "pointer moving");
        idle.frames += moved.frames;
        idle.whole += moved.whole;
        idle.painted += moved.painted;
    }
    ASSERT_GT(idle.frames, 60);
    EXPECT_LT(idle.whole * 10, idle.frames);  // nearly every idle frame paints pieces
    EXPECT_LT(idle.painted / idle.frames, screen / 10);

    // Spins, with whatever they win, and the presentation of it.
    for (int spin = 0; spin < 3; ++spin) {
        RequestSpin(false);
        CheckedFrames(3500, "spin");
    }

    // A win on the risk ladder.
    Game.CountUps.clear();
    Game.CurrentWin = Game.DisplayedWin = 150;
    StartRisk();
    CheckedFrames(800, "risk ladder");
    TakeRisk();
    CheckedFrames(1200, "ladder taken");

    // A message fading in over the reels, then the paytable page and back.
    ShowAboutMessage();
    CheckedFrames(1200, "message");
    Game.MessageOverlayOn = 0;
    Game.GamePhase = PhasePaytable;
    CheckedFrames(400, "paytable");
    Game.GamePhase = PhaseSettled;
    CheckedFrames(400, "back from the paytable");
    EXPECT_LT(Repainting().wholeFrames, Repainting().frames);
}

TEST_F(RepaintTest, FullscreenShowsEveryFrameAsTheWholeScreenScaled) {
    // Idle play without the payline demo, however the suite was run.
    platform::SetFrameRate(60);
    EndPaylineDemo();
    for (const int64_t end = platform::ElapsedMilliseconds() + 3000; platform::ElapsedMilliseconds() < end;)
        RunMainLoopPass();
    // The dummy desktop (1024 x 768) is smaller than the screen: scaled down.
    ASSERT_TRUE(platform::SetWindowFullscreen(0, true));
    platform::sdl::Window* window = platform::sdl::FindWindow(0);
    ASSERT_NE(window, nullptr);
    std::vector<uint8_t> screen;
    std::vector<uint32_t> argb, expected;
    platform::ScreenScaler scaler;
    int64_t frames = 0, inPieces = 0;
    const auto check = [&](int64_t ms, const char* scene) {
        for (const int64_t end = platform::ElapsedMilliseconds() + ms;
             platform::ElapsedMilliseconds() < end;) {
            const int64_t wholeBefore = Repainting().wholeFrames;
            RunMainLoopPass();
            ++frames;
            inPieces += Repainting().wholeFrames == wholeBefore;
            int w = 0, h = 0;
            ASSERT_TRUE(platform::GrabScreen(screen, w, h));
            ASSERT_EQ(w, 1280);
            ASSERT_EQ(h, 768);
            argb.resize(screen.size() / 4);
            for (size_t i = 0; i < argb.size(); ++i)
                argb[i] = 0xFF000000u | screen[i * 4] << 16 | screen[i * 4 + 1] << 8 | screen[i * 4 + 2];
            SDL_Surface* surface = SDL_GetWindowSurface(window->handle);
            ASSERT_NE(surface, nullptr);
            ASSERT_EQ(surface->format->BytesPerPixel, 4);
            const platform::PixelRect picture = platform::FitScreen(surface->w, surface->h, 1280, 768);
            ASSERT_EQ(picture.w, surface->w);  // nothing cut: the whole width, bars above and below
            expected.assign(static_cast<size_t>(surface->w) * surface->h, 0);
            scaler.Prepare(picture, 1280, 768);
            scaler.Scale(argb.data(), 1280, expected.data(), surface->w, picture);
            for (int y = 0; y < surface->h; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(
                    static_cast<const uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch);
                for (int x = 0; x < surface->w; ++x)
                    if ((row[x] & 0xFFFFFFu) !=
                        (expected[static_cast<size_t>(y) * surface->w + x] & 0xFFFFFFu)) {
                        ADD_FAILURE() << scene << ", frame " << frames << ": window pixel (" << x << ", " << y
                                      << ") is stale";
                        return;
                    }
            }
        }
    };
    check(1500, "idle");
    for (int x = 200; x < 1200; x += 80) {
        platform::MouseLocate(x, 660);
        check(40, "pointer moving");
    }
    RequestSpin(false);
    check(3000, "spin");
    EXPECT_GT(inPieces * 2, frames);  // most frames are scaled in pieces
    ASSERT_TRUE(platform::SetWindowFullscreen(0, false));
    EXPECT_FALSE(platform::sdl::ScreenScaled());
    CheckedFrames(500, "windowed again");
}

}  // namespace
