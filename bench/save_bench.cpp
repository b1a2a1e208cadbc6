// What keeping the account on disk costs: the writes of one game (the spin
// started, the reels landed, the game over: each a history line and the
// 250-byte save record, as the account keeper writes them), durable (fsync
// of the file and of the folder) and not; and a frame of the idle game in
// which the account changed, with the write handed to the writer thread as
// the game does it and, for comparison, written on the frame itself. The
// baseline is the same frame without a change of the account, in the same
// process. Headless backend, wall-clock time: a frame that waits for the
// disk shows here, where CPU time would hide the wait. The folder is in the
// system's temporary folder, on the disk it lives on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "core/account_keeper.h"
#include "core/game_state.h"
#include "core/main_loop.h"
#include "core/startup.h"
#include "persist/history.h"
#include "persist/save_file.h"
#include "persist/settings.h"
#include "platform/headless/headless_control.h"
#include "platform/platform.h"
#include "slot/win_presentation.h"

namespace {

std::string Home() {
    static const std::string home = [] {
        const std::string path = (std::filesystem::temp_directory_path() / "nebulor-save-bench").string();
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        setenv("APPDATA", path.c_str(), 1);
        return path;
    }();
    return home;
}

// A game line as the keeper writes it: a win on two lines, the grid, the account.
std::string GameLine(int64_t sequence) {
    HistoryEntry entry;
    entry.sequence = sequence;
    entry.date = "2026/12/09";
    entry.time = "10:00:00";
    entry.stake = 10;
    entry.bid = 10;
    entry.wins = {{1, 1, 3, 50}, {4, 2, 3, 20}};
    entry.win = 70;
    entry.account.points = 100000 + sequence;
    entry.account.funPoints = 5000;
    entry.account.staked = 10 * sequence;
    entry.account.won = 7 * sequence;
    return FormatHistoryLine(entry);
}

// The three writes of one game, each a history line and then the save.
void GameWrites(benchmark::State& state, bool durable) {
    const std::string folder = Home() + "/writes/";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    platform::SetDurableWrites(durable);
    HistoryFile history(folder + "History.dat");
    history.Load();
    SaveRecord record{};
    int64_t sequence = 0;
    for (auto _ : state) {
        for (int write = 0; write < 3; ++write) {
            ++sequence;
            PutSaveField(record, SavePointsAt, std::to_string(100000 + sequence));
            if (!history.Append({GameLine(sequence)}) || !WriteSaveFile(record, folder + "Nebulor.Dat"))
                state.SkipWithError("a write failed");
        }
    }
    platform::SetDurableWrites(true);
}
void GameWritesDurable(benchmark::State& state) { GameWrites(state, true); }
void GameWritesNotDurable(benchmark::State& state) { GameWrites(state, false); }

bool gStarted = false;

// The game started as its program starts it: writes on the writer thread, durable.
void StartOnce() {
    if (gStarted) return;
    Home();
    headless::Reset();
    InitGameState(platform::ElapsedMilliseconds(), 0);
    Game.IntroOn = 0;
    SaveSettings();
    headless::PressKey(platform::KeyEscape);  // the jingle stops at once
    WriteAccountInline(false);
    if (!Startup()) std::abort();
    EndPaylineDemo();
    Game.WinDisplayBlocked = 0;
    for (int i = 0; i < 120; ++i) RunMainLoopPass();
    gStarted = true;
}

// Frames in each of which a point comes and goes, so that every pass has an
// account to save; the longest frame is kept too (a wait for the disk is a
// single long frame that the mean would hide).
void ChangingFrames(benchmark::State& state) {
    int64_t step = 1;
    double longest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Game.Points += step;
        step = -step;
        RunMainLoopPass();
        longest = std::max(
            longest,
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["longest_ms"] = longest;
}

void IdleFrame(benchmark::State& state) {
    StartOnce();
    for (auto _ : state) RunMainLoopPass();
}

// The frame's pass queues a history line and the record for the writer thread.
void FrameWithSave(benchmark::State& state) {
    StartOnce();
    ChangingFrames(state);
    WaitForAccountWrites();
    if (AccountSaveFailing()) state.SkipWithError("a write failed");
}

// The same, with the write done on the frame, as it would be without the writer thread.
void FrameWithSaveOnTheFrame(benchmark::State& state) {
    StartOnce();
    WaitForAccountWrites();
    WriteAccountInline(true);
    ChangingFrames(state);
    WriteAccountInline(false);
    if (AccountSaveFailing()) state.SkipWithError("a write failed");
}

}  // namespace

BENCHMARK(GameWritesDurable)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(GameWritesNotDurable)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(IdleFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(FrameWithSave)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(FrameWithSaveOnTheFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& real = reporter.realTime;
    const char* idle = "IdleFrame/min_time:2.000/real_time";
    const char* durable = "GameWritesDurable/min_time:2.000/real_time";
    const char* plain = "GameWritesNotDurable/min_time:1.000/real_time";
    const char* queued = "FrameWithSave/min_time:2.000/real_time";
    const char* inlined = "FrameWithSaveOnTheFrame/min_time:2.000/real_time";
    const double frame60 = 1000.0 / 60.0;
    if (real.count(durable) && real.count(plain))
        std::printf(
            "the writes of one game: %.3f ms durable (%.1f %% of a 60 Hz frame), %.3f ms without fsync; "
            "durable costs %.0f times as much\n",
            real.at(durable), real.at(durable) / frame60 * 100, real.at(plain),
            real.at(durable) / real.at(plain));
    if (real.count(idle) && real.count(queued))
        std::printf(
            "a frame with a save requested: %.3f ms, %.2f times a frame without (%.3f ms): %.1f us more, "
            "%.2f %% of a 60 Hz frame (goal: the frame unaffected)\n",
            real.at(queued), real.at(queued) / real.at(idle), real.at(idle),
            (real.at(queued) - real.at(idle)) * 1000, (real.at(queued) - real.at(idle)) / frame60 * 100);
    if (real.count(idle) && real.count(inlined))
        std::printf(
            "a frame that writes the save itself (durable): %.3f ms, %.1f times a frame without, %.1f %% of "
            "a 60 Hz frame\n",
            real.at(inlined), real.at(inlined) / real.at(idle), real.at(inlined) / frame60 * 100);
    FinishAccountKeeping();
    benchmark::Shutdown();
    return 0;
}
