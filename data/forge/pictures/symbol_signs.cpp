// The alien signs: neon glyphs of an unknown script. Signs 4 and 5 (the high
// pays) sit on hexagonal medallions; 8 and 9 float in holographic rings.
#include <cmath>

#include "data/forge/pictures/symbol_art.h"

namespace forge::art {

using namespace paint;

namespace {

// Adds the strokes of glyph `sheet` to the path, in a unit box scaled by `s` around (cx, cy).
void GlyphPath(cairo_t* cr, int sheet, double cx, double cy, double s) {
    auto move = [&](double x, double y) { cairo_move_to(cr, cx + x * s, cy + y * s); };
    auto line = [&](double x, double y) { cairo_line_to(cr, cx + x * s, cy + y * s); };
    auto arc = [&](double x, double y, double r, double a0, double a1) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + x * s, cy + y * s, r * s, a0, a1);
    };
    cairo_new_path(cr);
    switch (sheet) {
        case 4:  // a trident over an eye
            move(0, -0.85);
            line(0, 0.85);
            arc(0, -0.05, 0.36, 0, 2 * Pi);
            move(-0.72, -0.78);
            line(-0.72, -0.32);
            line(-0.36, -0.05);
            move(0.72, -0.78);
            line(0.72, -0.32);
            line(0.36, -0.05);
            move(-0.45, 0.62);
            line(0.45, 0.62);
            break;
        case 5:  // a crescent pierced by a bar, with a moon
            arc(0.05, 0.0, 0.7, Pi * 0.25, Pi * 1.75);
            move(-0.88, 0.0);
            line(0.25, 0.0);
            move(-0.3, 0.0);
            line(-0.3, 0.52);
            arc(0.62, -0.05, 0.13, 0, 2 * Pi);
            break;
        case 8:  // a falling triangle crossed by the horizon
            move(-0.72, -0.55);
            line(0.72, -0.55);
            line(0, 0.8);
            cairo_close_path(cr);
            move(-0.95, -0.08);
            line(0.95, -0.08);
            arc(0, -0.25, 0.13, 0, 2 * Pi);
            move(0, 0.8);
            line(0, 0.95);
            break;
        default:  // 9: a stepped serpent with two stars
            move(-0.68, -0.72);
            line(0.58, -0.72);
            line(-0.42, 0.02);
            line(0.58, 0.02);
            line(-0.58, 0.76);
            line(0.68, 0.76);
            arc(-0.72, 0.02, 0.1, 0, 2 * Pi);
            arc(0.72, -0.72, 0.1, 0, 2 * Pi);
            break;
    }
}

struct SignStyle {
    Rgb neon;
    bool medallion;
};

SignStyle StyleOf(int sheet) {
    switch (sheet) {
        case 4: return {Hex(0xc050ff), true};
        case 5: return {Hex(0xff7a1a), true};
        case 8: return {Hex(0x20f0c8), false};
        default: return {Hex(0xff3ca8), false};
    }
}

