// Whole simulated spins and line evaluations per second. Each measurement
// with the symbol-level line matcher runs beside a baseline with the textual
// (regular-expression) matcher in the same process, and the report ends with
// the speed-up ratios, which hold from machine to machine where absolute
// timings do not.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "slot/line_match.h"
#include "slot/paylines.h"
#include "tools/spin_simulator.h"

namespace {

// A spin of the simulator's loop: request, reels to rest, evaluation, collect.
void SimulatedSpins(benchmark::State& state, bool fast) {
    SimulationOptions options;
    options.seed = 99;
    SetupSimulation(options);
    UseFastLineMatch(fast);
    SimulationStats stats;
    int64_t index = 0;
    for (auto _ : state) SimulateSpin(stats, index++ % 1000000, 1000000);
    state.SetItemsProcessed(state.iterations());
    benchmark::DoNotOptimize(stats.won);
}

// EvaluateLines over a fixed set of windows drawn from the reels.
void LineEvaluations(benchmark::State& state, bool fast) {
    SimulationOptions options;
    options.seed = 5;
    SetupSimulation(options);
    std::vector<std::array<int64_t, CellCount>> grids(256);
    platform::RandomSeed(17);
    for (auto& grid : grids)
        for (int64_t cell = 0; cell < CellCount; ++cell) {
            const int64_t reel = cell / RowCount;
            grid[cell] = Game.Reels[reel].symbols[platform::Random(StripLength - 1)];
        }
    UseFastLineMatch(fast);
    size_t next = 0;
    for (auto _ : state) {
        Game.SymbolGrid = grids[next++ & 255];
        Game.SymbolAnimations.clear();
        EvaluateLines();
        benchmark::DoNotOptimize(Game.WinLines.size());
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(SimulatedSpins, textual, false);
BENCHMARK_CAPTURE(SimulatedSpins, fast, true);
BENCHMARK_CAPTURE(LineEvaluations, textual, false);
BENCHMARK_CAPTURE(LineEvaluations, fast, true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&reporter](const char* what) {
        const std::string baseline = std::string(what) + "/textual", fast = std::string(what) + "/fast";
        if (reporter.realTime.count(baseline) == 0 || reporter.realTime.count(fast) == 0) return;
        std::printf("%s: the symbol-level matcher runs %.1f times as fast as the textual baseline\n", what,
                    reporter.realTime[baseline] / reporter.realTime[fast]);
    };
    ratio("SimulatedSpins");
    ratio("LineEvaluations");
    benchmark::Shutdown();
    return 0;
}
