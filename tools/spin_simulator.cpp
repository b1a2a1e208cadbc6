#include "tools/spin_simulator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "core/count_up.h"
#include "core/game_state.h"
#include "core/text_table.h"
#include "platform/headless/headless_control.h"
#include "platform/platform.h"
#include "slot/features.h"
#include "slot/line_match.h"
#include "slot/paylines.h"
#include "slot/reel_strips.h"
#include "slot/reels.h"
#include "slot/stake.h"

namespace {

void StepCountUpsAsTheFrameDoes() {
    Game.CountUpRunning = StepCountUps(Game.WinLines.empty() ? &Game.DisplayedWin : &Game.CurrentWin);
}

// Jumps the clock to the moment the last moving reel stops, then runs the
// one frame that stops them all in order (and again for a Respin).
void RunReelsToRest() {
    while (Game.GamePhase == PhaseSpinning) {
        int64_t stop = platform::ElapsedMilliseconds();
        for (int64_t r = 0; r < ReelCount; ++r)
            if (Game.Reels[r].spinning == 1) stop = std::max(stop, ReelStopTime(r));
        headless::SetClock(stop);
        Game.FrameTime = stop;
        StepCountUpsAsTheFrameDoes();
        UpdateReels();
    }
}

// Pays of the unpaid entries by source, through LinePay itself.
void SplitPays(int64_t& lines, int64_t& scatters) {
    const int64_t keep = Game.FreeGamesWin;
    for (const Payline& entry : Game.WinLines) {
        if (entry.unpaid != 1) continue;
        const int64_t pay = LinePay(entry.symbol, entry.payFactor);
        (entry.lineNo == ScatterLineNo ? scatters : lines) += pay;
    }
    Game.FreeGamesWin = keep;
}

}  // namespace

void SetupSimulation(const SimulationOptions& options) {
    headless::Reset();
    headless::SetFrameStep(0);
    headless::SeedCryptRandom(options.seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull);
    platform::RandomSeed(options.seed ^ 0xD1B54A32D192ED03ull);
    InitGameState(platform::ElapsedMilliseconds(), 0);
    FillTextTable(1);
    platform::OpenCryptRandom();
    SetupReels();
    UseFastLineMatch(true);
    // Nothing is heard or drawn: no sounds, and a particle budget that is
    // always spent, so every sparkle request is dropped at once.
    Game.SoundOn = 0;
    Game.ParticleCount = std::numeric_limits<int64_t>::max() / 2;
    Game.GamePhase = PhaseReady;
    Game.Paylines = 10;
    Game.BetPerLine = options.betPerLine;
    Game.Bid = Game.BetPerLine * Game.Paylines;
    if (options.extraWild) ToggleExtraWild();
    Game.MessageOverlayOn = 0;
}

void SimulateSpin(SimulationStats& stats, int64_t index, int64_t total) {
    Game.Bid = Game.BetPerLine * Game.Paylines;
    const bool freeGame = Game.GameMode == ModeFreeGames;
    const int64_t before = Game.Points;
    const int64_t queued = static_cast<int64_t>(Game.CountUps.size());
    RequestSpin(false);
    if (Game.GamePhase != PhaseSpinning) {
        std::fprintf(stderr, "nebulor-sim: the spin request started no spin\n");
        std::exit(2);
    }
    const int64_t charged = before - Game.Points;
    if (static_cast<int64_t>(Game.CountUps.size()) > queued) stats.refills += 1;
    const int64_t level = Game.SpinLevel;

    RunReelsToRest();

    int64_t scatters = 0;
    for (int64_t symbol : Game.SymbolGrid)
        if (symbol == SymbolScatter) scatters += 1;
    const bool seriesStarts = !freeGame && Game.GameMode == ModeFreeGames;
    // The free-game effects have been shown; the presentation would go on now.
    Game.FreeGameAnimations.clear();
    Game.TimerGate = 0;

    int64_t lines = 0, scatterPay = 0, win = 0;
    SplitPays(lines, scatterPay);
    if (AnyEntryUnpaid() || Game.CurrentWin > 0) {
        const int64_t wonBefore = Game.TotalWon;
        RequestSpin(false);  // the press that collects
        win = Game.TotalWon - wonBefore;
        if (win != lines + scatterPay) {
            std::fprintf(stderr, "nebulor-sim: collected %lld but the entries paid %lld\n",
                         static_cast<long long>(win), static_cast<long long>(lines + scatterPay));
            std::exit(2);
        }
    }
    EndFreeGames();
    if (freeGame && Game.GameMode == ModeBaseGame) stats.seriesFinished += 1;
    // Messages build pictures on the headless screen; their draw log is not needed.
    if ((index & 0x3FF) == 0) headless::ClearSpriteDrawLog();

    stats.spins += 1;
    stats.staked += charged;
    stats.won += win;
    if (win > 0) stats.hits += 1;
    stats.winSum += static_cast<double>(win);
    stats.winSquareSum += static_cast<double>(win) * static_cast<double>(win);
    stats.largestWin = std::max(stats.largestWin, win);
    const int64_t batch =
        std::min<int64_t>(index * SimulationBatches / std::max<int64_t>(total, 1), SimulationBatches - 1);
    stats.batchStaked[batch] += charged;
    stats.batchWon[batch] += win;
    if (freeGame) {
        stats.freeSpins += 1;
        stats.freeGameWins += win;
        stats.seriesPaid += win;
    } else {
        stats.baseSpins += 1;
        stats.lineWins += lines;
        stats.scatterPays += scatterPay;
        const int64_t at = std::clamp<int64_t>(level, 1, 5);
        stats.levelSpins[at] += 1;
        stats.levelStaked[at] += charged;
        stats.levelWon[at] += win;
        stats.scatterSpins[std::clamp<int64_t>(scatters, 0, 5)] += 1;
        if (seriesStarts) stats.seriesStarted += 1;
    }
}

void FinishSimulation(SimulationStats& stats) {
    headless::AdvanceClock(10000);
    Game.FrameTime = platform::ElapsedMilliseconds();
    StepCountUpsAsTheFrameDoes();
    stats.pointsEnd = Game.Points;
}

SimulationStats RunSimulation(const SimulationOptions& options,
                              void (*progress)(int64_t done, int64_t total)) {
    SetupSimulation(options);
    SimulationStats stats;
    stats.pointsStart = Game.Points;
    const int64_t step = std::max<int64_t>(options.spins / 200, 1);
    for (int64_t i = 0; i < options.spins; ++i) {
        SimulateSpin(stats, i, options.spins);
        if (progress != nullptr && (i + 1) % step == 0) progress(i + 1, options.spins);
    }
    FinishSimulation(stats);
    return stats;
}
