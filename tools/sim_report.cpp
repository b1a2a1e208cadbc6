#include "tools/sim_report.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace {

double Ratio(double part, double whole) { return whole > 0 ? part / whole : 0.0; }
double Points(int64_t amount) { return static_cast<double>(amount) / 100.0; }

void Append(std::string& out, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    out += line;
}

// 1.96 standard errors from the batches' residuals (what each batch adds to
// the numerator beyond its share of the whole): levels and free games tie
// neighbouring spins together, batches of many spins do not. `scale`
// divides the spread into the figure's unit.
double HalfInterval(double squaredResiduals, int batches, double scale) {
    return batches > 1 && scale > 0 ? 1.96 * std::sqrt(squaredResiduals * batches / (batches - 1.0)) / scale
                                    : 0.0;
}

// A ratio of two counts of the run, with its interval from the batch means.
template <class Numerator, class Denominator>
Estimate RatioEstimate(const SimulationStats& stats, Numerator numerator, Denominator denominator) {
    Estimate estimate;
    const double whole = static_cast<double>(denominator(stats));
    estimate.value = Ratio(static_cast<double>(numerator(stats)), whole);
    double spread = 0;
    int batches = 0;
    for (const SpinTally& batch : stats.batches) {
        const double part = static_cast<double>(numerator(batch)),
                     share = static_cast<double>(denominator(batch));
        if (part == 0 && share == 0) continue;
        const double residual = part - estimate.value * share;
        spread += residual * residual;
        ++batches;
    }
    const double half = HalfInterval(spread, batches, whole);
    estimate.low = std::max(estimate.value - half, 0.0);  // no figure here can fall below 0
    estimate.high = estimate.value + half;
    return estimate;
}

// The standard deviation of the win per spin, in points; its interval
// linearises the variance in the batches' sums of wins and squared wins.
Estimate WinDeviation(const SimulationStats& stats) {
    Estimate estimate;
    if (stats.spins <= 1) return estimate;
    const double spins = static_cast<double>(stats.spins);
    const double mean = stats.winSum / spins, meanSquare = stats.winSquareSum / spins;
    const double variance = (stats.winSquareSum - spins * mean * mean) / (spins - 1.0);
    const double deviation = std::sqrt(variance > 0 ? variance : 0.0);
    estimate.value = deviation / 100.0;
    double spread = 0;
    int batches = 0;
    for (const SpinTally& batch : stats.batches) {
        if (batch.spins == 0) continue;
        const double n = static_cast<double>(batch.spins);
        const double residual = (batch.winSquareSum - n * meanSquare) - 2 * mean * (batch.winSum - n * mean);
        spread += residual * residual;
        ++batches;
    }
    // The interval of the variance, carried to its square root.
    const double half = deviation > 0 ? HalfInterval(spread, batches, spins) / (2 * deviation) / 100.0 : 0.0;
    estimate.low = estimate.value - half;
    estimate.high = estimate.value + half;
    return estimate;
}

}  // namespace

SimulationFigures ComputeFigures(const SimulationStats& stats) {
    SimulationFigures f;
    auto won = [](const SpinTally& t) { return t.won; };
    auto staked = [](const SpinTally& t) { return t.staked; };
    auto spins = [](const SpinTally& t) { return t.spins; };
    auto baseSpins = [](const SpinTally& t) { return t.baseSpins; };
    f.rtp = RatioEstimate(stats, won, staked);
    f.hitFrequency = RatioEstimate(
        stats, [](const SpinTally& t) { return t.hits; }, spins);
    f.winDeviation = WinDeviation(stats);
    f.seriesPerBaseSpin = RatioEstimate(
        stats, [](const SpinTally& t) { return t.seriesStarted; }, baseSpins);
    f.seriesAveragePay = RatioEstimate(
        stats, [](const SpinTally& t) { return t.seriesPaid; },
        [](const SpinTally& t) { return t.seriesFinished; });
    for (size_t level = 1; level <= 5; ++level) {
        f.levelShare[level] = RatioEstimate(
            stats, [level](const SpinTally& t) { return t.levelSpins[level]; }, baseSpins);
        f.levelReturn[level] = RatioEstimate(
            stats, [level](const SpinTally& t) { return t.levelWon[level]; },
            [level](const SpinTally& t) { return t.levelStaked[level]; });
    }
    for (size_t n = 0; n <= 5; ++n)
        f.scatterShare[n] = RatioEstimate(
            stats, [n](const SpinTally& t) { return t.scatterSpins[n]; }, baseSpins);
    f.rtpLineWins = RatioEstimate(
        stats, [](const SpinTally& t) { return t.lineWins; }, staked);
    f.rtpScatterPays = RatioEstimate(
        stats, [](const SpinTally& t) { return t.scatterPays; }, staked);
    f.rtpFreeGames = RatioEstimate(
        stats, [](const SpinTally& t) { return t.freeGameWins; }, staked);
    return f;
}

