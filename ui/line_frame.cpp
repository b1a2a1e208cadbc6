#include "ui/line_frame.h"

#include "core/game_state.h"
#include "core/reel_window.h"
#include "platform/platform.h"
#include "slot/cell_effects.h"

void DrawCellFrame(int64_t cell, int64_t red, int64_t green, int64_t blue) {
    // The same pixels as a transparent cell-sized picture with a 5-pixel frame
    // set in by 5, drawn as four rectangles so that no picture is made per frame.
    const int x = static_cast<int>(CellX(cell) - Game.ShiftX);
    const int y = static_cast<int>(CellY(cell) - Game.ShiftY);
    const int w = static_cast<int>(Game.CellWidth), h = static_cast<int>(Game.CellHeight);
    const uint32_t rgb = static_cast<uint32_t>(((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF));
    platform::DrawScreenRect(x + 5, y + 5, w - 10, 5, rgb, 255);
    platform::DrawScreenRect(x + 5, y + 5, 5, h - 10, rgb, 255);
    platform::DrawScreenRect(x + w - 10, y + 5, 5, h - 10, rgb, 255);
    platform::DrawScreenRect(x + 5, y + h - 10, w - 10, 5, rgb, 255);
}

void DrawLineFrame(int64_t index) {
    if (index < 0 || index >= static_cast<int64_t>(Game.WinLines.size())) return;
    const Payline& entry = Game.WinLines[index];
    for (int64_t k = 0; k < ReelCount; ++k) {
        if (entry.counted[k] != 1) continue;
        DrawCellFrame(entry.cells[k], entry.colour[0], entry.colour[1], entry.colour[2]);
        SpawnCellSparkle(entry.cells[k], 5000, 1, entry.colour[0], entry.colour[1], entry.colour[2]);
    }
}

void DrawPaylineDemoLine() {
    if (Game.PaylineDemoRunning != 1) return;
    const int64_t current = Game.WinLineCurrent;
    if (current < 0 || current >= static_cast<int64_t>(Game.WinLines.size())) return;
    const Payline& entry = Game.WinLines[current];
    for (int64_t k = 0; k < ReelCount; ++k) {
        DrawCellFrame(entry.cells[k], entry.colour[0], entry.colour[1], entry.colour[2]);
        SpawnCellSparkle(entry.cells[k], 5000, 5, 131, 209, 212);
    }
}
