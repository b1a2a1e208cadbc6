#include <gtest/gtest.h>

#include <numeric>

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
        EXPECT_EQ(std::accumulate(stats.batchWon.begin(), stats.batchWon.end(), int64_t{0}), stats.won);
        EXPECT_GT(stats.seriesStarted, 50);
        EXPECT_GE(stats.seriesStarted, stats.seriesFinished);
        // The balance: what was charged, collected and refilled, nothing else.
        EXPECT_EQ(stats.pointsEnd, stats.pointsStart - stats.staked + stats.won + 1000 * stats.refills);
        const SimulationFigures figures = ComputeFigures(stats);
        EXPECT_LT(figures.rtpLow, figures.rtp);
        EXPECT_GT(figures.rtpHigh, figures.rtp);
        EXPECT_GT(figures.hitFrequency, 0.1);
    }
}
