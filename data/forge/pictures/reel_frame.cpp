#include "data/forge/pictures/reel_frame.h"

#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

namespace {

constexpr double FrameThickness = 17;

}  // namespace

void PaintReelWindow(cairo_t* cr) {
    const double w = WX1 - WX0, h = WY1 - WY0;
    cairo_rectangle(cr, WX0, WY0, w, h);
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, WY0, 0, WY1);
    AddStop(glass, 0, Hex(0x060a1c), 0.95);
    AddStop(glass, 0.5, Hex(0x0a1028), 0.93);
    AddStop(glass, 1, Hex(0x04060f), 0.96);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    // Each reel reads as a drum: darker towards its sides.
    const double reel = w / 5;
    for (int r = 0; r < 5; ++r) {
        const double x = WX0 + r * reel;
        cairo_pattern_t* drum = cairo_pattern_create_linear(x, 0, x + reel, 0);
        AddStop(drum, 0, Hex(0x000000), 0.55);
        AddStop(drum, 0.18, Hex(0x000000), 0.1);
        AddStop(drum, 0.5, Hex(0x4060a0), 0.06);
        AddStop(drum, 0.82, Hex(0x000000), 0.1);
        AddStop(drum, 1, Hex(0x000000), 0.55);
        cairo_set_source(cr, drum);
        cairo_rectangle(cr, x, WY0, reel, h);
        cairo_fill(cr);
        cairo_pattern_destroy(drum);
    }
    // Thin separators between the reels.
    for (int r = 1; r < 5; ++r) {
        const double x = WX0 + r * reel;
        cairo_pattern_t* line = cairo_pattern_create_linear(0, WY0, 0, WY1);
        AddStop(line, 0, TechMetal(), 0.05);
        AddStop(line, 0.5, TechMetal(), 0.35);
        AddStop(line, 1, TechMetal(), 0.05);
        cairo_set_source(cr, line);
        cairo_rectangle(cr, x - 1, WY0, 2, h);
        cairo_fill(cr);
        cairo_pattern_destroy(line);
    }
    // Inner shadows under the frame give the window depth.
    for (int edge = 0; edge < 2; ++edge) {
        const double y = edge ? WY1 : WY0, d = edge ? -36 : 36;
        cairo_pattern_t* shadow = cairo_pattern_create_linear(0, y, 0, y + d);
        AddStop(shadow, 0, Hex(0x000000), 0.7);
        AddStop(shadow, 1, Hex(0x000000), 0);
        cairo_set_source(cr, shadow);
        cairo_rectangle(cr, WX0, edge ? WY1 - 36 : WY0, w, 36);
        cairo_fill(cr);
        cairo_pattern_destroy(shadow);
    }
}

void PaintReelFrame(Canvas& canvas) {
    cairo_t* cr = canvas.cr;
    const double t = FrameThickness;
    const double x = WX0 - t, y = WY0 - t, w = WX1 - WX0 + 2 * t, h = WY1 - WY0 + 2 * t;
    // A cyan light spill around the frame.
    Glow(
        canvas,
        [&](cairo_t* g) {
            cairo_rectangle(g, x, y, w, h);
            cairo_set_line_width(g, 6);
            cairo_stroke(g);
        },
        TechGlow(), 26, 0.9);
    // Armour pieces over the corners; on the right they stay clear of the level column.
    for (int corner = 0; corner < 4; ++corner) {
        const double cx = corner % 2 ? x + w : x, cy = corner / 2 ? y + h : y;
        const double dx = corner % 2 ? -1 : 1, dy = corner / 2 ? -1 : 1;
        const double out = corner % 2 ? 2 : 9, arm = 22;
        cairo_new_path(cr);
        cairo_move_to(cr, cx - dx * out, cy - dy * 9);
        cairo_line_to(cr, cx + dx * 120, cy - dy * 9);
        cairo_line_to(cr, cx + dx * 100, cy + dy * (arm - 9));
        cairo_line_to(cr, cx + dx * (arm - out), cy + dy * (arm - 9));
        cairo_line_to(cr, cx + dx * (arm - out), cy + dy * 80);
        cairo_line_to(cr, cx - dx * out, cy + dy * 100);
        cairo_close_path(cr);
        cairo_pattern_t* plate =
            cairo_pattern_create_linear(cx - dx * out, cy - dy * 9, cx + dx * 30, cy + dy * 30);
        AddStop(plate, 0, Hex(0xa8c8e0));
        AddStop(plate, 0.3, Hex(0x4a6688));
        AddStop(plate, 1, Hex(0x1c2a44));
        cairo_set_source(cr, plate);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(plate);
        SetColour(cr, TechGlow(), 0.8);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
    BevelFrame(cr, x, y, w, h, t, TechMetal());
    // The inner lip glows faintly into the window.
    cairo_rectangle(cr, WX0 + 0.5, WY0 + 0.5, WX1 - WX0 - 1, WY1 - WY0 - 1);
    SetColour(cr, TechGlow(), 0.55);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Indicator lights on the corner plates and a crest above the middle.
    for (int corner = 0; corner < 4; ++corner) {
        const double cx = corner % 2 ? x + w : x, cy = corner / 2 ? y + h : y;
        const double dx = corner % 2 ? -1 : 1, dy = corner / 2 ? -1 : 1;
        Led(cr, cx + dx * 56, cy + dy * 2, 2.6, TechGlow());
        Led(cr, cx + dx * 74, cy + dy * 2, 2.6, TechGlow());
        Led(cr, cx + dx * 2, cy + dy * 56, 2.6, corner % 2 ? Hex(0xff60c0) : TechGlow());
    }
    const double mid = (WX0 + WX1) / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, mid - 190, y);
    cairo_line_to(cr, mid - 170, y - 14);
    cairo_line_to(cr, mid + 170, y - 14);
    cairo_line_to(cr, mid + 190, y);
    cairo_close_path(cr);
    cairo_pattern_t* crest = cairo_pattern_create_linear(0, y - 14, 0, y);
    AddStop(crest, 0, Lighten(TechMetal(), 0.5));
    AddStop(crest, 1, Lighten(TechMetal(), -0.6));
    cairo_set_source(cr, crest);
    cairo_fill(cr);
    cairo_pattern_destroy(crest);
    for (int i = -3; i <= 3; ++i) Led(cr, mid + i * 40, y - 7, 2.6, i == 0 ? Hex(0xff60c0) : TechGlow());
}

}  // namespace forge::art
