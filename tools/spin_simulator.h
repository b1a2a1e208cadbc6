// The spin simulator: plays the game's own engine procedures with a simulated
// clock, as a player who spins, lets every win be collected by the next
// press, and never gambles; gathers the statistics of the game's math sheet.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct SimulationOptions {
    int64_t spins = 1000000;  // reel spins, free games included
    uint64_t seed = 1;
    int64_t betPerLine = 1;
    bool extraWild = false;
};

constexpr int SimulationBatches = 100;

struct SimulationStats {
    int64_t spins = 0, baseSpins = 0, freeSpins = 0;
    int64_t staked = 0;  // points charged, Extra Wild surcharge included
    int64_t won = 0;     // points collected
    int64_t hits = 0;    // spins that won something
    double winSum = 0, winSquareSum = 0;
    int64_t largestWin = 0;
    int64_t lineWins = 0, scatterPays = 0, freeGameWins = 0;  // won, by source
    int64_t seriesStarted = 0, seriesFinished = 0, seriesPaid = 0;
    std::array<int64_t, 6> levelSpins{}, levelStaked{}, levelWon{};  // base-game spins by level 1..5
    std::array<int64_t, 6> scatterSpins{};                           // base-game spins by scatters 0..5
    std::array<int64_t, SimulationBatches> batchStaked{}, batchWon{};
    int64_t refills = 0;
    int64_t pointsStart = 0, pointsEnd = 0;
};

// Resets the headless machine and the game state, seeds both random sources
// from `options.seed` and sets up the reels, the bet and Extra Wild.
void SetupSimulation(const SimulationOptions& options);

// Plays one spin through RequestSpin, the reel motion, the evaluation and the
// collecting press, and adds it to `stats` (spin number `index` of `total`).
void SimulateSpin(SimulationStats& stats, int64_t index, int64_t total);

// Collects the last win and lets every count-up arrive; fills the end balance.
void FinishSimulation(SimulationStats& stats);

// The whole run; `progress` (may be empty) is called now and then with the spins done.
SimulationStats RunSimulation(const SimulationOptions& options,
                              void (*progress)(int64_t done, int64_t total));
