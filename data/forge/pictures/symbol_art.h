// The reel symbols: one 200 x 160 cell per call, at a point of the symbol's
// 25-frame loop. Sheets 0..11 show symbols 0..11 (frame 0 is the still
// picture on the reels); 12 and 13 are the scatter and wild effect variants.
#pragma once

#include "data/forge/pictures/paint.h"
#include "data/forge/pictures/space.h"

namespace forge::art {

constexpr int CellWidth = 200, CellHeight = 160;
constexpr int SheetFrames = 25, SheetColumns = 5;

// Draws sheet picture `sheet` (0..13) into an empty 200 x 160 canvas at loop
// position `phase` (0 <= phase < 1; the loop closes at 1).
void RenderSymbol(paint::Canvas& cell, int sheet, double phase);

// The pieces, one per kind of symbol (called by RenderSymbol):
// chrome letters A, B, D (sheets 0..2),
void DrawChromeLetter(paint::Canvas& cell, int sheet, double phase);
// the green gem, the diamond in a square and the triangle (sheets 3, 6, 7),
void DrawJewel(paint::Canvas& cell, int sheet, double phase);
// the alien signs 4/5 on medallions and 8/9 in rings,
void DrawAlienSign(paint::Canvas& cell, int sheet, double phase);
// the blue ringed planet and the red planet, plain or as effect (10..13).
void DrawSymbolPlanet(paint::Canvas& cell, int sheet, double phase);

// The red wild planet at rest (rock, lava seams, lighting), centred on
// (cx, cy); the desktop icon paints the same planet.
paint::PlanetStyle WildPlanet(double cx, double cy, double radius);

}  // namespace forge::art
