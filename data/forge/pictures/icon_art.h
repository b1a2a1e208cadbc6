// The level icons (glowing orbs marking the level features), reused by the
// paytable page's legend.
#pragma once

#include "data/forge/pictures/paint.h"

namespace forge::art {

// Size of the icon of `level` (2..5): 91 wide, 73, 72, 70 or 69 high.
int LevelIconHeight(int level);
// Draws the icon of `level` (2 respin arrows, 3 W, 4 expanding W, 5 x2) into
// an empty 91 x LevelIconHeight canvas.
void RenderLevelIcon(paint::Canvas& icon, int level);

}  // namespace forge::art
