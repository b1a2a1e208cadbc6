#include "slot/features.h"

#include "slot/paylines.h"
#include "slot/reels.h"
#include "slot/stake.h"
#include "slot/win_presentation.h"
#include "tests/slot/slot_test_support.h"

namespace {

// The end of a spin on the grid as set: the game's own evaluation of a stopped window.
void EvaluateOutcome() {
    Game.GamePhase = PhaseSettled;
    EvaluateWindow();
}

// The press that collects the pending win, and the second in which it is counted in.
void CollectWinAndWait() {
    RequestSpin(false);
    for (int i = 0; i < 70; ++i) EngineFrame();
}

// Collects what is pending, plays one spin that lands on these top stops
// (pinned travel) and collects it; returns what it paid.
int64_t PlaySpinOn(std::initializer_list<int64_t> tops) {
    for (int i = 0; i < 3 && (Game.CurrentWin > 0 || AnyEntryUnpaid()); ++i) RequestSpin(false);
    const int64_t won = Game.TotalWon;
    PlaceReelsForSpin(tops);
    RequestSpin(false);
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    RunUntilSettled();
    RequestSpin(false);  // collects every line, shown or not
    return Game.TotalWon - won;
}

}  // namespace

TEST_F(SlotTest, TwoScattersAtLevelFourPayTheBidThenDoubleFromTheNextSpin) {
    Game.Level = Game.SpinLevel = 4;
    SetNoWinGrid({6, 12});
    EvaluateOutcome();
    EXPECT_EQ(Game.Level, 5);
    EXPECT_EQ(Game.MessageOverlayOn, 1);
    EXPECT_NE(MessageTexts().find("Level up!|Level: 5|Feature: Winnings are doubled|"), std::string::npos);
    ASSERT_EQ(Game.WinLines.size(), 1u);
    EXPECT_EQ(Game.WinLines[0].lineNo, ScatterLineNo);
    EXPECT_EQ(Game.WinLines[0].cells[1], 12);
    EngineFrame();
    EXPECT_EQ(Game.CurrentWin, 10);  // the bid, not doubled
    // These stops show 7 7 7, 6 6 6 and 5 5 5 on the rows of the first three
    // reels and no scatter: 7 u, paid double from the next spin on.
    EXPECT_EQ(PlaySpinOn({7, 15, 7, 0, 0}), 2 * 35);
    Game.Level = 4;
    EXPECT_EQ(PlaySpinOn({7, 15, 7, 0, 0}), 35);
}

TEST_F(SlotTest, TwoScattersAtLevelFiveOnlyPay) {
    Game.Level = 5;
    SetNoWinGrid({0, 14});
    EvaluateOutcome();
    EXPECT_EQ(Game.Level, 5);
    EXPECT_EQ(Game.MessageOverlayOn, 0);
    EXPECT_EQ(Game.WinLines.size(), 1u);
    EXPECT_EQ(Game.ScatterCount, 0);
}

TEST_F(SlotTest, ARandomWildOnAScatterTakesItOffTheCount) {
    Game.Level = 3;
    SetNoWinGrid({6, 12});
    SeedFastDraws({{1, 1}, {6, 14}});
    EvaluateOutcome();
    EXPECT_EQ(Game.SymbolGrid[6], SymbolWild);
    EXPECT_EQ(Game.ExtraWildMap[6], 1);
    EXPECT_EQ(Game.Level, 3);  // one scatter left: no level-up
    EXPECT_GT(Game.ParticleCount, 100);
}

TEST_F(SlotTest, ExpandingWildFillsItsReelAndCoversAScatter) {
    Game.Level = 4;
    SetNoWinGrid({6, 12});
    Game.SymbolGrid[7] = SymbolWild;
    EvaluateOutcome();
    for (int64_t cell : {6, 7, 8}) {
        EXPECT_EQ(Game.SymbolGrid[cell], SymbolWild);
        EXPECT_EQ(Game.ExtraWildMap[cell], 1);
    }
    EXPECT_EQ(Game.Level, 4);
    // A wild under a fun-mode pick is no counted scatter and is not taken off twice.
    Game.FunMode = 1;
    SetNoWinGrid({0, 6, 12});
    Game.ExtraWildMap.fill(0);
    Game.ExtraWildMap[0] = 1;
    Game.ScatterCount = 2;
    Game.SymbolGrid[1] = SymbolWild;
    ApplyLevelWilds(4);
    EXPECT_EQ(Game.ScatterCount, 2);
}

