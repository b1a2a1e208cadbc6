#include "tools/sim_report.h"

#include <cinttypes>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace {

double Ratio(double part, double whole) {
    return whole > 0 ? part / whole : 0.0;
}
double Points(int64_t amount) {
    return static_cast<double>(amount) / 100.0;
}

void Append(std::string& out, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    out += line;
}

}  // namespace

SimulationFigures ComputeFigures(const SimulationStats& stats) {
    SimulationFigures figures;
    const double staked = static_cast<double>(stats.staked);
    figures.rtp = Ratio(static_cast<double>(stats.won), staked);
    // The ratio's spread over consecutive batches of spins: levels and free
    // games tie neighbouring spins together, batches of many spins do not.
    double spread = 0;
    int batches = 0;
    for (int b = 0; b < SimulationBatches; ++b) {
        if (stats.batchStaked[b] == 0 && stats.batchWon[b] == 0) continue;
        const double residual =
            static_cast<double>(stats.batchWon[b]) - figures.rtp * static_cast<double>(stats.batchStaked[b]);
        spread += residual * residual;
        ++batches;
    }
    const double half =
        batches > 1 && staked > 0 ? 1.96 * std::sqrt(spread * batches / (batches - 1.0)) / staked : 0.0;
    figures.rtpLow = figures.rtp - half;
    figures.rtpHigh = figures.rtp + half;
    const double spins = static_cast<double>(stats.spins);
    figures.hitFrequency = Ratio(static_cast<double>(stats.hits), spins);
    if (stats.spins > 1) {
        const double mean = stats.winSum / spins;
        const double variance = (stats.winSquareSum - spins * mean * mean) / (spins - 1.0);
        figures.winDeviation = std::sqrt(variance > 0 ? variance : 0.0) / 100.0;
    }
    return figures;
}