namespace {

// The readings a run played, by their command-line names.
std::string ReadingNames(const OtherReadings& readings) {
    std::string names;
    auto add = [&names](bool on, const char* name) {
        if (!on) return;
        if (!names.empty()) names += ", ";
        names += name;
    };
    add(readings.levelWhenPaid, "level-when-paid");
    add(readings.freshStops, "fresh-stops");
    add(readings.wildsStayOnRetrigger, "wilds-stay-on-retrigger");
    return names;
}

std::string FormatJson(const SimulationOptions& options, const SimulationStats& stats,
                       const SimulationFigures& f) {
    const double staked = static_cast<double>(stats.staked);
    std::string out;
    auto interval = [&out](const char* key, const Estimate& e, double scale = 1.0) {
        Append(out, "  \"%sLow95\": %.6f,\n  \"%sHigh95\": %.6f,\n", key, e.low * scale, key, e.high * scale);
    };
    Append(out, "{\n  \"spins\": %" PRId64 ",\n  \"seed\": %" PRIu64 ",\n  \"betPerLine\": %" PRId64 ",\n",
           stats.spins, options.seed, options.betPerLine);
    Append(out, "  \"extraWild\": %s,\n  \"baseSpins\": %" PRId64 ",\n  \"freeSpins\": %" PRId64 ",\n",
           options.extraWild ? "true" : "false", stats.baseSpins, stats.freeSpins);
    if (options.readings.Any()) {
        std::string names = ReadingNames(options.readings);
        for (size_t at = 0; (at = names.find(", ", at)) != std::string::npos; at += 4)
            names.replace(at, 2, "\", \"");
        Append(out, "  \"readings\": [\"%s\"],\n", names.c_str());
    }
    Append(out, "  \"pointsStaked\": %.2f,\n  \"pointsWon\": %.2f,\n", Points(stats.staked),
           Points(stats.won));
    Append(out, "  \"rtp\": %.6f,\n  \"rtpLow95\": %.6f,\n  \"rtpHigh95\": %.6f,\n", f.rtp.value, f.rtp.low,
           f.rtp.high);
    Append(out, "  \"hitFrequency\": %.6f,\n  \"winDeviation\": %.4f,\n  \"largestWin\": %.2f,\n",
           f.hitFrequency.value, f.winDeviation.value, Points(stats.largestWin));
    interval("hitFrequency", f.hitFrequency);
    interval("winDeviation", f.winDeviation);
    Append(out,
           "  \"seriesStarted\": %" PRId64
           ",\n  \"seriesPerBaseSpin\": %.6f,\n  \"seriesAveragePay\": %.2f,\n",
           stats.seriesStarted,
           Ratio(static_cast<double>(stats.seriesStarted), static_cast<double>(stats.baseSpins)),
           f.seriesAveragePay.value / 100.0);
    interval("seriesPerBaseSpin", f.seriesPerBaseSpin);
    interval("seriesAveragePay", f.seriesAveragePay, 0.01);
    out += "  \"levels\": [";
    for (int level = 1; level <= 5; ++level) {
        const Estimate &share = f.levelShare[level], &rtp = f.levelReturn[level];
        Append(out,
               "%s\n    {\"level\": %d, \"share\": %.6f, \"rtp\": %.6f, \"shareLow95\": %.6f, "
               "\"shareHigh95\": %.6f, "
               "\"rtpLow95\": %.6f, \"rtpHigh95\": %.6f}",
               level > 1 ? "," : "", level, share.value, rtp.value, share.low, share.high, rtp.low, rtp.high);
    }
    out += "\n  ],\n";
    auto scatterList = [&out, &f](const char* key, double Estimate::*bound) {
        Append(out, "  \"%s\": [", key);
        for (int n = 0; n <= 5; ++n) Append(out, "%s%.6f", n > 0 ? ", " : "", f.scatterShare[n].*bound);
        out += "],\n";
    };
    scatterList("scatters", &Estimate::value);
    scatterList("scattersLow95", &Estimate::low);
    scatterList("scattersHigh95", &Estimate::high);
    Append(out, "  \"rtpLineWins\": %.6f,\n  \"rtpScatterPays\": %.6f,\n  \"rtpFreeGames\": %.6f,\n",
           Ratio(static_cast<double>(stats.lineWins), staked),
           Ratio(static_cast<double>(stats.scatterPays), staked),
           Ratio(static_cast<double>(stats.freeGameWins), staked));
    interval("rtpLineWins", f.rtpLineWins);
    interval("rtpScatterPays", f.rtpScatterPays);
    interval("rtpFreeGames", f.rtpFreeGames);
    Append(out, "  \"refills\": %" PRId64 "\n}\n", stats.refills);
    return out;
}

}  // namespace

