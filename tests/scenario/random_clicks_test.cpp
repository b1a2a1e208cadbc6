// Random clicks through the real main loop, from several seeds. The ledger
// values every win the game evaluates with its own paytable, so a line or a
// scatter that was evaluated but never paid, or paid at the wrong value,
// breaks the account at the frame it happens; only the ladder's result may
// change a win.
#include "tests/support/random_clicks.h"

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
    auto frame = [&] {
        ledger.Frame();
        ASSERT_EQ(Ledger::Held(), ledger.Expected()) << "after " << ledger.spins << " spins";
    };
    for (int step = 0; step < 3000 && !HasFatalFailure(); ++step) ClickAtRandom(random, frame);
    ASSERT_TRUE(StopAndCollect(frame));
    // Nothing is owed any more: every booked win is in the balance, and in the game's own total.
    EXPECT_EQ(Ledger::Held(), ledger.start - ledger.charged + ledger.refills + ledger.booked);
    EXPECT_EQ(Game.TotalWon - ledger.wonAtStart, ledger.booked);
    // The run went through the paths that pay.
    EXPECT_GT(ledger.lineWins, 20);
    EXPECT_GT(ledger.scatterWins, 0);
    EXPECT_GT(ledger.gambles, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomClicksTest, ::testing::Values(1u, 2u, 3u, 4u, 5u));