void Medallion(Canvas& cell, Rgb neon, double phase) {
    cairo_t* cr = cell.cr;
    const double cx = 100, cy = 80, r = 72;
    Glow(
        cell,
        [&](cairo_t* g) {
            PolygonPath(g, cx, cy, r, 6, -Pi / 2);
            cairo_fill(g);
        },
        neon, 18, 0.6 + 0.3 * LoopWave(phase));
    PolygonPath(cr, cx, cy, r, 6, -Pi / 2);
    SetColour(cr, Hex(0x05040a));
    cairo_set_line_width(cr, 6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* chrome = cairo_pattern_create_linear(0, cy - r, 0, cy + r);
    AddStop(chrome, 0, Hex(0xf2f4ff));
    AddStop(chrome, 0.42, Hex(0x8088a8));
    AddStop(chrome, 0.5, Hex(0x262638));
    AddStop(chrome, 0.62, Hex(0xb8bcd8));
    AddStop(chrome, 1, Hex(0x6a6e90));
    cairo_set_source(cr, chrome);
    cairo_fill(cr);
    cairo_pattern_destroy(chrome);
    // The dark face with a faint inner ring.
    PolygonPath(cr, cx, cy, r - 9, 6, -Pi / 2);
    cairo_pattern_t* face = cairo_pattern_create_radial(cx, cy - 10, 5, cx, cy, r);
    AddStop(face, 0, Mix(Hex(0x1c1830), neon, 0.22));
    AddStop(face, 1, Hex(0x07060e));
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    SetColour(cr, Hex(0x000000), 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    SetColour(cr, neon, 0.22);
    cairo_set_line_width(cr, 1.2);
    cairo_arc(cr, cx, cy, r - 18, 0, 2 * Pi);
    cairo_stroke(cr);
    // Small studs at the corners.
    for (int i = 0; i < 6; ++i) {
        const double a = -Pi / 2 + Pi / 3 * i;
        RadialLight(cr, cx + (r - 4.5) * std::cos(a), cy + (r - 4.5) * std::sin(a), 3.2, Hex(0xffffff), 0.85);
    }
}

void HoloRing(Canvas& cell, Rgb neon, double phase) {
    cairo_t* cr = cell.cr;
    const double cx = 100, cy = 80, r = 66;
    RadialLight(cr, cx, cy, r + 6, Mix(neon, {0, 0, 0}, 0.55), 0.55);
    // Twelve ticks turn by one tick spacing per loop, so the loop closes.
    const double turn = 2 * Pi / 12 * phase;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 12; ++i) {
        const double a = turn + 2 * Pi * i / 12;
        SetColour(cr, Lighten(neon, 0.3), i % 3 == 0 ? 0.95 : 0.5);
        cairo_set_line_width(cr, i % 3 == 0 ? 3.2 : 2);
        const double inner = i % 3 == 0 ? r - 10 : r - 6;
        cairo_move_to(cr, cx + inner * std::cos(a), cy + inner * std::sin(a));
        cairo_line_to(cr, cx + (r - 1) * std::cos(a), cy + (r - 1) * std::sin(a));
        cairo_stroke(cr);
    }
    Glow(
        cell,
        [&](cairo_t* g) {
            cairo_set_line_width(g, 4);
            cairo_arc(g, cx, cy, r, 0, 2 * Pi);
            cairo_stroke(g);
        },
        neon, 10, 1.2);
    SetColour(cr, Lighten(neon, 0.45), 0.9);
    cairo_set_line_width(cr, 2.4);
    cairo_arc(cr, cx, cy, r, 0, 2 * Pi);
    cairo_stroke(cr);
    SetColour(cr, neon, 0.45);
    cairo_set_line_width(cr, 1.2);
    cairo_arc(cr, cx, cy, r - 14, 0, 2 * Pi);
    cairo_stroke(cr);
    // A bright spark runs once round the ring per loop.
    const double a = -Pi / 2 + 2 * Pi * phase;
    Sparkle(cr, cx + r * std::cos(a), cy + r * std::sin(a), 18, Lighten(neon, 0.5), 0.95);
}

}  // namespace

void DrawAlienSign(Canvas& cell, int sheet, double phase) {
    const SignStyle style = StyleOf(sheet);
    if (style.medallion)
        Medallion(cell, style.neon, phase);
    else
        HoloRing(cell, style.neon, phase);
    cairo_t* cr = cell.cr;
    const double scale = style.medallion ? 40 : 42;
    // Neon tubes: a wide glow, the coloured tube and a white-hot core.
    const double pulse = 0.7 + 0.3 * std::cos(2 * Pi * phase);
    auto strokes = [&](cairo_t* c, double width) {
        GlyphPath(c, sheet, 100, 80, scale);
        cairo_set_line_width(c, width);
        cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(c, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(c);
    };
    Glow(
        cell, [&](cairo_t* g) { strokes(g, 12); }, style.neon, 16, 1.6 * pulse + 0.4);
    SetColour(cr, Hex(0x000000), 0.55);
    strokes(cr, 13);
    SetColour(cr, style.neon);
    strokes(cr, 9);
    SetColour(cr, Lighten(style.neon, 0.55 + 0.3 * pulse));
    strokes(cr, 4.5);
    SetColour(cr, {1, 1, 1}, 0.55 * pulse);
    strokes(cr, 1.6);
}

}  // namespace forge::art
