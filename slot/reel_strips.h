// The five reel strips, the rule that turns a reel's scroll offset into the
// stops it shows, the reel set-up at start-up and the capture of the 5 x 3
// symbol grid when the reels have stopped.
#pragma once

#include <cstdint>

#include "core/game_state.h"

// Symbol at stop `position` (0..169) of reel `reel` (0..4) in the constant strip data.
int64_t StripTableSymbol(int64_t position, int64_t reel);

// Pixels from one stop to the next (cell height plus gap).
int64_t ReelStep();

// Index of the first stop drawn for a reel at scroll offset `offset`.
int64_t FirstStopIndex(int64_t offset);

// Strip position (0..169) of stop index `stop` (any sign).
int64_t StripIndex(int64_t stop);

// Symbol shown in row `row` (0 top .. 2 bottom) of reel `reel` resting at `offset`.
int64_t ReelSymbol(int64_t reel, int64_t offset, int64_t row);

// Start-up: fills the strip table and each reel's own strip copy, places the
// reels and gives them random rest offsets from the secure source.
void SetupReels();

// End of a spin: fills SymbolGrid from the reels' display offsets and counts
// the scatters not covered by an extra wild into ScatterCount.
void CaptureGrid();
