// Text the player must be able to read, checked in the pixels the real SDL
// backend paints (software renderer, no display): the top line whole below
// the window's top edge.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "tests/platform/sdl/real_game.h"
#include "ui/game_screen.h"
#include "ui/layout.h"

namespace {

class ScreenTextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { started_ = StartRealGame("text", home_); }
    static void TearDownTestSuite() { StopRealGame(started_, home_); }
    void SetUp() override { ASSERT_TRUE(started_); }

    // The game screen's base layer as it is painted, at a fixed moment.
    static std::vector<uint8_t> Painted() {
        Game.FrameTime = 1000;
        Game.InfoTextTimerOn = 1;
        Game.InfoTextTimerStart = 1000;
        platform::ClearScreen(0x000000);
        DrawGameScreen(0);
        std::vector<uint8_t> rgba;
        int w = 0, h = 0;
        EXPECT_TRUE(platform::GrabScreen(rgba, w, h));
        EXPECT_EQ(w, 1280);
        platform::FlipBuffers();
        return rgba;
    }

    // Per row of the screen's top band (200 rows, above the clock of the side
    // column): the largest change of a colour channel between two paintings.
    static std::vector<int> RowChange(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int x1,
                                      int x2) {
        std::vector<int> rows(200, 0);
        for (size_t y = 0; y < rows.size(); ++y)
            for (int x = x1; x < x2; ++x)
                for (int c = 0; c < 3; ++c) {
                    const size_t at = (y * 1280 + static_cast<size_t>(x)) * 4 + c;
                    rows[y] = std::max(rows[y], std::abs(a[at] - b[at]));
                }
        return rows;
    }

    static inline std::string home_;
    static inline bool started_ = false;
};

TEST_F(ScreenTextTest, EveryTopLineSitsWholeBelowTheWindowsTopEdge) {
    // The window's client area is 748 rows high: the screen's first 20 rows are cut.
    Game.GamePhase = PhaseSettled;
    Painted();
    ASSERT_EQ(Game.ShiftY, 20);
    struct Case {
        int64_t entry;  // the info text shown, or -1 for the free-game counter
        const char* what;
    } cases[] = {{0, "product name"}, {1, "scatter hint"}, {2, "extra wild hint"}, {-1, "free-game counter"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Without any top line, then with the one of the case: the difference is its ink and glow.
        Game.GameMode = ModeBaseGame;
        for (InfoText& entry : Game.InfoTexts) entry.alpha = 0;
        const std::vector<uint8_t> without = Painted();
        for (InfoText& entry : Game.InfoTexts) entry.alpha = 255;
        if (c.entry >= 0) {
            Game.InfoTextCurrent = c.entry;
        } else {
            Game.GameMode = ModeFreeGames;
            Game.FreeGamesWon = 30;
            Game.FreeGamesPlayed = 28;
        }
        const std::vector<uint8_t> with = Painted();
        const std::vector<int> rows = RowChange(without, with, 0, 1280);
        const auto inked = std::find_if(rows.begin(), rows.end(), [](int change) { return change > 160; });
        ASSERT_NE(inked, rows.end()) << "no top line painted";
        const int firstInk = static_cast<int>(inked - rows.begin());
        // Solid ink starts a few rows down; the top row shows at most the faint end of the glow.
        EXPECT_GE(firstInk, 3);
        EXPECT_LT(rows[0], 48);
        // And the line stays above the reel frame.
        const int lastInk = static_cast<int>(
            rows.rend() - std::find_if(rows.rbegin(), rows.rend(), [](int change) { return change > 160; }));
        EXPECT_LT(lastInk, 95);
        // Clear of the buttons in the top right-hand corner (from 83 % of the width).
        const std::vector<int> corner = RowChange(without, with, static_cast<int>(LayoutX(83)), 1280);
        EXPECT_LT(*std::max_element(corner.begin(), corner.begin() + 100), 48);
    }
    Game.GameMode = ModeBaseGame;
}

}  // namespace
