#include "slot/paylines.h"

#include "slot/stake.h"
#include "slot/win_presentation.h"
#include "tests/slot/slot_test_support.h"

namespace {

// Rows of the window, left to right: lines 0 and 1 win (u and 3 u), no other.
void SetTwoLineGrid() {
    const int64_t rows[3][5] = {{1, 1, 1, 6, 7}, {4, 4, 4, 8, 9}, {2, 0, 0, 3, 3}};
    for (int reel = 0; reel < 5; ++reel)
        for (int row = 0; row < 3; ++row) Game.SymbolGrid[reel * 3 + row] = rows[row][reel];
}

}  // namespace

TEST_F(SlotTest, LinePayScatterFactorLevelAndFreeGames) {
    Game.Bid = 200;
    EXPECT_EQ(LinePay(10, 0.1f), 200);  // two scatters pay exactly the bid
    EXPECT_EQ(LinePay(5, 4.0f), 100 * 3 * 4);
    EXPECT_EQ(LinePay(12, 1.0f), 0);
    Game.SpinLevel = 5;
    EXPECT_EQ(LinePay(0, 20.0f), 2 * 100 * 20);
    Game.GameMode = ModeFreeGames;
    Game.SpinLevel = 1;
    EXPECT_EQ(LinePay(7, 1.0f), 200);
    EXPECT_EQ(Game.FreeGamesWin, 200);
}

TEST_F(SlotTest, EvaluationStopsAfterPaylinesAndMarksWinningCells) {
    Game.SymbolGrid.fill(0);
    Game.Paylines = 3;
    EvaluateLines();
    ASSERT_EQ(Game.WinLines.size(), 3u);
    EXPECT_EQ(Game.WinLines[2].lineNo, 2);
    EXPECT_EQ(Game.SymbolAnimations.size(), 15u);
    for (int64_t cell = 0; cell < CellCount; ++cell) EXPECT_EQ(Game.WinCellMap[cell], 1);
    EXPECT_EQ(Game.WinLineCurrent, 0);
}

TEST_F(SlotTest, PresentationPaysOneLinePerSecondWithRisingTones) {
    CreateTestSound(23);
    CreateTestSound(24);
    SetTwoLineGrid();
    EvaluateLines();
    ASSERT_EQ(Game.WinLines.size(), 2u);
    Game.GamePhase = PhaseSettled;
    EngineFrame();
    EXPECT_EQ(Game.CurrentWin, 5);
    EXPECT_EQ(PlaysOf(23), 1);
    for (int i = 0; i < 55; ++i) EngineFrame();  // 880 ms
    EXPECT_EQ(Game.CurrentWin, 5);
    for (int i = 0; i < 10; ++i) EngineFrame();
    EXPECT_EQ(Game.CurrentWin, 20);
    EXPECT_EQ(PlaysOf(24), 1);
    for (int i = 0; i < 200; ++i) EngineFrame();  // cycling on pays nothing more
    EXPECT_EQ(Game.CurrentWin, 20);
    EXPECT_EQ(Game.DisplayedWin, 20);
}

TEST_F(SlotTest, CollectingPaysTheLinesNotYetShown) {
    SetTwoLineGrid();
    EvaluateLines();
    Game.GamePhase = PhaseSettled;
    EngineFrame();
    ASSERT_EQ(Game.CurrentWin, 5);
    RequestSpin(false);  // only collects
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
    EXPECT_EQ(Game.TotalWon, 20);
    EXPECT_TRUE(Game.WinLines.empty());
    const int64_t before = Game.Points;
    for (int i = 0; i < 70; ++i) EngineFrame();
    EXPECT_EQ(Game.Points, before + 20);
}

TEST_F(SlotTest, BigWinStartsWhenTheLastLineIsShown) {
    Game.SymbolGrid.fill(SymbolWild);  // ten lines of five wilds: weight 40
    EvaluateLines();
    Game.GamePhase = PhaseSettled;
    for (int i = 0; i < 10 * 63; ++i) EngineFrame();
    EXPECT_EQ(Game.BigWinActive, 1);
    EXPECT_EQ(Game.BigWinAmount + Game.CurrentWin, 10 * 2000);
}

TEST_F(SlotTest, PaylineDemoMarksALineEveryTenthOfASecond) {
    ShowPaylineDemo();
    Game.Paylines = 0;
    Game.WinDisplayBlocked = 1;
    for (int i = 0; i < 7; ++i) {
        EngineFrame();
        StepPaylineDemo();
    }
    EXPECT_EQ(Game.Paylines, 1);
    EXPECT_EQ(Game.WinLineCurrent, 0);
    EXPECT_EQ(Game.WinLines[0].counted[4], 1);
    for (int i = 0; i < 70 && Game.PaylineDemoRunning == 1; ++i) {
        EngineFrame();
        StepPaylineDemo();
    }
    EXPECT_EQ(Game.PaylineDemoRunning, 0);
    EXPECT_TRUE(Game.WinLines.empty());
    EXPECT_EQ(Game.WinDisplayBlocked, 0);
    EXPECT_EQ(Game.Paylines, 10);
    EXPECT_EQ(Game.CurrentWin, 0);  // the demo pays nothing
}

TEST_F(SlotTest, AClickEndingTheDemoLeavesTheFullBid) {
    ShowPaylineDemo();
    Game.Paylines = 0;
    Game.BetPerLine = 2;
    for (int i = 0; i < 20; ++i) {
        EngineFrame();
        StepPaylineDemo();
    }
    ASSERT_LT(Game.Paylines, 10);
    EndPaylineDemo();
    EXPECT_EQ(Game.Paylines, 10);
    EXPECT_EQ(Game.Bid, 20);
    const int64_t before = Game.Points;
    RequestSpin(false);
    EXPECT_EQ(Game.Points, before - 20);
}
