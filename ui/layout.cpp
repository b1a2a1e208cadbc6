#include "ui/layout.h"

#include <cmath>

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "platform/platform.h"

int64_t ScalePercent(int64_t size, float percent) {
    const double value = std::floor(static_cast<double>(size) * static_cast<double>(percent) / 100.0);
    if (!std::isfinite(value)) return 0;
    return static_cast<int64_t>(value);
}

void UpdateWindowShift() {
    Game.ShiftY = Game.ScreenHeight - platform::WindowClientHeight(WindowMain);
    Game.ShiftX = Game.ScreenWidth - platform::WindowClientWidth(WindowMain);
}

int64_t LayoutX(float percent) { return ScalePercent(Game.ScreenWidth, percent) - Game.ShiftX; }

int64_t LayoutY(float percent) { return ScalePercent(Game.ScreenHeight, percent) - Game.ShiftY; }

bool InPercentRect(int64_t mx, int64_t my, float x1, float x2, float y1, float y2) {
    return LayoutX(x1) <= mx && mx <= LayoutX(x2) && LayoutY(y1) <= my && my <= LayoutY(y2);
}
