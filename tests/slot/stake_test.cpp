#include "slot/stake.h"

#include "slot/paylines.h"
#include "tests/slot/slot_test_support.h"

TEST_F(SlotTest, BetCycle) {
    Game.Points = 100000;
    Game.BetPerLine = 9;
    Game.Level = 4;
    ChangeBet();
    EXPECT_EQ(Game.BetPerLine, 10);
    EXPECT_EQ(Game.Level, 1);
    ChangeBet();
    EXPECT_EQ(Game.BetPerLine, 12);
    Game.BetPerLine = 20;
    ChangeBet();
    EXPECT_EQ(Game.BetPerLine, 1);
    // With 150 points the cycle returns to 1 once the bid would exceed 150.
    Game.Points = 150;
    Game.BetPerLine = 14;
    ChangeBet();
    EXPECT_EQ(Game.BetPerLine, 1);
    // Not while a spin runs, in free games, or while lines are still to be paid.
    for (int variant = 0; variant < 3; ++variant) {
        Game.GamePhase = variant == 0 ? PhaseSpinning : PhaseSettled;
        Game.GameMode = variant == 1 ? ModeFreeGames : ModeBaseGame;
        if (variant == 2) {
            Game.SymbolGrid.fill(1);
            EvaluateLines();
        }
        Game.Autoplay = 1;
        ChangeBet();
        EXPECT_EQ(Game.BetPerLine, 1) << variant;
        EXPECT_EQ(Game.Autoplay, 0);
    }
}

TEST_F(SlotTest, ExtraWildDoublesTheStakeAndIsRefusedWithoutPoints) {
    Game.BetPerLine = 5;
    Game.Bid = 50;
    Game.Points = 50;
    ToggleExtraWild();
    EXPECT_EQ(Game.ExtraWildOn, 0);
    EXPECT_EQ(Game.ExtraWildCost, 0);
    EXPECT_EQ(Game.BetPerLine, 1);
    EXPECT_NE(MessageTexts().find("Extra Wild Deaktivatet|Not enough Points|"), std::string::npos);

    Game.Bid = 10;
    Game.Points = 1000;
    ToggleExtraWild();
    EXPECT_EQ(Game.ExtraWildOn, 1);
    EXPECT_EQ(Game.ExtraWildCost, 10);
    RequestSpin(false);
    EXPECT_EQ(Game.Points, 980);
    EXPECT_EQ(Game.TotalStaked, 10);
    ToggleExtraWild();  // the running spin keeps what it was charged for
    EXPECT_EQ(Game.ExtraWildOn, 1);
    RunUntilSettled();
    while (Game.CurrentWin > 0 || AnyEntryUnpaid()) RequestSpin(false);
    ToggleExtraWild();
    EXPECT_EQ(Game.ExtraWildOn, 0);
    EXPECT_EQ(Game.ExtraWildCost, 0);
}

TEST_F(SlotTest, ThePointsAreRefilledWhenTheyFallToTheBid) {
    Game.Points = 15;
    RequestSpin(false);
    EXPECT_EQ(Game.Points, 5);
    ASSERT_EQ(Game.CountUps.size(), 1u);
    for (int i = 0; i < 70; ++i) EngineFrame();
    EXPECT_EQ(Game.Points, 1005);
}

TEST_F(SlotTest, AFreeSpinChargesNothingButCountsTheBid) {
    Game.GameMode = ModeFreeGames;
    Game.FreeGamesWon = 10;
    Game.Points = 5;  // below the bid: free games go on all the same
    RequestSpin(false);
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.Points, 5);
    EXPECT_EQ(Game.FunPoints, 5000);
    EXPECT_EQ(Game.TotalStaked, 10);
    EXPECT_EQ(Game.FreeGamesPlayed, 1);
}

TEST_F(SlotTest, APressWithAPendingWinOnlyCollects) {
    Game.CurrentWin = 300;
    Game.CountUpRunning = 1;  // while a count-up runs the press does nothing at all
    RequestSpin(false);
    EXPECT_EQ(Game.CurrentWin, 300);
    EXPECT_EQ(Game.GamePhase, PhaseReady);
    Game.CountUpRunning = 0;
    Game.BigWinActive = 1;  // nor while the big win is counted
    RequestSpin(false);
    EXPECT_EQ(Game.CurrentWin, 300);
    Game.BigWinActive = 0;
    RequestSpin(false);
    EXPECT_EQ(Game.CurrentWin, 0);
    EXPECT_EQ(Game.TotalWon, 300);
    EXPECT_EQ(Game.GamePhase, PhaseReady);
    RequestSpin(false);
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
}

TEST_F(SlotTest, AWinNotYetShownIsCollectedNotLost) {
    Game.SymbolGrid.fill(2);
    EvaluateLines();  // ten lines of five: 20 u each
    Game.GamePhase = PhaseSettled;
    RequestSpin(true);  // autoplay waits for the presentation
    EXPECT_EQ(Game.TotalWon, 0);
    RequestSpin(false);
    EXPECT_EQ(Game.TotalWon, 10 * 20 * 5);
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
}

TEST_F(SlotTest, AutoplayWithoutPointsGrantsAWin) {
    Game.Points = 5;
    RequestSpin(false);
    EXPECT_EQ(Game.GamePhase, PhaseReady);
    EXPECT_EQ(Game.CurrentWin, 0);
    RequestSpin(true);
    EXPECT_EQ(Game.CurrentWin, 10000);
    EXPECT_EQ(Game.CountUpRunning, 1);
    RequestSpin(true);
    EXPECT_EQ(Game.TotalWon, 10000);
}

TEST_F(SlotTest, AutoplayTicks) {
    Game.CurrentWin = 10;
    EXPECT_TRUE(AutoplayTick(0));
    Game.CurrentWin = 0;
    EXPECT_FALSE(AutoplayTick(100));  // autoplay off
    Game.Autoplay = 1;
    EXPECT_FALSE(AutoplayTick(1000));
    EXPECT_FALSE(AutoplayTick(2999));
    EXPECT_TRUE(AutoplayTick(3000));
    EXPECT_FALSE(AutoplayTick(3016));
    EXPECT_TRUE(AutoplayTick(5016));
}
