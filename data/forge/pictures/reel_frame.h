// The reel window of the game background (sprite 15) and the metal frame
// around it, in the coordinates of the full-screen pictures. The intro movie
// flies towards the same frame.
#pragma once

#include "data/forge/pictures/paint.h"
#include "data/forge/pictures/screen_map.h"

namespace forge::art {

// The reel window: screen 118..1118 x 145..625 in picture coordinates.
inline const double WX0 = PicX(118), WY0 = PicY(145), WX1 = PicX(1118), WY1 = PicY(625);

// The dark glass of the window with its five drums, separators and inner shadows.
void PaintReelWindow(cairo_t* cr);
// The bevelled metal frame round the window, its corner armour, lights and crest.
void PaintReelFrame(paint::Canvas& canvas);

}  // namespace forge::art
