// CPU time of one frame of the game on the real SDL backend with the
// software renderer (no display: SDL_VIDEODRIVER=dummy), in the idle scene
// (repainted where it changed, and painted whole for comparison) and in the
// busiest scene (a big win with its particle bursts, a framed win line and a
// message). The baseline is an empty frame (clear and flip) run in the same
// process; the report gives each scene as a ratio to it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "assets/catalogue_numbers.h"
#include "bench/ratio_reporter.h"
#include "core/count_up.h"
#include "core/game_state.h"
#include "core/main_loop.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "slot/paylines.h"
#include "slot/reel_strips.h"
#include "slot/win_presentation.h"
#include "ui/paytable_page.h"

namespace {

bool gStarted = false;

void StartOnce() {
    if (gStarted) return;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string home = (std::filesystem::temp_directory_path() / "nebulor-frame-bench").string();
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    setenv("APPDATA", home.c_str(), 1);
    InitGameState(platform::ElapsedMilliseconds(), 0);
    Game.IntroOn = 0;
    SaveSettings();
    if (!Startup()) std::abort();
    // Frames keep the game's 60 Hz pace, so that what changes from one frame to
    // the next is what a player sees change; CPU time leaves the waiting out.
    platform::SetFrameRate(60);
    EndPaylineDemo();
    Game.WinDisplayBlocked = 0;
    gStarted = true;
}

void Idle() {
    Game.CountUps.clear();
    Game.BigWinActive = 0;
    Game.CurrentWin = Game.DisplayedWin = 0;
    Game.WinLines.clear();
    Game.WinLineCurrent = -1;
    Game.MessageOverlayOn = 0;
    Game.GamePhase = PhaseSettled;
}

// A big win counting up, with a framed line being presented and a message.
void Busiest() {
    Idle();
    for (int64_t line = 0; line < 5; ++line) {
        Payline entry;
        entry.lineNo = line;
        entry.symbol = 4;
        entry.payFactor = 20;
        entry.presented = 1;
        entry.colour = {255, 200, 40};
        const int64_t cells[10][5] = {
            {0, 3, 6, 9, 12}, {1, 4, 7, 10, 13}, {2, 5, 8, 11, 14}, {0, 4, 8, 10, 12}, {2, 4, 6, 10, 14}};
        for (int k = 0; k < 5; ++k) {
            entry.cells[k] = cells[line][k];
            entry.counted[k] = 1;
        }
        Game.WinLines.push_back(entry);
    }
    Game.WinLineCurrent = 0;
    Game.CurrentWin = 500000;
    Game.BigWinActive = 1;
    StartCountUp(&Game.BigWinAmount, 500000, 1000000);
    ShowAboutMessage();
    Game.CurrentWin = 500000;
}

void EmptyFrame(benchmark::State& state) {
    StartOnce();
    for (auto _ : state) {
        platform::ClearScreen(0);
        platform::FlipBuffers();
    }
}

void IdleFrame(benchmark::State& state) {
    StartOnce();
    Idle();
    for (int i = 0; i < 120; ++i) RunMainLoopPass();  // the ambient sparkles fill up
    for (auto _ : state) RunMainLoopPass();
}

// The idle scene painted whole every frame, as it was before the screen
// learned to repaint only what changed.
void IdleFrameWhole(benchmark::State& state) {
    StartOnce();
    Idle();
    for (int i = 0; i < 120; ++i) RunMainLoopPass();
    for (auto _ : state) {
        platform::RepaintWholeNextFrame();
        RunMainLoopPass();
    }
}

// The frame in which the daily prize wheel first opens, in a fresh process
// (one iteration): the player must see no hitch. Then frames of the wheel
// turning, a new wheel picture every few frames.
void FirstWheelFrame(benchmark::State& state) {
    StartOnce();
    Idle();
    for (int i = 0; i < 30; ++i) RunMainLoopPass();
    for (auto _ : state) {
        Game.GamePhase = PhaseWheelIdle;
        Game.PrizeFrame = 0;
        RunMainLoopPass();
    }
}

void WheelTurningFrame(benchmark::State& state) {
    StartOnce();
    Idle();
    Game.GamePhase = PhaseWheelIdle;
    int64_t frame = 0;
    for (auto _ : state) {
        Game.PrizeFrame = ++frame / 3;  // every picture of the wheel in turn
        RunMainLoopPass();
    }
    Game.GamePhase = PhaseSettled;
}

void BusiestFrame(benchmark::State& state) {
    StartOnce();
    Busiest();
    for (int i = 0; i < 60; ++i) RunMainLoopPass();  // the bursts reach their steady count
    for (auto _ : state) RunMainLoopPass();
    state.counters["particles"] = static_cast<double>(Game.ParticleCount);
}

// The same scenes fullscreen: the screen scaled into the desktop (run under
// Xvfb at 1920 x 1080 for that desktop; the dummy driver's is 1024 x 768).
void IdleFrameFullscreen(benchmark::State& state) {
    StartOnce();
    Idle();
    if (!platform::SetWindowFullscreen(WindowMain, true)) state.SkipWithError("no fullscreen");
    for (int i = 0; i < 120; ++i) RunMainLoopPass();
    for (auto _ : state) RunMainLoopPass();
    platform::SetWindowFullscreen(WindowMain, false);
}

void BusiestFrameFullscreen(benchmark::State& state) {
    StartOnce();
    Busiest();
    if (!platform::SetWindowFullscreen(WindowMain, true)) state.SkipWithError("no fullscreen");
    for (int i = 0; i < 60; ++i) RunMainLoopPass();
    for (auto _ : state) RunMainLoopPass();
    platform::SetWindowFullscreen(WindowMain, false);
}

}  // namespace

