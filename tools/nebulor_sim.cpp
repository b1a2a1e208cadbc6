// nebulor-sim: the game's math sheet, measured by playing the engine.
//
//   nebulor-sim [--spins N] [--seed S] [--bet-per-line B] [--extra-wild] [--json]
//               [--reading level-when-paid|fresh-stops|wilds-stay-on-retrigger]...
//
// The report goes to standard output and is the same byte for byte for the
// same options; progress and speed go to standard error. A --reading plays a
// reading of the rules that the game does not play, to measure what the
// game's own choice is worth (README.md, the math sheet).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/sim_report.h"
#include "tools/spin_simulator.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: nebulor-sim [--spins N] [--seed S] [--bet-per-line B] [--extra-wild] [--json]\n"
                 "                   [--reading R]...\n"
                 "  B is a stake of the bet control: 1..10, 12, 14, 16, 18 or 20\n"
                 "  R is a reading of the rules the game does not play (simulator only):\n"
                 "    level-when-paid          lines paid at the level in force when paid\n"
                 "    fresh-stops              every spin starts from fresh random stops\n"
                 "    wilds-stay-on-retrigger  more free games keep the sticky wilds\n");
}

bool ParseNumber(const char* text, int64_t& value) {
    char* end = nullptr;
    const long long parsed = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0') return false;
    value = parsed;
    return true;
}

// Switches on the reading named `name`; false for an unknown name.
bool SetReading(const std::string& name, OtherReadings& readings) {
    if (name == "level-when-paid")
        readings.levelWhenPaid = true;
    else if (name == "fresh-stops")
        readings.freshStops = true;
    else if (name == "wilds-stay-on-retrigger")
        readings.wildsStayOnRetrigger = true;
    else
        return false;
    return true;
}

bool ValidBet(int64_t bet) { return (bet >= 1 && bet <= 10) || (bet > 10 && bet <= 20 && bet % 2 == 0); }

void ShowProgress(int64_t done, int64_t total) {
    if (total < 200000 || !isatty(STDERR_FILENO)) return;
    const int width = 40;
    const int filled = static_cast<int>(done * width / total);
    std::fprintf(stderr, "\r[%.*s%*s] %3d %%", filled, "########################################",
                 width - filled, "", static_cast<int>(done * 100 / total));
    if (done == total) std::fputc('\n', stderr);
}

}  // namespace

int main(int argc, char** argv) {
    SimulationOptions options;
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        int64_t value = 0;
        const bool hasValue = i + 1 < argc;
        if (arg == "--spins" && hasValue && ParseNumber(argv[i + 1], value) && value > 0) {
            options.spins = value;
            ++i;
        } else if (arg == "--seed" && hasValue && ParseNumber(argv[i + 1], value) && value >= 0) {
            options.seed = static_cast<uint64_t>(value);
            ++i;
        } else if (arg == "--bet-per-line" && hasValue && ParseNumber(argv[i + 1], value) &&
                   ValidBet(value)) {
            options.betPerLine = value;
            ++i;
        } else if (arg == "--extra-wild") {
            options.extraWild = true;
        } else if (arg == "--reading" && hasValue && SetReading(argv[i + 1], options.readings)) {
            ++i;
        } else if (arg == "--json") {
            json = true;
        } else {
            Usage();
            return arg == "--help" || arg == "-h" ? 0 : 2;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    const SimulationStats stats = RunSimulation(options, ShowProgress);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fputs(FormatReport(options, stats, json).c_str(), stdout);
    std::fprintf(stderr, "%lld spins in %.2f s: %.0f spins per second\n", static_cast<long long>(stats.spins),
                 seconds, seconds > 0 ? static_cast<double>(stats.spins) / seconds : 0.0);
    return 0;
}
