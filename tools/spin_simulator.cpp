#include "tools/spin_simulator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

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

OtherReadings gReadings;
std::mt19937_64 gFreshStops;  // draws the fresh stops of that reading, apart from the game's sources

// What one spin did, as the tallies count it.
struct SpinRecord {
    bool freeGame = false, seriesStarts = false, seriesEnds = false;
    int64_t charged = 0, win = 0, lines = 0, scatterPay = 0;
    int64_t level = 1, scatters = 0;
};

void Tally(SpinTally& tally, const SpinRecord& spin) {
    tally.spins += 1;
    tally.staked += spin.charged;
    tally.won += spin.win;
    if (spin.win > 0) tally.hits += 1;
    tally.winSum += static_cast<double>(spin.win);
    tally.winSquareSum += static_cast<double>(spin.win) * static_cast<double>(spin.win);
    if (spin.seriesEnds) tally.seriesFinished += 1;
    if (spin.freeGame) {
        tally.freeSpins += 1;
        tally.freeGameWins += spin.win;
        tally.seriesPaid += spin.win;
        return;
    }
    tally.baseSpins += 1;
    tally.lineWins += spin.lines;
    tally.scatterPays += spin.scatterPay;
    const int64_t level = std::clamp<int64_t>(spin.level, 1, 5);
    tally.levelSpins[level] += 1;
    tally.levelStaked[level] += spin.charged;
    tally.levelWon[level] += spin.win;
    tally.scatterSpins[std::clamp<int64_t>(spin.scatters, 0, 5)] += 1;
    if (spin.seriesStarts) tally.seriesStarted += 1;
}

// The fresh-stops reading: each reel is moved on by a uniform number of
// stops before it starts, so where it lands no longer depends on where it rested.
void FreshenStops() {
    for (ReelState& reel : Game.Reels) {
        reel.restOffset -= static_cast<int64_t>(gFreshStops() % StripLength) * ReelStep();
        reel.displayOffset = reel.restOffset;
    }
}

// The wilds-stay reading: the scatter outcome cleared the sticky wilds of a
// free game that awarded more; every wild of its window is sticky again.
void RestoreStickyWilds() {
    for (int64_t cell = 0; cell < CellCount; ++cell)
        Game.ExtraWildMap[cell] = Game.SymbolGrid[cell] == SymbolWild ? 1 : 0;
}

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
    gReadings = options.readings;
    gFreshStops.seed(options.seed ^ 0x6A09E667F3BCC909ull);
}

void SimulateSpin(SimulationStats& stats, int64_t index, int64_t total) {
    Game.Bid = Game.BetPerLine * Game.Paylines;
    SpinRecord spin;
    spin.freeGame = Game.GameMode == ModeFreeGames;
    const int64_t before = Game.Points;
    const int64_t queued = static_cast<int64_t>(Game.CountUps.size());
    if (gReadings.freshStops) FreshenStops();
    RequestSpin(false);
    if (Game.GamePhase != PhaseSpinning) {
        std::fprintf(stderr, "nebulor-sim: the spin request started no spin\n");
        std::exit(2);
    }
    spin.charged = before - Game.Points;
    if (static_cast<int64_t>(Game.CountUps.size()) > queued) stats.refills += 1;
    spin.level = Game.SpinLevel;

    RunReelsToRest();

    for (int64_t symbol : Game.SymbolGrid)
        if (symbol == SymbolScatter) spin.scatters += 1;
    spin.seriesStarts = !spin.freeGame && Game.GameMode == ModeFreeGames;
    if (gReadings.levelWhenPaid) Game.SpinLevel = Game.Level;
    if (gReadings.wildsStayOnRetrigger && spin.freeGame && spin.scatters >= 3) RestoreStickyWilds();
    // The free-game effects have been shown; the presentation would go on now.
    Game.FreeGameAnimations.clear();
    Game.TimerGate = 0;

    SplitPays(spin.lines, spin.scatterPay);
    if (AnyEntryUnpaid() || Game.CurrentWin > 0) {
        const int64_t wonBefore = Game.TotalWon;
        RequestSpin(false);  // the press that collects
        spin.win = Game.TotalWon - wonBefore;
        if (spin.win != spin.lines + spin.scatterPay) {
            std::fprintf(stderr, "nebulor-sim: collected %lld but the entries paid %lld\n",
                         static_cast<long long>(spin.win),
                         static_cast<long long>(spin.lines + spin.scatterPay));
            std::exit(2);
        }
    }
    EndFreeGames();
    spin.seriesEnds = spin.freeGame && Game.GameMode == ModeBaseGame;
    // Messages build pictures on the headless screen; their draw log is not needed.
    if ((index & 0x3FF) == 0) headless::ClearSpriteDrawLog();

    const int64_t batch =
        std::min<int64_t>(index * SimulationBatches / std::max<int64_t>(total, 1), SimulationBatches - 1);
    Tally(stats, spin);
    Tally(stats.batches[batch], spin);
    stats.largestWin = std::max(stats.largestWin, spin.win);
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
