#include <algorithm>
#include <array>
#include <cmath>

#include "data/forge/intro/intro_timeline.h"
#include "data/forge/pictures/paint.h"

namespace forge::intro {

using paint::Pi;

namespace {

constexpr double CruiseSpeed = 5.0;  // world units per second
constexpr double CreepSpeed = 0.03;  // the slow push towards the reel frame after the flight
constexpr double TableStep = 0.001;  // seconds
constexpr int TableSize = static_cast<int>(Length / TableStep) + 2;

// The distance at every millisecond, summed once (the same table every run).
const std::array<double, TableSize>& DistanceTable() {
    static const std::array<double, TableSize> table = [] {
        std::array<double, TableSize> d{};
        for (int i = 1; i < TableSize; ++i)
            d[i] = d[i - 1] + 0.5 * TableStep * (Speed((i - 1) * TableStep) + Speed(i * TableStep));
        return d;
    }();
    return table;
}

}  // namespace

double Ease(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * x * (x * (x * 6 - 15) + 10);
}

double Progress(double t, double from, double to) { return std::clamp((t - from) / (to - from), 0.0, 1.0); }

double Speed(double t) {
    if (t >= Arrival) return CreepSpeed * std::sin(Pi * Progress(t, Arrival, StillFrom));
    // Drifting at the first frame, full speed by 2 s, then braking.
    const double start = 0.12 + 0.88 * Ease(Progress(t, 0.0, 2.2));
    const double brake = 1.0 - Progress(t, SlowDownFrom, Arrival);
    return CruiseSpeed * start * brake * brake;
}

double Travelled(double t) {
    const double at = std::clamp(t, 0.0, Length) / TableStep;
    const int i = std::min(static_cast<int>(at), TableSize - 2);
    const double f = at - i;
    const auto& d = DistanceTable();
    return d[i] + (d[i + 1] - d[i]) * f;
}

double ReelFrameDepth(double t) { return 1.0 + Travelled(StillFrom) - Travelled(t); }

}  // namespace forge::intro
