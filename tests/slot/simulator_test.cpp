#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "core/game_state.h"
#include "platform/headless/headless_control.h"
#include "slot/reel_strips.h"
#include "tests/slot/slot_test_support.h"
#include "tools/sim_report.h"
#include "tools/spin_simulator.h"

namespace {

SimulationOptions Options(uint64_t seed, bool extraWild = false) {
    SimulationOptions options;
    options.spins = 20000;
    options.seed = seed;
    options.betPerLine = 3;
    options.extraWild = extraWild;
    return options;
}

int64_t Sum(const std::array<int64_t, 6>& values) {
    return std::accumulate(values.begin(), values.end(), int64_t{0});
}

void ExpectInside(const Estimate& e, const char* what) {
    EXPECT_LE(e.low, e.value) << what;
    EXPECT_GE(e.high, e.value) << what;
    EXPECT_GE(e.low, 0.0) << what;
}

// Stops of reel 0 between consecutive spins, over `spins` spins.
std::set<int64_t> ReelZeroSteps(const SimulationOptions& options, int spins) {
    SetupSimulation(options);
    SimulationStats stats;
    std::set<int64_t> steps;
    for (int i = 0; i < spins; ++i) {
        const int64_t before = Game.Reels[0].restOffset;
        SimulateSpin(stats, i, spins);
        steps.insert((before - Game.Reels[0].restOffset) / ReelStep() % StripLength);
    }
    return steps;
}

}  // namespace

TEST(SpinSimulator, TheSameSeedGivesTheSameReport) {
    const SimulationOptions options = Options(7);
    const std::string first = FormatReport(options, RunSimulation(options, nullptr), false);
    EXPECT_EQ(first, FormatReport(options, RunSimulation(options, nullptr), false));
    const SimulationOptions other = Options(8);
    EXPECT_NE(first, FormatReport(other, RunSimulation(other, nullptr), false));
    EXPECT_NE(first.find("RTP"), std::string::npos);
}

TEST(SpinSimulator, TheFiguresAddUp) {
    for (bool extraWild : {false, true}) {
        const SimulationOptions options = Options(3, extraWild);
        const SimulationStats stats = RunSimulation(options, nullptr);
        EXPECT_EQ(stats.spins, options.spins);
        EXPECT_EQ(stats.baseSpins + stats.freeSpins, stats.spins);
        // Every paid spin costs the bid, doubled with Extra Wild.
        EXPECT_EQ(stats.staked, stats.baseSpins * 30 * (extraWild ? 2 : 1));
        EXPECT_EQ(stats.lineWins + stats.scatterPays + stats.freeGameWins, stats.won);
        EXPECT_EQ(Sum(stats.levelSpins), stats.baseSpins);
        EXPECT_EQ(Sum(stats.scatterSpins), stats.baseSpins);
        // The batches together are the run.
        int64_t batchSpins = 0, batchWon = 0, batchSeries = 0;
        for (const SpinTally& batch : stats.batches) {
            batchSpins += batch.spins;
            batchWon += batch.won;
            batchSeries += batch.seriesStarted;
        }
        EXPECT_EQ(batchSpins, stats.spins);
        EXPECT_EQ(batchWon, stats.won);
        EXPECT_EQ(batchSeries, stats.seriesStarted);
        EXPECT_GT(stats.seriesStarted, 50);
        EXPECT_GE(stats.seriesStarted, stats.seriesFinished);
        // The balance: what was charged, collected and refilled, nothing else.
        EXPECT_EQ(stats.pointsEnd, stats.pointsStart - stats.staked + stats.won + 1000 * stats.refills);
        // Every figure has an interval around it; the common ones a real one.
        const SimulationFigures f = ComputeFigures(stats);
        for (const Estimate* e : {&f.rtp, &f.hitFrequency, &f.winDeviation, &f.seriesPerBaseSpin,
                                  &f.seriesAveragePay, &f.rtpLineWins, &f.rtpScatterPays, &f.rtpFreeGames})
            ExpectInside(*e, "figure");
        for (int level = 1; level <= 5; ++level) {
            ExpectInside(f.levelShare[level], "level share");
            ExpectInside(f.levelReturn[level], "level return");
            EXPECT_LT(f.levelShare[level].low, f.levelShare[level].high);
        }
        for (const Estimate& e : f.scatterShare) ExpectInside(e, "scatter share");
        EXPECT_LT(f.rtp.low, f.rtp.high);
        EXPECT_LT(f.hitFrequency.low, f.hitFrequency.high);
        EXPECT_LT(f.winDeviation.low, f.winDeviation.high);
        EXPECT_LT(f.seriesAveragePay.low, f.seriesAveragePay.high);
        EXPECT_GT(f.hitFrequency.value, 0.1);
    }
}

