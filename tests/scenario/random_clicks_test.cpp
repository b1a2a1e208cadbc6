// Random clicks through the real main loop, from several seeds. The ledger
// values every win the game evaluates with its own paytable, so a line or a
// scatter that was evaluated but never paid, or paid at the wrong value,
// breaks the account at the frame it happens; only the ladder's result may
// change a win. Double and triple clicks come as a real mouse sends them.
#include "tests/support/random_clicks.h"

#include <algorithm>
#include <random>

#include "platform/platform.h"
#include "tests/support/ledger.h"
#include "tests/support/scenario.h"

namespace {
class RandomClicksTest : public ScenarioTest, public ::testing::WithParamInterface<uint32_t> {};
}  // namespace

TEST_P(RandomClicksTest, EveryEvaluatedWinArrivesInTheBalance) {
    const uint32_t seed = GetParam();
    EndDemoByClick();
    headless::PinCryptRandomToZero(false);
    headless::SeedCryptRandom(seed);
    platform::RandomSeed(seed);
    std::mt19937 random(seed);
    Game.Points = 300;  // close to the bid now and then: refills and autoplay's grant happen too
    Ledger ledger;
    ledger.Begin();
    // The least the points covered the stake by during an action (autoplay stops below).
    int64_t leastMargin = 0;
    auto frame = [&] {
        ledger.Frame();
        leastMargin = std::min(leastMargin, Game.Points - Game.Bid - Game.ExtraWildCost);
        ASSERT_EQ(Ledger::Held(), ledger.Expected()) << "after " << ledger.spins << " spins";
    };
    // A double or triple click starts at most one paid spin: its later presses
    // belong to the double-click and never buy a spin of their own. A double
    // click on START with autoplay off leaves autoplay on, where it can run.
    int64_t multiClicks = 0, chargedBefore = 0, phaseBefore = 0;
    bool autoplayBefore = false;
    auto wheel = [](int64_t phase) { return phase >= PhaseWheelIdle && phase <= PhaseWheelStopped; };
    auto pressed = [&](const RandomPresses& done) {
        if (done.presses < 2) return;
        multiClicks += 1;
        if (autoplayBefore) return;
        EXPECT_LE(ledger.chargedSpins - chargedBefore, 1)
            << done.presses << "-click after " << ledger.spins << " spins";
        const bool canRun =
            Game.FunMode == 0 && leastMargin > 0 && !wheel(phaseBefore) && !wheel(Game.GamePhase);
        if (done.presses == 2 && done.firstClicks == 1 && done.onStart && canRun) {
            EXPECT_EQ(Game.Autoplay, 1)
                << "double-click after " << ledger.spins << " spins"
                << " phase " << phaseBefore << "->" << Game.GamePhase << " msg " << Game.MessageOverlayOn
                << " ladder " << Game.LadderOpen << " mode " << Game.GameMode << " win " << Game.CurrentWin;
        }
    };
    for (int step = 0; step < 3000 && !HasFatalFailure(); ++step) {
        chargedBefore = ledger.chargedSpins;
        autoplayBefore = Game.Autoplay == 1;
        phaseBefore = Game.GamePhase;
        leastMargin = Game.Points - Game.Bid - Game.ExtraWildCost;
        ClickAtRandom(random, frame, pressed);
    }
    ASSERT_TRUE(StopAndCollect(frame));
    EXPECT_GT(multiClicks, 300);
    EXPECT_GT(ledger.chargedSpins, 100);
    // Nothing is owed any more: every booked win is in the balance, and in the game's own total.
    EXPECT_EQ(Ledger::Held(), ledger.start - ledger.charged + ledger.refills + ledger.booked);
    EXPECT_EQ(Game.TotalWon - ledger.wonAtStart, ledger.booked);
    // The run went through the paths that pay.
    EXPECT_GT(ledger.lineWins, 20);
    EXPECT_GT(ledger.scatterWins, 0);
    EXPECT_GT(ledger.gambles, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomClicksTest, ::testing::Values(1u, 2u, 3u, 4u, 5u));