std::string FormatReport(const SimulationOptions& options, const SimulationStats& stats, bool json) {
    const SimulationFigures f = ComputeFigures(stats);
    if (json) return FormatJson(options, stats, f);
    const double stakePerSpin =
        Ratio(static_cast<double>(stats.staked), static_cast<double>(stats.baseSpins));
    std::string out;
    Append(out, "Nebulor 2 spin simulation\n");
    Append(out, "  spins                %12" PRId64 "  (%" PRId64 " paid, %" PRId64 " free games)\n",
           stats.spins, stats.baseSpins, stats.freeSpins);
    Append(out, "  seed                 %12" PRIu64 "\n", options.seed);
    Append(out, "  bet per line         %12" PRId64 "  (stake %.2f P per paid spin%s)\n", options.betPerLine,
           stakePerSpin / 100.0, options.extraWild ? ", Extra Wild on" : "");
    if (options.readings.Any())
        Append(out, "  reading              %s  (not what the game plays)\n",
               ReadingNames(options.readings).c_str());
    Append(out, "  points staked        %15.2f\n", Points(stats.staked));
    Append(out, "  points won           %15.2f\n", Points(stats.won));
    Append(out, "  RTP                  %14.2f %%  (95 %% interval %.2f .. %.2f %%)\n", f.rtp.value * 100,
           f.rtp.low * 100, f.rtp.high * 100);
    Append(out,
           "  hit frequency        %14.2f %%  (spins that win anything; 95 %% interval %.2f .. %.2f %%)\n",
           f.hitFrequency.value * 100, f.hitFrequency.low * 100, f.hitFrequency.high * 100);
    Append(out, "  win per spin, s.d.   %15.2f P  (%.2f stakes; 95 %% interval %.2f .. %.2f P)\n",
           f.winDeviation.value, stakePerSpin > 0 ? f.winDeviation.value * 100 / stakePerSpin : 0.0,
           f.winDeviation.low, f.winDeviation.high);
    Append(out, "  largest win          %15.2f P  (%.1f stakes)\n", Points(stats.largestWin),
           Ratio(static_cast<double>(stats.largestWin), stakePerSpin));
    Append(out, "  free-game series     %12" PRId64 "  (one in %.1f paid spins, %.2f P each on average)\n",
           stats.seriesStarted,
           Ratio(static_cast<double>(stats.baseSpins), static_cast<double>(stats.seriesStarted)),
           f.seriesAveragePay.value / 100.0);
    Append(out,
           "                                     (95 %% intervals: one in %.1f .. %.1f paid spins, %.2f .. "
           "%.2f P each)\n",
           Ratio(1.0, f.seriesPerBaseSpin.high), Ratio(1.0, f.seriesPerBaseSpin.low),
           f.seriesAveragePay.low / 100.0, f.seriesAveragePay.high / 100.0);
    Append(out,
           "\n  level  share of paid spins   return of those spins   95 %% intervals of share and return\n");
    for (int level = 1; level <= 5; ++level) {
        const Estimate &share = f.levelShare[level], &rtp = f.levelReturn[level];
        Append(out, "  %5d  %17.2f %%  %20.2f %%   %6.2f .. %6.2f %%   %7.2f .. %7.2f %%\n", level,
               100 * share.value, 100 * rtp.value, 100 * share.low, 100 * share.high, 100 * rtp.low,
               100 * rtp.high);
    }
    Append(out, "\n  scatters per paid spin                     95 %% interval\n");
    for (int n = 0; n <= 5; ++n) {
        const Estimate& e = f.scatterShare[n];
        Append(out, "  %5d  %17.4f %%   %8.4f .. %8.4f %%\n", n, 100 * e.value, 100 * e.low, 100 * e.high);
    }
    Append(out, "\n  RTP by source\n");
    const Estimate* sources[] = {&f.rtpLineWins, &f.rtpScatterPays, &f.rtpFreeGames};
    const char* labels[] = {"line wins          ", "scatter pays       ", "free games         "};
    for (int k = 0; k < 3; ++k)
        Append(out, "  %s  %14.2f %%  (95 %% interval %.2f .. %.2f %%)\n", labels[k], 100 * sources[k]->value,
               100 * sources[k]->low, 100 * sources[k]->high);
    Append(out, "\n  automatic refills    %12" PRId64 "\n", stats.refills);
    return out;
}