BENCHMARK(FirstWheelFrame)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(WheelTurningFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(EmptyFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(IdleFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(IdleFrameWhole)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BusiestFrame)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(IdleFrameFullscreen)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BusiestFrameFullscreen)->Unit(benchmark::kMillisecond)->MinTime(3.0);

namespace {

// Peak resident memory of this process (all assets loaded, both scenes run), in megabytes.
double PeakResidentMegabytes() {
    FILE* status = fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    double kilobytes = 0;
    while (fgets(line, sizeof line, status))
        if (strncmp(line, "VmHWM:", 6) == 0) kilobytes = atof(line + 6);
    fclose(status);
    return kilobytes / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& cpu = reporter.cpuTime;
    auto report = [&cpu](const char* scene, const char* name) {
        if (!cpu.count(name) || !cpu.count("EmptyFrame/min_time:2.000")) return;
        const double ms = cpu.at(name), empty = cpu.at("EmptyFrame/min_time:2.000");
        std::printf("%s: %.2f ms of CPU a frame, %.1f times an empty frame, %.0f %% of a 60 Hz frame\n",
                    scene, ms, ms / empty, ms / (1000.0 / 60.0) * 100.0);
    };
    report("idle scene (goal: under 0.5 ms, 3 % of a core at 60 Hz)", "IdleFrame/min_time:3.000");
    report("idle scene painted whole", "IdleFrameWhole/min_time:3.000");
    if (cpu.count("IdleFrame/min_time:3.000") && cpu.count("IdleFrameWhole/min_time:3.000"))
        std::printf("repainting only what changed: the idle scene costs %.1f times less\n",
                    cpu.at("IdleFrameWhole/min_time:3.000") / cpu.at("IdleFrame/min_time:3.000"));
    report("busiest scene (goal: under 16.7 ms)", "BusiestFrame/min_time:3.000");
    report("idle scene fullscreen", "IdleFrameFullscreen/min_time:3.000");
    report("busiest scene fullscreen (goal: under 16.7 ms)", "BusiestFrameFullscreen/min_time:3.000");
    for (const auto& [scene, windowed, fullscreen] :
         {std::tuple{"idle", "IdleFrame/min_time:3.000", "IdleFrameFullscreen/min_time:3.000"},
          std::tuple{"busiest", "BusiestFrame/min_time:3.000", "BusiestFrameFullscreen/min_time:3.000"}})
        if (cpu.count(windowed) && cpu.count(fullscreen))
            std::printf("%s scene fullscreen: %.2f times the window's\n", scene,
                        cpu.at(fullscreen) / cpu.at(windowed));
    if (cpu.count("FirstWheelFrame/iterations:1"))
        std::printf(
            "first frame of the prize wheel: %.2f ms of CPU, %.0f %% of a 60 Hz frame (goal: no hitch, "
            "under 16.7 ms)\n",
            cpu.at("FirstWheelFrame/iterations:1"),
            cpu.at("FirstWheelFrame/iterations:1") / (1000.0 / 60.0) * 100);
    report("the wheel turning", "WheelTurningFrame/min_time:2.000");
    std::printf("peak memory: %.0f MB (goal: at most 250 MB)\n", PeakResidentMegabytes());
    benchmark::Shutdown();
    return 0;
}
