// Helpers for the slot engine's tests: reels placed on chosen stops, sounds
// that exist, the entry of one payline, and frames of the engine alone.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "core/game_state.h"
#include "tests/support/test_game.h"

// A test with the reels set up and the secure source pinned to 0, so that
// reel r travels exactly 20 + 10 r stops per spin and 10 + 10 r per respin.
class SlotTest : public GameTest {
protected:
    void SetUp() override;
};

// Rests reel `reel` so that after `travel` stops its top row shows strip position `top`.
void PlaceReel(int64_t reel, int64_t top, int64_t travel);

// Places all five reels for a spin (pinned travel) to show these top stops.
void PlaceReelsForSpin(std::initializer_list<int64_t> tops);

// Creates sound `id` (one second of silence) so that plays of it are recorded.
void CreateTestSound(int id);

// How often sound `id` was started since the log was last cleared.
int PlaysOf(int id);

// The entry of payline `lineNo` in the list, or nullptr.
const Payline* FindLine(int64_t lineNo);

// Sets the grid cells of payline `line` to `symbols`.
void SetLine(int64_t line, std::initializer_list<int64_t> symbols);

// One frame of the engine as the main loop runs it (clock moved by 16 ms):
// One frame of the engine as the main loop runs it (clock moved by 16 ms):
// reels, free-game pause, presentation, end of series, count-ups.
void EngineFrame();

// Frames until the reels rest (at most `limit`); returns the frames run.
int RunUntilSettled(int limit = 1000);

// A window without line wins: reel r shows (3 r + row) mod 10, so reel 1
// never repeats reel 0. Cells in `scatters` show the scatter.
void SetNoWinGrid(std::initializer_list<int64_t> scatters = {});

// Seeds the fast source so that its next draws, scaled to 0..maximum each,
// are `values` (found by trying seeds).
void SeedFastDraws(std::initializer_list<std::pair<int64_t, int64_t>> drawsAndMaxima);

// Seeds the secure source so that the next risk step goes up or down.
void SeedRiskStep(bool up);

// The texts drawn into message pictures since the log was cleared, joined by "|".
std::string MessageTexts();
