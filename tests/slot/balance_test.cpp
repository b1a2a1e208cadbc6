// The balance never goes wrong: over long random sessions, driven the way the
// controls drive the engine, every point is accounted for.
#include <random>

#include "slot/features.h"
#include "slot/paylines.h"
#include "slot/risk_ladder.h"
#include "slot/stake.h"
#include "tests/slot/slot_test_support.h"
#include "ui/win_display.h"

namespace {

struct Ledger {
    int64_t charged[2] = {0, 0};  // [0] points, [1] fun points
    int64_t collected[2] = {0, 0};
    int64_t refills = 0;
    int64_t spins = 0, freeSpins = 0, gambles = 0, collects = 0;
};

// A spin request as a control makes it, with what it should charge checked at once.
void Request(bool automatic, Ledger& ledger) {
    const int64_t points = Game.Points, fun = Game.FunPoints, won = Game.TotalWon,
                  played = Game.FreeGamesPlayed;
    const int64_t staked = Game.TotalStaked, bid = Game.Bid, surcharge = Game.ExtraWildCost;
    const int64_t wallet = Game.FunMode;
    const bool wasSpinning = Game.GamePhase == PhaseSpinning;
    RequestSpin(automatic);
    const bool started = !wasSpinning && Game.GamePhase == PhaseSpinning;
    ledger.charged[0] += points - Game.Points;
    ledger.charged[1] += fun - Game.FunPoints;
    if (Game.TotalWon != won) {
        ledger.collected[wallet] += Game.TotalWon - won;
        ledger.collects += 1;
    }
    if (!started) {
        ASSERT_EQ(Game.Points, points);
        ASSERT_EQ(Game.FunPoints, fun);
        return;
    }
    ledger.spins += 1;
    ASSERT_EQ(Game.TotalStaked, staked + bid);
    if (Game.FreeGamesPlayed != played) {
        ledger.freeSpins += 1;
        ASSERT_EQ(Game.Points + Game.FunPoints, points + fun);
        return;
    }
    ASSERT_EQ((wallet == 1 ? fun - Game.FunPoints : points - Game.Points), bid + surcharge);
    if (Game.Points - bid <= 0) ledger.refills += 1000;
}

void CheckConsistent() {
    ASSERT_TRUE(Game.FunWildPicks >= 0 && Game.FunWildPicks <= 3);
    ASSERT_TRUE(Game.Level >= 1 && Game.Level <= 5);
    ASSERT_TRUE(Game.LadderRung >= 0 && Game.LadderRung <= 15);
    ASSERT_GE(Game.CurrentWin, 0);
    ASSERT_LE(Game.WinLineCurrent, static_cast<int64_t>(Game.WinLines.size()) - 1);
    const int64_t phase = Game.GamePhase;
    ASSERT_TRUE(phase == PhaseSpinning || phase == PhaseSettled || phase == PhaseReady ||
                phase == PhaseWildPick);
    if (Game.GameMode == ModeFreeGames) {
        ASSERT_LE(Game.FreeGamesPlayed, Game.FreeGamesWon);
    }
    ASSERT_EQ(Game.ScatterCount, 0);
}

void PlaySession(uint64_t seed, int64_t funMode, int frames, Ledger& ledger) {
    headless::PinCryptRandomToZero(false);
    headless::SeedCryptRandom(seed);
    platform::RandomSeed(seed);
    std::mt19937_64 player(seed);
    auto chance = [&player](int n) { return player() % static_cast<uint64_t>(n) == 0; };
    Game.FunMode = funMode;
    Game.WinDisplayBlocked = 0;
    for (int frame = 0; frame < frames; ++frame) {
        if (Game.GamePhase == PhaseWildPick && chance(4))
            PickWild(static_cast<int64_t>(player() % CellCount));
        if (Game.LadderOpen == 1) {
            if (chance(12))
                RiskStep();
            else if (chance(30))
                TakeRisk();
            else
                TickRisk();
        } else if (chance(30)) {
            Request(false, ledger);
        } else if (chance(60)) {
            ledger.gambles += Game.CurrentWin > 0 ? 1 : 0;
            StartRisk();
        } else if (chance(150)) {
            ChangeBet();
        } else if (chance(250)) {
            ToggleExtraWild();
        } else if (chance(400) && funMode == 0) {
            Game.Autoplay = 1 - Game.Autoplay;
        }
        // The autoplay step of the controls: only once every line has been shown.
        const bool lastShown =
            Game.WinLines.empty() || Game.WinLineCurrent == static_cast<int64_t>(Game.WinLines.size()) - 1;
        if (Game.Autoplay == 1 && AutoplayTick(Game.FrameTime) && lastShown && !AnyEntryUnpaid())
            Request(true, ledger);
        if (::testing::Test::HasFatalFailure()) return;
        EngineFrame();
        DrawWinDisplay(0);  // the big-win banner ends the big win once it has faded
        CheckConsistent();
        if (::testing::Test::HasFatalFailure()) return;
    }
    // Close the session: no ladder, every count-up arrived.
    Game.Autoplay = 0;
    if (Game.LadderOpen == 1) TakeRisk();
    for (int frame = 0; frame < 2000 && (!Game.CountUps.empty() || Game.BigWinActive == 1); ++frame) {
        EngineFrame();
        DrawWinDisplay(0);
    }
    ASSERT_TRUE(Game.CountUps.empty());
}

class BalanceTest : public SlotTest, public ::testing::WithParamInterface<std::pair<uint64_t, int64_t>> {};

}  // namespace

TEST_P(BalanceTest, EveryPointIsAccountedFor) {
    const auto [seed, funMode] = GetParam();
    const int64_t points = Game.Points, fun = Game.FunPoints;
    Ledger ledger;
    PlaySession(seed, funMode, 250000, ledger);
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    EXPECT_EQ(Game.Points, points - ledger.charged[0] + ledger.collected[0] + ledger.refills);
    EXPECT_EQ(Game.FunPoints, fun - ledger.charged[1] + ledger.collected[1]);
    // The session really went through the game's paths.
    EXPECT_GT(ledger.spins, 200);
    EXPECT_GT(ledger.freeSpins, 0);
    EXPECT_GT(ledger.collects, 50);
    EXPECT_GT(ledger.gambles, 5);
}

INSTANTIATE_TEST_SUITE_P(Sessions, BalanceTest,
                         ::testing::Values(std::make_pair(11u, 0), std::make_pair(29u, 0),
                                           std::make_pair(48u, 1)));
