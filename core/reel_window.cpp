#include "core/reel_window.h"

#include "core/game_state.h"

int64_t CellX(int64_t i) {
    return Game.ReelOriginX + (i / 3) * (Game.CellWidth + Game.ReelGapX + Game.CellGap);
}

int64_t CellY(int64_t i) { return Game.ReelOriginY + (i % 3) * (Game.CellHeight + Game.CellGap); }
