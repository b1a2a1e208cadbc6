// Effects placed on cells of the reel window: sprite-sheet animations and
// sparkle bursts.
#pragma once

#include <cstdint>
#include <vector>

#include "core/game_state.h"

// Appends a sheet animation of `frameCount` frames (`columns` per row, 40 ms
// each, one cell in size) on cell `cell` to `list`, starting this frame.
void AddCellAnimation(std::vector<SpriteAnimation>& list, int64_t sprite, int64_t cell, int64_t frameCount,
                      int64_t columns);

// A burst of n + 1 sparkles on cell `cell` in a colour, added while fewer than
// `limit` particles are alive; used by the win presentation and the level wilds.
void SpawnCellSparkle(int64_t cell, int64_t limit, int64_t n, int64_t red, int64_t green, int64_t blue);
