#include "slot/risk_ladder.h"

#include "slot/paylines.h"
#include "tests/slot/slot_test_support.h"

namespace {

class RiskLadderTest : public SlotTest {
protected:
    void SetUp() override {
        SlotTest::SetUp();
        Game.GamePhase = PhaseSettled;
        CreateTestSound(10);
    }
    void Open(int64_t win) {
        Game.CurrentWin = win;
        StartRisk();
    }
};

}  // namespace

TEST_F(RiskLadderTest, StartingRungs) {
    const int64_t cases[][2] = {{0, 0},     {50, 0},    {99, 0},    {100, 6},    {200, 6},    {201, 7},
                                {500, 7},   {1000, 8},  {1500, 9},  {1501, 9},   {1999, 9},   {2000, 10},
                                {6000, 11}, {7000, 12}, {8000, 13}, {14999, 14}, {20000, 14}, {20001, 0}};
    for (const auto& c : cases) EXPECT_EQ(StartingRung(c[0]), c[1]) << c[0];
    EXPECT_EQ(LadderValue(0), 0);
    EXPECT_EQ(LadderValue(9), 1200);
    EXPECT_EQ(LadderValue(15), 20000);
    EXPECT_EQ(LadderValue(16), 0);
    // A win from 15.01 to 19.99 points starts on rung 9 (12 points), not on the worthless rung 0.
    Open(1750);
    TakeRisk();
    EXPECT_EQ(Game.CurrentWin, 1200);
}

TEST_F(RiskLadderTest, TakingAtOnce) {
    Open(150);
    EXPECT_EQ(Game.LadderOpen, 1);
    EXPECT_EQ(Game.LadderRung, 6);
    EXPECT_EQ(Game.CurrentWin, 0);  // the ladder holds the stake
    TakeRisk();
    EXPECT_EQ(Game.CurrentWin, 240);
    EXPECT_EQ(Game.DisplayedWin, 240);
    EXPECT_EQ(Game.LadderOpen, 0);
    EXPECT_EQ(Game.LadderFinished, 1);
    StartRisk();  // a win is gambled once
    EXPECT_EQ(Game.LadderOpen, 0);
}

TEST_F(RiskLadderTest, StepsUpAndDown) {
    Open(50);
    EXPECT_EQ(Game.LadderRung, 0);
    RiskStep();  // the pinned source always wins
    EXPECT_EQ(Game.LadderRung, 1);
    SeedRiskStep(false);
    RiskStep();
    EXPECT_EQ(Game.LadderOpen, 0);
    EXPECT_EQ(Game.CurrentWin, 0);

    Game.LadderFinished = 0;
    Open(1200);
    SeedRiskStep(false);
    RiskStep();
    EXPECT_EQ(Game.LadderRung, 8);
    TakeRisk();
    EXPECT_EQ(Game.CurrentWin, 800);
}

TEST_F(RiskLadderTest, RungFourteenUpIsTheJackpot) {
    Open(9000);
    ASSERT_EQ(Game.LadderRung, 14);
    RiskStep();
    EXPECT_EQ(Game.LadderRung, 15);
    EXPECT_EQ(Game.LadderOpen, 0);
    EXPECT_EQ(Game.CurrentWin, 20000);
    EXPECT_EQ(Game.MessageOverlayOn, 1);
    EXPECT_NE(MessageTexts().find("JACKPOT|!! GRATULATION !!|"), std::string::npos);
}

TEST_F(RiskLadderTest, FiveSecondsOnTheLadderLoseTheWin) {
    Game.FrameTime = 1000;
    Open(300);
    Game.FrameTime = 1200;
    TickRisk();
    EXPECT_EQ(PlaysOf(10), 1);           // every second tick sounds
    EXPECT_EQ(Game.LadderShownRung, 6);  // the highlight flickers to the rung below
    RiskStep();                          // steps do not refill the countdown
    for (int64_t t = 1216; t < 6000; t += 16) {
        Game.FrameTime = t;
        TickRisk();
    }
    EXPECT_EQ(Game.LadderOpen, 1);
    Game.FrameTime = 6000;
    TickRisk();
    EXPECT_EQ(Game.LadderOpen, 0);
    EXPECT_EQ(Game.LadderFinished, 1);
    EXPECT_EQ(Game.CurrentWin, 0);
}

TEST_F(RiskLadderTest, WinsThatCannotBeGambled) {
    Open(15000);
    EXPECT_EQ(Game.LadderOpen, 0);
    Game.GameMode = ModeFreeGames;
    Open(300);
    EXPECT_EQ(Game.LadderOpen, 0);
    Game.GameMode = ModeBaseGame;
    Game.BigWinActive = 1;
    Open(300);
    EXPECT_EQ(Game.LadderOpen, 0);
    Game.BigWinActive = 0;
    Game.CountUpRunning = 1;
    Open(300);
    EXPECT_EQ(Game.LadderOpen, 0);
    EXPECT_EQ(Game.CurrentWin, 300);
}

TEST_F(RiskLadderTest, TheGambleTakesTheLinesNotYetShown) {
    Game.Bid = 100;
    Game.SymbolGrid.fill(0);
    Game.Paylines = 2;  // two lines of five: 20 u each
    EvaluateLines();
    PayEntry(0);
    ASSERT_EQ(Game.CurrentWin, 1000);
    StartRisk();
    EXPECT_EQ(Game.LadderRung, StartingRung(2000));
    EXPECT_FALSE(AnyEntryUnpaid());
    EXPECT_EQ(Game.CurrentWin, 0);
}
