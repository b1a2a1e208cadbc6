// The level icons (glowing orbs marking the level features), reused by the
// paytable page's legend; the intro movie's planets take their colours.
#pragma once

#include "data/forge/pictures/paint.h"

namespace forge::art {

// The colour of the orb of `level` (2 blue, 3 violet, 4 orange, 5 gold).
inline paint::Rgb LevelIconColour(int level) {
    static const uint32_t colours[] = {0x1a8cff, 0x9a3aff, 0xff7a1a, 0xffc020};
    return paint::Hex(colours[level - 2]);
}

// Size of the icon of `level` (2..5): 91 wide, 73, 72, 70 or 69 high.
int LevelIconHeight(int level);
// Draws the icon of `level` (2 respin arrows, 3 W, 4 expanding W, 5 x2) into
// an empty 91 x LevelIconHeight canvas.
void RenderLevelIcon(paint::Canvas& icon, int level);

}  // namespace forge::art
