// The logical 1280 x 768 screen: percentages to pixels and the window shift
// that anchors the layout to the bottom-right corner of the window (the cells
// of the reel window are in core/reel_window.h).
#pragma once

#include <cstdint>

#include "core/reel_window.h"

// size x percent / 100, floored (percent widened from single precision);
// 0 for an infinite or not-a-number intermediate.
int64_t ScalePercent(int64_t size, float percent);

// Recomputes ShiftX and ShiftY from the main window's client area; called
// once per frame by the game screen before anything is drawn.
void UpdateWindowShift();

// Screen position of a layout percentage, shift subtracted.
int64_t LayoutX(float percent);
int64_t LayoutY(float percent);

// True when (mx, my) lies in the percent rectangle [x1, x2] x [y1, y2]
// (bounds inclusive, shifted by the window shift).
bool InPercentRect(int64_t mx, int64_t my, float x1, float x2, float y1, float y2);
