// The spin simulator: plays the game's own engine procedures with a simulated
// clock, as a player who spins, lets every win be collected by the next
// press, and never gambles; gathers the statistics of the game's math sheet.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Readings of the rules that the game does not play, for measuring what its
// choices are worth. Only the simulator knows them: it plays the game's own
// procedures and changes the game state between them; the game never reads these.
struct OtherReadings {
    // Lines are paid at the level in force when they are paid, not at the one
    // the spin started with: the level-4 spin that reaches level 5 is paid
    // double, a level-5 spin that starts free games single.
    bool levelWhenPaid = false;
    // Every spin starts from fresh random stops instead of travelling on from
    // where the reels stopped.
    bool freshStops = false;
    // Scatters that award more free games leave the sticky wilds standing.
    bool wildsStayOnRetrigger = false;

    bool Any() const { return levelWhenPaid || freshStops || wildsStayOnRetrigger; }
};

struct SimulationOptions {
    int64_t spins = 1000000;  // reel spins, free games included
    uint64_t seed = 1;
    int64_t betPerLine = 1;
    bool extraWild = false;
    OtherReadings readings;
};

constexpr int SimulationBatches = 100;

// What the simulator counts: once for the whole run and once for each batch
// of consecutive spins, from which the report's intervals come.
struct SpinTally {
    int64_t spins = 0, baseSpins = 0, freeSpins = 0;
    int64_t staked = 0;  // points charged, Extra Wild surcharge included
    int64_t won = 0;     // points collected
    int64_t hits = 0;    // spins that won something
    double winSum = 0, winSquareSum = 0;
    int64_t lineWins = 0, scatterPays = 0, freeGameWins = 0;  // won, by source
    int64_t seriesStarted = 0, seriesFinished = 0, seriesPaid = 0;
    std::array<int64_t, 6> levelSpins{}, levelStaked{}, levelWon{};  // base-game spins by level 1..5
    std::array<int64_t, 6> scatterSpins{};                           // base-game spins by scatters 0..5
};

struct SimulationStats : SpinTally {
    std::array<SpinTally, SimulationBatches> batches{};
    int64_t largestWin = 0;
    int64_t refills = 0;
    int64_t pointsStart = 0, pointsEnd = 0;
};

// Resets the headless machine and the game state, seeds both random sources
// from `options.seed` and sets up the reels, the bet, Extra Wild and the readings.
void SetupSimulation(const SimulationOptions& options);

// Plays one spin through RequestSpin, the reel motion, the evaluation and the
// collecting press, and adds it to `stats` (spin number `index` of `total`).
void SimulateSpin(SimulationStats& stats, int64_t index, int64_t total);

// Collects the last win and lets every count-up arrive; fills the end balance.
void FinishSimulation(SimulationStats& stats);

// The whole run; `progress` (may be empty) is called now and then with the spins done.
SimulationStats RunSimulation(const SimulationOptions& options,
                              void (*progress)(int64_t done, int64_t total));