TEST(SpinSimulator, TheOtherReadingsAreNamedAndLeaveTheDefaultReportAlone) {
    const SimulationOptions options = Options(5);
    const std::string plain = FormatReport(options, RunSimulation(options, nullptr), false);
    const std::string plainJson = FormatReport(options, RunSimulation(options, nullptr), true);
    EXPECT_EQ(plain.find("reading"), std::string::npos);
    EXPECT_EQ(plainJson.find("readings"), std::string::npos);
    for (int which = 0; which < 3; ++which) {
        SimulationOptions other = options;
        other.readings.levelWhenPaid = which == 0;
        other.readings.freshStops = which == 1;
        other.readings.wildsStayOnRetrigger = which == 2;
        const std::string report = FormatReport(other, RunSimulation(other, nullptr), false);
        EXPECT_NE(report, plain) << which;
        EXPECT_NE(report.find("(not what the game plays)"), std::string::npos) << which;
    }
    // Switched off again, nothing of them is left behind.
    EXPECT_EQ(FormatReport(options, RunSimulation(options, nullptr), false), plain);
}

TEST(SpinSimulator, PayingAtTheLevelWhenPaidPlaysTheSameSpinsForLess) {
    SimulationOptions options = Options(11);
    options.spins = 40000;
    const SimulationStats game = RunSimulation(options, nullptr);
    options.readings.levelWhenPaid = true;
    const SimulationStats literal = RunSimulation(options, nullptr);
    // The pay level moves no reel and no level: the very same spins.
    EXPECT_EQ(literal.baseSpins, game.baseSpins);
    EXPECT_EQ(literal.staked, game.staked);
    EXPECT_EQ(literal.levelSpins, game.levelSpins);
    EXPECT_EQ(literal.scatterSpins, game.scatterSpins);
    EXPECT_EQ(literal.seriesStarted, game.seriesStarted);
    EXPECT_EQ(literal.freeGameWins, game.freeGameWins);  // free games are paid at level 1 either way
    for (int level = 1; level <= 3; ++level)
        EXPECT_EQ(literal.levelWon[level], game.levelWon[level]) << level;
    // The level-4 spin that reaches level 5 is paid double, the level-5 spin
    // that starts free games single: on balance the game pays more.
    EXPECT_GT(literal.levelWon[4], game.levelWon[4]);
    EXPECT_LT(literal.levelWon[5], game.levelWon[5]);
    EXPECT_LT(literal.won, game.won);
}

TEST(SpinSimulator, FreshStopsLandAnywhereWhereTheGameTravelsOn) {
    SimulationOptions options = Options(13);
    const std::set<int64_t> travelled = ReelZeroSteps(options, 1500);
    EXPECT_GE(*travelled.begin(), 20);  // reel 0 travels 20 to 30 stops and is never respun
    EXPECT_LE(*travelled.rbegin(), 30);
    options.readings.freshStops = true;
    EXPECT_GT(ReelZeroSteps(options, 1500).size(), 160u);  // of 170
}

TEST(SpinSimulator, WildsStayOnRetriggerKeepsTheStickyWildsOfTheSeries) {
    for (bool stay : {false, true}) {
        SimulationOptions options = Options(17);
        options.readings.wildsStayOnRetrigger = stay;
        SetupSimulation(options);
        // Free game 4 of 10 with two sticky wilds; the spin lands scatters on
        // top of the first three reels (pinned travel) and none elsewhere.
        headless::PinCryptRandomToZero(true);
        Game.GameMode = ModeFreeGames;
        Game.FreeGamesWon = 10;
        Game.FreeGamesPlayed = 3;
        Game.ExtraWildMap[10] = Game.ExtraWildMap[13] = 1;
        PlaceReelsForSpin({0, 10, 20, 0, 0});
        SimulationStats stats;
        SimulateSpin(stats, 0, 1);
        ASSERT_EQ(Game.FreeGamesWon, 20) << "three scatters award ten more";
        EXPECT_EQ(Game.ExtraWildMap[10], stay ? 1 : 0);
        EXPECT_EQ(Game.ExtraWildMap[13], stay ? 1 : 0);
    }
}
