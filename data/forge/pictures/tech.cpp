#include "data/forge/pictures/tech.h"

#include <algorithm>

namespace forge::paint {

void BevelFrame(cairo_t* cr, double x, double y, double w, double h, double thickness, Rgb metal) {
    const double t = thickness;
    // Each side: a trapezoid from the outer edge to the inner edge, with its own light.
    struct Side {
        double ax, ay, bx, by, cx, cy, dx, dy;  // outer a-b, inner c-d
        double gx0, gy0, gx1, gy1;              // gradient across the thickness
        double light;
    };
    const Side sides[4] = {
        {x, y, x + w, y, x + w - t, y + t, x + t, y + t, 0, y, 0, y + t, 0.35},
        {x + w, y, x + w, y + h, x + w - t, y + h - t, x + w - t, y + t, x + w, 0, x + w - t, 0, 0.0},
        {x + w, y + h, x, y + h, x + t, y + h - t, x + w - t, y + h - t, 0, y + h, 0, y + h - t, -0.3},
        {x, y + h, x, y, x + t, y + t, x + t, y + h - t, x, 0, x + t, 0, 0.15},
    };
    for (const Side& s : sides) {
        cairo_new_path(cr);
        cairo_move_to(cr, s.ax, s.ay);
        cairo_line_to(cr, s.bx, s.by);
        cairo_line_to(cr, s.cx, s.cy);
        cairo_line_to(cr, s.dx, s.dy);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(s.gx0, s.gy0, s.gx1, s.gy1);
        const Rgb body = Mix(Hex(0x1a2a44), metal, 0.35);
        AddStop(g, 0.00, Lighten(metal, -0.3 + s.light * 0.3));
        AddStop(g, 0.08, Lighten(metal, 0.45 + s.light * 0.5));
        AddStop(g, 0.18, Lighten(body, 0.25 + s.light * 0.6));
        AddStop(g, 0.50, Lighten(body, -0.1 + s.light * 0.4));
        AddStop(g, 0.74, Lighten(body, -0.55));
        AddStop(g, 0.84, Lighten(metal, 0.2 + s.light * 0.4));
        AddStop(g, 0.92, Lighten(metal, 0.7));
        AddStop(g, 1.00, Lighten(metal, -0.5));
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // Outer dark line and a faint mitre highlight at each corner.
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    SetColour(cr, Hex(0x02060c), 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    SetColour(cr, {1, 1, 1}, 0.25);
    cairo_set_line_width(cr, 1);
    const double corners[4][4] = {{x, y, x + t, y + t},
                                  {x + w, y, x + w - t, y + t},
                                  {x + w, y + h, x + w - t, y + h - t},
                                  {x, y + h, x + t, y + h - t}};
    for (const auto& c : corners) {
        cairo_move_to(cr, c[0], c[1]);
        cairo_line_to(cr, c[2], c[3]);
        cairo_stroke(cr);
    }
}

void GlassPanel(cairo_t* cr, double x, double y, double w, double h, double cut, Rgb edge, double alpha) {
    ChamferedRectangle(cr, x, y, w, h, cut);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(body, 0, Hex(0x0b1430), alpha);
    AddStop(body, 0.5, Hex(0x050a1c), alpha);
    AddStop(body, 1, Hex(0x0a1228), alpha);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    SetColour(cr, edge, 0.75);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    // Inner line and a sheen along the top.
    ChamferedRectangle(cr, x + 3.5, y + 3.5, w - 7, h - 7, std::max(0.0, cut - 1.5));
    SetColour(cr, edge, 0.18);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y, 0, y + h * 0.45);
    AddStop(sheen, 0, {1, 1, 1}, 0.10);
    AddStop(sheen, 1, {1, 1, 1}, 0);
    cairo_set_source(cr, sheen);
    ChamferedRectangle(cr, x + 2, y + 2, w - 4, h * 0.45, std::max(0.0, cut - 1));
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
}

void CornerBrackets(cairo_t* cr, double x, double y, double w, double h, double length, Rgb colour,
                    double width, double alpha) {
    SetColour(cr, colour, alpha);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    for (int corner = 0; corner < 4; ++corner) {
        const double cx = corner % 2 ? x + w : x, cy = corner / 2 ? y + h : y;
        const double dx = corner % 2 ? -1 : 1, dy = corner / 2 ? -1 : 1;
        cairo_move_to(cr, cx, cy + dy * length);
        cairo_line_to(cr, cx, cy);
        cairo_line_to(cr, cx + dx * length, cy);
        cairo_stroke(cr);
    }
}

void Led(cairo_t* cr, double x, double y, double radius, Rgb colour) {
    RadialLight(cr, x, y, radius * 3.2, colour, 0.55);
    cairo_arc(cr, x, y, radius, 0, 2 * Pi);
    cairo_pattern_t* bulb = cairo_pattern_create_radial(x - radius * 0.3, y - radius * 0.3, 0, x, y, radius);
    AddStop(bulb, 0, {1, 1, 1});
    AddStop(bulb, 0.5, Lighten(colour, 0.4));
    AddStop(bulb, 1, colour);
    cairo_set_source(cr, bulb);
    cairo_fill(cr);
    cairo_pattern_destroy(bulb);
}

void Socket(cairo_t* cr, double cx, double cy, double radius, Rgb edge) {
    cairo_arc(cr, cx, cy, radius, 0, 2 * Pi);
    cairo_pattern_t* well = cairo_pattern_create_radial(cx, cy - radius * 0.3, radius * 0.1, cx, cy, radius);
    AddStop(well, 0, Hex(0x0a1226), 0.55);
    AddStop(well, 0.8, Hex(0x03060e), 0.8);
    AddStop(well, 1, Hex(0x000000), 0.9);
    cairo_set_source(cr, well);
    cairo_fill(cr);
    cairo_pattern_destroy(well);
    cairo_arc(cr, cx, cy, radius, 0, 2 * Pi);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, cy - radius, 0, cy + radius);
    AddStop(rim, 0, Hex(0x000000), 0.6);
    AddStop(rim, 1, edge, 0.55);
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
}

}  // namespace forge::paint
