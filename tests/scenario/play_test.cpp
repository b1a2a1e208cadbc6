// Playing the game with the mouse: the demo, a spin and its win lines, the
// bet, Extra Wild and the paytable page.
#include "core/main_loop.h"
#include "platform/platform.h"
#include "tests/support/scenario.h"

namespace {

constexpr std::array<int64_t, 3> AllOnes{1, 1, 1};
constexpr std::array<int64_t, 3> AllTwos{2, 2, 2};

class PlayTest : public ScenarioTest {};

}  // namespace

TEST_F(PlayTest, TheStartUpDemoShowsLinesUntilAClickEndsIt) {
    EXPECT_EQ(Game.PaylineDemoRunning, 1);
    EXPECT_EQ(Game.WinDisplayBlocked, 1);
    RunFrames(12);  // about 200 ms: the demo has moved on by two lines
    EXPECT_GE(Game.Paylines, 1);
    EXPECT_LT(Game.Paylines, 10);
    EndDemoByClick();
    EXPECT_EQ(Game.PaylineDemoRunning, 0);
    EXPECT_EQ(Game.WinDisplayBlocked, 0);
    EXPECT_TRUE(Game.WinLines.empty());
    RunFrames(1);
    EXPECT_EQ(Game.Bid, 10);  // the first spin costs the full bid
}

TEST_F(PlayTest, WinLinesArePaidOnePerSecondAndTheNextClickCollectsTheRest) {
    EndDemoByClick();
    ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});  // every line wins three of symbol 1
    const int64_t before = Game.Points;
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.Points, before - 10);
    ASSERT_TRUE(SettleSpin());
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
    ASSERT_EQ(Game.WinLines.size(), 10u);

    // The first line is paid when shown; the next one a second later.
    RunFrames(2);
    EXPECT_EQ(Game.CurrentWin, 5);
    RunUntil([] { return Game.CurrentWin > 5; }, 200);
    const int64_t second = platform::ElapsedMilliseconds();
    EXPECT_EQ(Game.CurrentWin, 10);
    RunUntil([] { return Game.CurrentWin > 10; }, 200);
    EXPECT_GE(platform::ElapsedMilliseconds() - second, 1000);
    EXPECT_EQ(Game.CurrentWin, 15);

    // The next press collects: every line is paid, nothing twice, and it flows into the points.
    const int64_t total = 10 * 5;
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.GamePhase, PhaseSettled);  // this press only collects
    EXPECT_EQ(Game.CurrentWin, 0);
    ASSERT_TRUE(FinishCountUps());
    EXPECT_EQ(Game.Points, before - 10 + total);
    EXPECT_EQ(Game.TotalWon, total);

    // The press after that starts the reels again.
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
}

TEST_F(PlayTest, HoldingTheButtonOnTheBetCounterRaisesTheBetOnce) {
    EndDemoByClick();
    headless::SetMouse(CentreX(49, 58), CentreY(87, 94));
    headless::SetMouseButton(true);
    RunFrames(30);
    headless::SetMouseButton(false);
    RunFrames(1);
    EXPECT_EQ(Game.BetPerLine, 2);
    EXPECT_EQ(Game.Bid, 20);
}

TEST_F(PlayTest, TheBetCounterCyclesThroughTheStakes) {
    EndDemoByClick();
    Game.Points = 100000;
    const int64_t expected[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 18, 20, 1};
    for (int64_t bet : expected) {
        ClickButton(buttons::Bet);
        EXPECT_EQ(Game.BetPerLine, bet);
    }
    EXPECT_EQ(Game.Bid, 10);
    Game.Level = 3;
    ClickButton(buttons::Bet);
    EXPECT_EQ(Game.Level, 1);  // a bet change loses the level
}

TEST_F(PlayTest, ExtraWildSwitchesOnAndOffWithItsMessages) {
    EndDemoByClick();
    headless::ClearSpriteDrawLog();
    ClickButton(buttons::ExtraWild);
    EXPECT_EQ(Game.ExtraWildOn, 1);
    EXPECT_EQ(Game.ExtraWildCost, 10);
    EXPECT_EQ(Game.MessageOverlayOn, 1);
    EXPECT_TRUE(MessageShown("Extra Wild Aktive"));
    RunFrames(60);
    EXPECT_EQ(Game.MessageAlpha, 250);  // faded in

    // The next click closes the message and, on the button, switches the option off.
    headless::ClearSpriteDrawLog();
    ClickButton(buttons::ExtraWild);
    EXPECT_EQ(Game.ExtraWildOn, 0);
    EXPECT_EQ(Game.ExtraWildCost, 0);
    EXPECT_TRUE(MessageShown("Extra Wild Deaktivatet"));

    // With points equal to the bid it is refused.
    Game.Points = 10;
    headless::ClearSpriteDrawLog();
    ClickButton(buttons::ExtraWild);
    EXPECT_EQ(Game.ExtraWildOn, 0);
    EXPECT_TRUE(MessageShown("Not enough Points"));

    // With Extra Wild a spin costs twice the bid.
    Game.Points = 1000;
    ClickButton(buttons::ExtraWild);
    ASSERT_EQ(Game.ExtraWildOn, 1);
    ClickAt(600, 400);  // closes the message
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.Points, 1000 - 20);
}

TEST_F(PlayTest, ThePaytablePageOpensAndClosesAndShowsTheStakesPays) {
    EndDemoByClick();
    ClickButton(buttons::PaytableClick);
    EXPECT_EQ(Game.GamePhase, PhasePaytable);
    RunFrames(1);
    bool pageDrawn = false, reelsDrawn = false;
    for (const headless::DrawRecord& record : headless::LastFrame()) {
        if (record.kind == headless::DrawKind::Sprite && record.id == 19) pageDrawn = true;
        if (record.kind == headless::DrawKind::Sprite && record.id <= 11 && record.options.clipWidth == 200 &&
            record.y > 100)
            reelsDrawn = true;
    }
    EXPECT_TRUE(pageDrawn);
    EXPECT_FALSE(reelsDrawn);
    // Only the back, info and extra wild targets react here.
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.GamePhase, PhasePaytable);
    ClickButton(buttons::Back);
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
    EXPECT_EQ(Game.InfoTextCurrent, 0);
}

TEST_F(PlayTest, TheInfoButtonShowsTheAboutMessageAndAClickClosesIt) {
    EndDemoByClick();
    headless::ClearSpriteDrawLog();
    ClickButton(buttons::Info);
    EXPECT_EQ(Game.MessageOverlayOn, 1);
    EXPECT_TRUE(platform::SpriteExists(72));
    bool background = false;
    for (const headless::DrawRecord& record : headless::SpriteDrawLog())
        if (record.kind == headless::DrawKind::SpriteImage && record.id == 57) background = true;
    EXPECT_TRUE(background);
    RunFrames(60);
    ClickAt(600, 400);
    EXPECT_EQ(Game.MessageOverlayOn, 0);
    RunFrames(60);  // faded out: the picture is gone
    EXPECT_FALSE(platform::SpriteExists(72));
}
