// Start-up time to the first game frame on the headless backend: settings and
// save data, texts, loading window, fonts, sounds, every picture, the reels,
// and the first pass of the main loop, with the intro off and the intro
// jingle skipped (Escape held, as a player would). Each start runs in a fresh
// process (the first and only iteration), since decoded data is kept per
// process. The baseline is filling the game state with its defaults.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench/ratio_reporter.h"
#include "core/game_state.h"
#include "core/main_loop.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/headless/headless_control.h"
#include "platform/platform.h"

namespace {

void Defaults(benchmark::State& state) {
    for (auto _ : state) InitGameState(platform::ElapsedMilliseconds(), 0);
}

void StartupToFirstFrame(benchmark::State& state) {
    const std::string home = (std::filesystem::temp_directory_path() / "nebulor-startup-bench").string();
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    setenv("APPDATA", home.c_str(), 1);
    headless::Reset();
    InitGameState(platform::ElapsedMilliseconds(), 0);
    Game.IntroOn = 0;
    SaveSettings();                           // a returning player: no first-start message
    headless::PressKey(platform::KeyEscape);  // the jingle stops at once
    for (auto _ : state) {
        if (!Startup()) state.SkipWithError("start-up failed");
        RunMainLoopPass();
    }
}

}  // namespace

BENCHMARK(Defaults)->Unit(benchmark::kMillisecond);
BENCHMARK(StartupToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.realTime.count("StartupToFirstFrame/iterations:1"))
        std::printf("start-up to the first frame: %.0f ms (wall clock, jingle and intro skipped)\n",
                    reporter.realTime["StartupToFirstFrame/iterations:1"]);
    benchmark::Shutdown();
    return 0;
}
