// Drawing the five reels through their windows of three visible cells.
#pragma once

#include <array>
#include <cstdint>

#include "core/game_state.h"

// Draws one reel at scroll `offset` with its window's top-left corner at
// (x, y) on the screen: symbols clipped to the window, cells under an extra
// wild left empty, and sparkles on scatters of a stopped reel while others spin.
void DrawReel(int64_t offset, int64_t x, int64_t y, int64_t windowHeight,
              const std::array<int64_t, StripLength>& strip, int64_t alpha, int64_t reelIndex);

// The reels of this frame: at their moving offset while spinning, at rest in
// the settled, ready and wild-pick phases, not at all on the other screens.
void DrawReels();
