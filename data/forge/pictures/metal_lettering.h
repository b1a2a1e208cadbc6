// The polished metal of big lettering (the logo, FREE GAMES, BIG WIN) and the
// light around it: rays and sparkles.
#pragma once

#include <cstdint>

#include "data/forge/pictures/paint.h"

namespace forge::paint {

enum class Metal { Gold, Chrome };

// Fills the current path (and clears it) as polished metal lettering with a
// glow of `glowRadius` behind it and a dark outline of `outline` pixels.
void MetalLettering(Canvas& canvas, Metal metal, Rgb glow, double glowRadius, double outline);

// Soft light rays from a point, fading outwards.
void Rays(cairo_t* cr, double cx, double cy, double radius, int count, Rgb colour, double alpha);

// `count` seeded sparkles scattered over the rectangle (x0, y0, w, h).
void Sparkles(cairo_t* cr, uint64_t seed, int count, double x0, double y0, double w, double h, Rgb colour);

}  // namespace forge::paint
