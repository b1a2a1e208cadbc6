// The game's tech look: bevelled cyan metal frames, dark glass panels,
// corner brackets and small lights, shared by the background, the ladder,
// the wheel, the paytable page and the banners.
#pragma once

#include "data/forge/pictures/paint.h"

namespace forge::paint {

// The cyan metal of frames.
inline Rgb TechMetal() { return Hex(0x4fc8e8); }
// The bright cyan of lit edges.
inline Rgb TechGlow() { return Hex(0x40e8ff); }

// A mitred metal frame of `thickness` inside the rectangle (x, y, w, h):
// light outer edge, dark groove, bright inner lip; the top catches the most light.
void BevelFrame(cairo_t* cr, double x, double y, double w, double h, double thickness, Rgb metal);

// A dark translucent panel with cut corners, a thin lit border and a sheen on top.
void GlassPanel(cairo_t* cr, double x, double y, double w, double h, double cut, Rgb edge, double alpha);

// L-shaped brackets at the four corners of a rectangle.
void CornerBrackets(cairo_t* cr, double x, double y, double w, double h, double length, Rgb colour,
                    double width, double alpha = 1.0);

// A small glowing indicator light.
void Led(cairo_t* cr, double x, double y, double radius, Rgb colour);

// A round recess in metal (empty socket), for slots that the game fills.
void Socket(cairo_t* cr, double cx, double cy, double radius, Rgb edge);

}  // namespace forge::paint
