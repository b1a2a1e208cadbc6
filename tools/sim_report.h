// The simulator's report: the game's math sheet as text or JSON.
#pragma once

#include <array>
#include <string>

#include "tools/spin_simulator.h"

// A figure of the run and its 95 % interval from the batch means.
struct Estimate {
    double value = 0, low = 0, high = 0;
};

// Key figures derived from the gathered statistics, each with its interval.
struct SimulationFigures {
    Estimate rtp;                // points won per point staked
    Estimate hitFrequency;       // spins that win anything, per spin
    Estimate winDeviation;       // standard deviation of the win per spin, points
    Estimate seriesPerBaseSpin;  // free-game series started per paid spin
    Estimate seriesAveragePay;   // won in a finished series, on average (hundredths of a point)
    std::array<Estimate, 6> levelShare, levelReturn;  // by level 1..5: share of paid spins, their return
    std::array<Estimate, 6> scatterShare;             // paid spins with 0..5 scatters
    Estimate rtpLineWins, rtpScatterPays, rtpFreeGames;
};

SimulationFigures ComputeFigures(const SimulationStats& stats);

// The report for `options` and `stats`; byte for byte the same for the same run.
std::string FormatReport(const SimulationOptions& options, const SimulationStats& stats, bool json);