std::string FormatReport(const SimulationOptions& options, const SimulationStats& stats, bool json) {
    const SimulationFigures f = ComputeFigures(stats);
    const double staked = static_cast<double>(stats.staked);
    const double stakePerSpin = Ratio(staked, static_cast<double>(stats.baseSpins));
    const double seriesAverage =
        Ratio(static_cast<double>(stats.seriesPaid), static_cast<double>(stats.seriesFinished));
    std::string out;
    if (json) {
        Append(out,
               "{\n  \"spins\": %" PRId64 ",\n  \"seed\": %" PRIu64 ",\n  \"betPerLine\": %" PRId64 ",\n",
               stats.spins, options.seed, options.betPerLine);
        Append(out, "  \"extraWild\": %s,\n  \"baseSpins\": %" PRId64 ",\n  \"freeSpins\": %" PRId64 ",\n",
               options.extraWild ? "true" : "false", stats.baseSpins, stats.freeSpins);
        Append(out, "  \"pointsStaked\": %.2f,\n  \"pointsWon\": %.2f,\n", Points(stats.staked),
               Points(stats.won));
        Append(out, "  \"rtp\": %.6f,\n  \"rtpLow95\": %.6f,\n  \"rtpHigh95\": %.6f,\n", f.rtp, f.rtpLow,
               f.rtpHigh);
        Append(out, "  \"hitFrequency\": %.6f,\n  \"winDeviation\": %.4f,\n  \"largestWin\": %.2f,\n",
               f.hitFrequency, f.winDeviation, Points(stats.largestWin));
        Append(out,
               "  \"seriesStarted\": %" PRId64
               ",\n  \"seriesPerBaseSpin\": %.6f,\n  \"seriesAveragePay\": %.2f,\n",
               stats.seriesStarted,
               Ratio(static_cast<double>(stats.seriesStarted), static_cast<double>(stats.baseSpins)),
               seriesAverage / 100.0);
        out += "  \"levels\": [";
        for (int level = 1; level <= 5; ++level)
            Append(out, "%s\n    {\"level\": %d, \"share\": %.6f, \"rtp\": %.6f}", level > 1 ? "," : "",
                   level,
                   Ratio(static_cast<double>(stats.levelSpins[level]), static_cast<double>(stats.baseSpins)),
                   Ratio(static_cast<double>(stats.levelWon[level]),
                         static_cast<double>(stats.levelStaked[level])));
        out += "\n  ],\n  \"scatters\": [";
        for (int n = 0; n <= 5; ++n)
            Append(out, "%s%.6f", n > 0 ? ", " : "",
                   Ratio(static_cast<double>(stats.scatterSpins[n]), static_cast<double>(stats.baseSpins)));
        Append(out, "],\n  \"rtpLineWins\": %.6f,\n  \"rtpScatterPays\": %.6f,\n  \"rtpFreeGames\": %.6f,\n",
               Ratio(static_cast<double>(stats.lineWins), staked),
               Ratio(static_cast<double>(stats.scatterPays), staked),
               Ratio(static_cast<double>(stats.freeGameWins), staked));
        Append(out, "  \"refills\": %" PRId64 "\n}\n", stats.refills);
        return out;
    }

    Append(out, "Nebulor 2 spin simulation\n");
    Append(out, "  spins                %12" PRId64 "  (%" PRId64 " paid, %" PRId64 " free games)\n",
           stats.spins, stats.baseSpins, stats.freeSpins);
    Append(out, "  seed                 %12" PRIu64 "\n", options.seed);
    Append(out, "  bet per line         %12" PRId64 "  (stake %.2f P per paid spin%s)\n", options.betPerLine,
           stakePerSpin / 100.0, options.extraWild ? ", Extra Wild on" : "");
    Append(out, "  points staked        %15.2f\n", Points(stats.staked));
    Append(out, "  points won           %15.2f\n", Points(stats.won));
    Append(out, "  RTP                  %14.2f %%  (95 %% interval %.2f .. %.2f %%)\n", f.rtp * 100,
           f.rtpLow * 100, f.rtpHigh * 100);
    Append(out, "  hit frequency        %14.2f %%  (spins that win anything)\n", f.hitFrequency * 100);
    Append(out, "  win per spin, s.d.   %15.2f P  (%.2f stakes)\n", f.winDeviation,
           stakePerSpin > 0 ? f.winDeviation * 100 / stakePerSpin : 0.0);
    Append(out, "  largest win          %15.2f P  (%.1f stakes)\n", Points(stats.largestWin),
           Ratio(static_cast<double>(stats.largestWin), stakePerSpin));
    Append(out, "  free-game series     %12" PRId64 "  (one in %.1f paid spins, %.2f P each on average)\n",
           stats.seriesStarted,
           Ratio(static_cast<double>(stats.baseSpins), static_cast<double>(stats.seriesStarted)),
           seriesAverage / 100.0);
    Append(out, "\n  level  share of paid spins   return of those spins\n");
    for (int level = 1; level <= 5; ++level)
        Append(
            out, "  %5d  %17.2f %%  %20.2f %%\n", level,
            100 * Ratio(static_cast<double>(stats.levelSpins[level]), static_cast<double>(stats.baseSpins)),
            100 * Ratio(static_cast<double>(stats.levelWon[level]),
                        static_cast<double>(stats.levelStaked[level])));
    Append(out, "\n  scatters per paid spin\n");
    for (int n = 0; n <= 5; ++n)
        Append(out, "  %5d  %17.4f %%\n", n,
               100 * Ratio(static_cast<double>(stats.scatterSpins[n]), static_cast<double>(stats.baseSpins)));
    Append(out, "\n  RTP by source\n");
    Append(out, "  line wins            %14.2f %%\n",
           100 * Ratio(static_cast<double>(stats.lineWins), staked));
    Append(out, "  scatter pays         %14.2f %%\n",
           100 * Ratio(static_cast<double>(stats.scatterPays), staked));
    Append(out, "  free games           %14.2f %%\n",
           100 * Ratio(static_cast<double>(stats.freeGameWins), staked));
    Append(out, "\n  automatic refills    %12" PRId64 "\n", stats.refills);
    return out;
}
