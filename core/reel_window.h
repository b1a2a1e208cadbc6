// The cells of the reel window: where each of the fifteen cells lies on the
// design screen. The rules place their effects there and the screen draws
// there, so the geometry lives below both.
#pragma once

#include <cstdint>

// Top-left corner of cell i (reel x 3 + row) on the design screen.
int64_t CellX(int64_t i);
int64_t CellY(int64_t i);