TEST_F(SlotTest, ScatterAwardsOfFreeGames) {
    // Scatters pay wherever they stand; these stand where no payline counts
    // them (none on the first reel), so every point paid here is a scatter pay.
    SetNoWinGrid({0, 5, 7, 9, 14});  // five scatters, one on each reel
    EvaluateOutcome();
    EXPECT_EQ(Game.GameMode, ModeFreeGames);
    EXPECT_EQ(Game.FreeGamesWon, 30);
    EXPECT_EQ(Game.Level, 1);
    EXPECT_NE(MessageTexts().find("you have |30 Free games won|"), std::string::npos);
    EXPECT_EQ(Game.FreeGameAnimations.size(), 5u);
    ASSERT_EQ(Game.WinLines.size(), 1u);
    EXPECT_EQ(Game.WinLines[0].lineNo, ScatterLineNo);
    Game.FreeGameAnimations.clear();
    EngineFrame();
    EXPECT_EQ(Game.CurrentWin, 400 * 5);

    // Three more during free games add ten and pay 20 u, beside a line win of
    // 2 u on the middle row: each entry is paid on its own. The level stays 1.
    CollectWinAndWait();
    Game.FreeGamesPlayed = 4;
    SetNoWinGrid({6, 11, 12});
    SetLine(1, {7, 7, 7});
    EvaluateOutcome();
    EXPECT_EQ(Game.FreeGamesWon, 40);
    EXPECT_EQ(Game.Level, 1);
    ASSERT_EQ(Game.WinLines.size(), 2u);
    ASSERT_NE(FindLine(1), nullptr);
    EXPECT_EQ(FindLine(1)->counted[3], 0);  // no scatter is part of the line
    Game.FreeGameAnimations.clear();
    for (int i = 0; i < 70; ++i) EngineFrame();  // both entries shown
    EXPECT_EQ(Game.CurrentWin, 100 + 10);

    // Two add one free game and pay the bid.
    CollectWinAndWait();
    SetNoWinGrid({3, 14});
    EvaluateOutcome();
    EXPECT_EQ(Game.FreeGamesWon, 41);
    EXPECT_NE(MessageTexts().find("1 Free games won|"), std::string::npos);
    Game.FreeGameAnimations.clear();
    EngineFrame();
    EXPECT_EQ(Game.CurrentWin, 10);
}

TEST_F(SlotTest, StickyWildsStayForTheRestOfTheSeries) {
    Game.GameMode = ModeFreeGames;
    SetNoWinGrid();
    Game.SymbolGrid[4] = SymbolWild;
    EvaluateOutcome();
    EXPECT_EQ(Game.ExtraWildMap[4], 1);
    EXPECT_EQ(Game.FreeGameAnimations.size(), 1u);
    for (int game = 2; game <= 5; ++game) PrepareSpin();
    SetNoWinGrid();
    Game.SymbolGrid[1] = 7;
    Game.SymbolGrid[7] = 7;
    EvaluateOutcome();
    const Payline* middle = FindLine(1);
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(middle->winSymbols[1], SymbolWild);
    EXPECT_EQ(middle->symbol, 7);
}

TEST_F(SlotTest, TheSeriesEndsOnceItsLastWinIsCollected) {
    Game.GameMode = ModeFreeGames;
    Game.FreeGamesWon = Game.FreeGamesPlayed = 10;
    Game.FreeGamesWin = 12345;
    Game.GamePhase = PhaseSettled;
    Game.SymbolGrid.fill(1);
    EvaluateLines();
    EndFreeGames();
    EXPECT_EQ(Game.GameMode, ModeFreeGames);  // the last win is still to be collected
    RequestSpin(false);                       // a further press starts no eleventh free game: it collects
    EXPECT_EQ(Game.FreeGamesPlayed, 10);
    RequestSpin(false);
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
    EXPECT_EQ(Game.FreeGamesPlayed, 10);
    Game.ExtraWildMap[3] = 1;
    EndFreeGames();
    EXPECT_EQ(Game.GameMode, ModeBaseGame);
    EXPECT_EQ(Game.FreeGamesWon + Game.FreeGamesPlayed, 0);
    EXPECT_EQ(Game.ExtraWildMap[3], 0);
    EXPECT_NE(MessageTexts().find("end of Free games|you have |"), std::string::npos);
    EXPECT_NE(MessageTexts().find("| won|"), std::string::npos);
    const auto& sounds = headless::SoundLog();
    EXPECT_TRUE(!sounds.empty() && sounds.back().sound == 3 && sounds.back().stop);
}

TEST_F(SlotTest, FunModePicksNeverExceedThree) {
    Game.FunMode = 1;
    RequestSpin(false);
    EXPECT_EQ(Game.GamePhase, PhaseWildPick);
    EXPECT_EQ(Game.SpinFinished, 1);  // the pick message stays visible while picking
    EXPECT_NE(MessageTexts().find("Pick 3 Wildpositions"), std::string::npos);
    for (int64_t cell : {4, 4, 9, 2}) PickWild(cell);
    EXPECT_EQ(Game.FunWildPicks, 3);
    PickWild(13);  // a fourth: the lowest marked cell gives way
    EXPECT_EQ(Game.FunWildPicks, 3);
    EXPECT_EQ(Game.ExtraWildMap[2], 0);
    EXPECT_EQ(Game.ExtraWildMap[13], 1);
    const int64_t fun = Game.FunPoints, points = Game.Points;
    RequestSpin(false);
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.FunPoints, fun - 10);
    EXPECT_EQ(Game.Points, points);
    RunUntilSettled();
    for (int64_t cell : {4, 9, 13}) EXPECT_EQ(Game.SymbolGrid[cell], SymbolWild);
}

TEST_F(SlotTest, FunFreeGamesGoOnWhenNoCellIsLeftToPick) {
    Game.FunMode = 1;
    Game.GameMode = ModeFreeGames;
    Game.FreeGamesWon = 10;
    Game.ExtraWildMap.fill(1);  // sticky wilds and earlier picks cover the window
    RequestSpin(false);
    ASSERT_EQ(Game.GamePhase, PhaseWildPick);
    RequestSpin(false);
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.FreeGamesPlayed, 1);
}
