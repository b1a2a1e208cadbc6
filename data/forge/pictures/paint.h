// Drawing helpers shared by the picture generators: a Cairo canvas that
// turns into a forge Picture, colours, fonts from the Debian font files,
// text paths, rounded shapes, blur-based glows and edge fades.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

#include "data/forge/forge.h"

namespace forge::paint {

// A colour with components 0..1.
struct Rgb {
    double r = 0, g = 0, b = 0;
};

// 0xRRGGBB to a colour.
Rgb Hex(uint32_t rgb);
// Linear mix of two colours, t = 0 gives a.
Rgb Mix(Rgb a, Rgb b, double t);
// The colour scaled towards white (amount > 0) or black (amount < 0).
Rgb Lighten(Rgb c, double amount);
// Sets the Cairo source to a colour with an opacity.
void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
// Adds a colour stop to a gradient.
void AddStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha = 1.0);

// A w x h Cairo image surface (premultiplied ARGB) with its context.
struct Canvas {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    int width = 0, height = 0;
    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Pixel row y as premultiplied 0xAARRGGBB words (flush before reading).
    uint32_t* Row(int y);
    // Straight-alpha RGBA copy of the canvas.
    Picture ToPicture();
    // Empties the canvas to full transparency.
    void Clear();
};

// Paints a canvas onto a context at (x, y), scaled, with an opacity.
void PaintCanvas(cairo_t* cr, Canvas& canvas, double x, double y, double scale = 1.0, double alpha = 1.0);

// The glyph sources of the forge.
enum class Face { SansBold, CondensedBold, SerifBold, LiberationBold, Sans, Condensed };
// A Cairo font face loaded from the Debian font file (created once, shared by all jobs).
cairo_font_face_t* FontFace(Face face);
// Selects a face and a pixel size on a context, unhinted for smooth scaling.
void UseFont(cairo_t* cr, Face face, double size);

// Ink box of a text in the current font.
struct TextBox {
    double x = 0, y = 0, width = 0, height = 0, advance = 0;
};
TextBox MeasureInk(cairo_t* cr, const std::string& utf8);
// Adds the outline of a text so that its ink box is centred on (cx, cy).
void CentredTextPath(cairo_t* cr, const std::string& utf8, double cx, double cy);
// Adds the outline of a text whose baseline starts at (x, y); anchor 0 left, 0.5 centre, 1 right.
void TextPathAt(cairo_t* cr, const std::string& utf8, double x, double y, double anchor = 0.0);
// Fills a paragraph in the current font and source, broken at blanks to fit
// `width`, first baseline at y; returns the baseline after the last line.
double FillParagraph(cairo_t* cr, const std::string& utf8, double x, double y, double width,
                     double lineHeight);
// Largest font size (up to `size`) at which the text fits into `width`.
double FitFontSize(cairo_t* cr, Face face, const std::string& utf8, double size, double width);

// Path of a rectangle with rounded corners.
void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius);
// Path of a regular polygon with `sides` corners, the first one at `angle` (radians).
void PolygonPath(cairo_t* cr, double cx, double cy, double radius, int sides, double angle);
// Path of a rectangle with cut (chamfered) corners, the tech-panel shape.
void ChamferedRectangle(cairo_t* cr, double x, double y, double w, double h, double cut);

// Box-blurs a canvas three times (close to a Gaussian of the given radius).
void Blur(Canvas& canvas, double radius);

// Draws `shape` (which fills or strokes in any colour) as a soft glow in
// `colour` behind what follows: the shape is rendered alone, recoloured,
// blurred by `radius` and painted `strength` times (fractions allowed).
void Glow(Canvas& target, const std::function<void(cairo_t*)>& shape, Rgb colour, double radius,
          double strength);

// A soft radial light: colour at the centre fading to nothing at `radius`.
void RadialLight(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double alpha);

// A four-pointed sparkle star with a round core, for glints.
void Sparkle(cairo_t* cr, double cx, double cy, double size, Rgb colour, double alpha);

// Multiplies the alpha of the canvas near its border so that nothing ends in a hard edge.
void FadeEdges(Canvas& canvas, int margin);

// Smooth 0..1 step between the edges.
double SmoothStep(double edge0, double edge1, double x);
// A pulse 0..1 that repeats once per loop: 0.5 - 0.5 cos(2 pi (phase + shift)).
double LoopWave(double phase, double shift = 0.0);

constexpr double Pi = 3.14159265358979323846;

}  // namespace forge::paint
