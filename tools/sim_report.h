// The simulator's report: the game's math sheet as text or JSON.
#pragma once

#include <string>

#include "tools/spin_simulator.h"

// Key figures derived from the gathered statistics.
struct SimulationFigures {
    double rtp = 0, rtpLow = 0, rtpHigh = 0;  // return to player and its 95 % interval
    double hitFrequency = 0;
    double winDeviation = 0;  // standard deviation of the win per spin, points
};

SimulationFigures ComputeFigures(const SimulationStats& stats);

// The report for `options` and `stats`; byte for byte the same for the same run.
std::string FormatReport(const SimulationOptions& options, const SimulationStats& stats, bool json);
