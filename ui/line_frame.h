// The frames that mark the cells of a winning line, and of the payline demo
// at start-up, each with its sparkles.
#pragma once

#include <cstdint>

// Frames cell `cell` of the reel window in a colour (5-pixel frame, 5 pixels in).
void DrawCellFrame(int64_t cell, int64_t red, int64_t green, int64_t blue);

// The line frame of entry `index`, every frame it is presented: a frame in the
// entry's colour around each counted cell, each followed by one sparkle burst.
void DrawLineFrame(int64_t index);

// While the payline demo runs: the frame and sparkles of its current line.
void DrawPaylineDemoLine();
