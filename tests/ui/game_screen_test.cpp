#include "ui/game_screen.h"

#include <algorithm>
#include <cmath>

#include "assets/bitmap_font.h"
#include "core/text_table.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"
#include "ui/layout.h"

namespace {

class GameScreenTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        OpenMainWindowForTest();
        FillTextTable(0);
        ASSERT_TRUE(LoadFonts());
        for (int id : {15, 19, 21, 36, 37, 58, 65, 82, 83, 84, 85}) platform::CreateBlankSprite(id, 100, 100);
        Game.GamePhase = PhaseSettled;
    }
    // Sprite draws of the frame being built.
    std::vector<headless::DrawRecord> Sprites() {
        std::vector<headless::DrawRecord> out;
        for (const auto& r : headless::CurrentFrame())
            if (r.kind == headless::DrawKind::Sprite) out.push_back(r);
        return out;
    }
    bool Drawn(int id) {
        auto s = Sprites();
        return std::any_of(s.begin(), s.end(), [id](const auto& r) { return r.id == id; });
    }
    bool TintUsed(uint32_t rgb) {
        auto s = Sprites();
        return std::any_of(s.begin(), s.end(),
                           [rgb](const auto& r) { return r.id >= 1000 && r.options.tint == rgb; });
    }
};

}  // namespace

TEST_F(GameScreenTest, PointsThatNoLongerCoverTheStakeTurnRedAndStopAutoplay) {
    Game.Points = 1000;
    Game.Bid = 10;
    Game.Autoplay = 1;
    DrawGameScreen(0);
    EXPECT_FALSE(TintUsed(WarningColour));
    EXPECT_EQ(Game.Autoplay, 1);
    Game.ExtraWildCost = 10;
    Game.Points = 20;  // exactly bid + surcharge
    DrawGameScreen(0);
    EXPECT_TRUE(TintUsed(WarningColour));
    EXPECT_EQ(Game.Autoplay, 0);
}

TEST_F(GameScreenTest, RightAlignedTextEndsAtItsX) {
    const std::string text = "123.45";
    DrawRightAligned(600, 300, text, 0, 5);
    const float width = TextWidth(5, text);
    int leftmost = 100000;
    for (const auto& r : Sprites()) leftmost = std::min(leftmost, r.x);
    // The first glyph's cell starts at the pen position minus its glow padding (8).
    EXPECT_NEAR(leftmost, 600 - std::lround(width) - 8, 1);
}

TEST_F(GameScreenTest, LevelPlanetsFollowTheLevel) {
    struct Case {
        int64_t level;
        std::vector<int> shown, hidden;
    } cases[] = {
        {1, {}, {82, 83, 84, 85}}, {3, {82, 83}, {84, 85}}, {4, {82, 84}, {83, 85}}, {5, {82, 84, 85}, {83}}};
    for (const Case& c : cases) {
        headless::Reset();
        SetUp();
        Game.Level = c.level;
        DrawGameScreen(0);
        for (int id : c.shown) EXPECT_TRUE(Drawn(id)) << c.level << " " << id;
        for (int id : c.hidden) EXPECT_FALSE(Drawn(id)) << c.level << " " << id;
    }
}

TEST_F(GameScreenTest, ThePaytablePageHidesTheLevelDisplayAndShowsTheProductName) {
    Game.Level = 5;
    Game.GamePhase = PhasePaytable;
    Game.InfoTextCurrent = 2;
    DrawGameScreen(0);
    EXPECT_TRUE(Drawn(19));
    EXPECT_FALSE(Drawn(82));
    EXPECT_EQ(Game.InfoTextCurrent, 0);
}

TEST_F(GameScreenTest, InfoTextsChangeEveryTenSeconds) {
    Game.GameMode = ModeBaseGame;
    Game.FrameTime = 1000;
    DrawGameScreen(0);
    EXPECT_EQ(Game.InfoTextCurrent, 2);  // the last entry added is shown first
    Game.FrameTime = 10999;
    DrawGameScreen(0);
    EXPECT_EQ(Game.InfoTextCurrent, 2);
    Game.FrameTime = 11000;
    DrawGameScreen(0);
    EXPECT_EQ(Game.InfoTextCurrent, 0);  // wraps to the first
    Game.FrameTime = 11016;              // the next frame starts the next ten seconds
    DrawGameScreen(0);
    Game.FrameTime = 21015;
    DrawGameScreen(0);
    EXPECT_EQ(Game.InfoTextCurrent, 0);
    Game.FrameTime = 21016;
    DrawGameScreen(0);
    EXPECT_EQ(Game.InfoTextCurrent, 1);
}

TEST_F(GameScreenTest, TheLadderIsDrawnZoomedWithItsLitRung) {
    Game.LadderShownRung = 15;
    DrawLadder();
    EXPECT_TRUE(Sprites().empty());  // nothing while no gamble runs or has just ended
    Game.LadderOpen = 1;
    DrawLadder();
    bool frame = false, rung = false;
    for (const auto& r : Sprites()) {
        if (r.id == 37) frame = r.w == 108 && r.h == 484 && r.x == 1000 && r.y == 140;
        if (r.id == 36) rung = r.w == 108 && r.h == 484;
    }
    EXPECT_TRUE(frame);
    EXPECT_TRUE(rung);
}

TEST_F(GameScreenTest, TheWheelRunsFiveTurnsThenSlowsOntoItsTarget) {
    Game.GamePhase = PhaseWheelTurning;
    Game.PrizeTarget = 3;
    Game.PrizeDelay = 200;
    Game.PrizeLaps = 0;
    int64_t lowestDelay = 200;
    for (int64_t t = 0; t < 200000 && Game.GamePhase == PhaseWheelTurning; t += 16) {
        Game.FrameTime = t;
        AdvancePrizeWheel();
        lowestDelay = std::min(lowestDelay, Game.PrizeDelay);
        if (Game.PrizeLaps < 5) {
            ASSERT_EQ(Game.GamePhase, PhaseWheelTurning);
        }
    }
    EXPECT_EQ(Game.GamePhase, PhaseWheelStopped);
    EXPECT_EQ(Game.PrizeFrame, 3);
    EXPECT_EQ(Game.CurrentWin, 300);
    EXPECT_EQ(Game.PrizeDelay, 200);
    EXPECT_LE(lowestDelay, 40);  // it sped up before slowing down
}

TEST_F(GameScreenTest, TheIdleWheelTurnsSlowlyAndNeverStops) {
    Game.GamePhase = PhaseWheelIdle;
    Game.PrizeDelay = 200;
    int64_t steps = 0, last = Game.PrizeFrame;
    for (int64_t t = 0; t <= 8000; t += 16) {
        Game.FrameTime = t;
        AdvancePrizeWheel();
        if (Game.PrizeFrame != last) ++steps;
        last = Game.PrizeFrame;
    }
    EXPECT_EQ(Game.GamePhase, PhaseWheelIdle);
    EXPECT_EQ(Game.PrizeDelay, 200);
    EXPECT_GE(steps, 9);  // one step every 800 ms or so
    EXPECT_LE(steps, 10);
}
