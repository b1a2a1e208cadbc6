// One frame of the intro movie, painted from the layers at its time.
#pragma once

#include "data/forge/intro/intro_layers.h"

namespace forge::intro {

// Paints frame `number` of the movie onto a Width x Height canvas.
void RenderIntroFrame(const IntroLayers& layers, int number, paint::Canvas& canvas);

// The parts of a frame (t in seconds), in the order they are painted:
// deep space, the streaks of the stars, then the clouds, the planets and the
// reel frame from the farthest to the nearest;
void PaintFlight(cairo_t* cr, const IntroLayers& layers, double t);
// the reel frame with its reels and the lit line, in the game's own screen
// coordinates (PaintFlight places it);
void PaintMachine(cairo_t* cr, const IntroLayers& layers, double t);
// the light flying into the lettering and the logo forming out of it.
void PaintLogo(cairo_t* cr, const IntroLayers& layers, double t);

// The reel window's centre in the game's screen coordinates.
constexpr double MachineCentreX = 618, MachineCentreY = 385;

}  // namespace forge::intro
