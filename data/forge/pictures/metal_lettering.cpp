#include "data/forge/pictures/metal_lettering.h"

namespace forge::paint {

void MetalLettering(Canvas& canvas, Metal metal, Rgb glow, double glowRadius, double outline) {
    cairo_t* cr = canvas.cr;
    cairo_path_t* path = cairo_copy_path(cr);
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_new_path(cr);
    Glow(
        canvas,
        [&](cairo_t* g) {
            cairo_append_path(g, path);
            cairo_set_line_width(g, outline * 2);
            cairo_stroke_preserve(g);
            cairo_fill(g);
        },
        glow, glowRadius, 1.6);
    cairo_append_path(cr, path);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, metal == Metal::Gold ? Hex(0x2a0a00) : Hex(0x020814));
    cairo_set_line_width(cr, outline * 2);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, y1, 0, y2);
    AddStop(rim, 0, metal == Metal::Gold ? Hex(0xfff0a0) : Hex(0xe0ffff));
    AddStop(rim, 1, metal == Metal::Gold ? Hex(0x8a4a00) : Hex(0x2a6a9a));
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, outline);
    cairo_stroke_preserve(cr);
    cairo_pattern_destroy(rim);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y1, 0, y2);
    if (metal == Metal::Gold) {
        AddStop(fill, 0.00, Hex(0xfffbe0));
        AddStop(fill, 0.30, Hex(0xffd048));
        AddStop(fill, 0.50, Hex(0xd07a08));
        AddStop(fill, 0.53, Hex(0x8a3a00));
        AddStop(fill, 0.70, Hex(0xffc030));
        AddStop(fill, 1.00, Hex(0xfff0a0));
    } else {
        AddStop(fill, 0.00, Hex(0xffffff));
        AddStop(fill, 0.40, Hex(0x9ad0f0));
        AddStop(fill, 0.50, Hex(0x1a3a60));
        AddStop(fill, 0.54, Hex(0x284c78));
        AddStop(fill, 0.72, Hex(0xc8f4ff));
        AddStop(fill, 1.00, Hex(0x70b8e0));
    }
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    // A highlight along the upper edges.
    cairo_save(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    cairo_translate(cr, -outline * 0.25, -outline * 0.35);
    cairo_append_path(cr, path);
    SetColour(cr, {1, 1, 1}, 0.55);
    cairo_set_line_width(cr, outline * 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_path_destroy(path);
}

void Rays(cairo_t* cr, double cx, double cy, double radius, int count, Rgb colour, double alpha) {
    for (int i = 0; i < count; ++i) {
        const double a = 2 * Pi * i / count, spread = Pi / count * 0.55;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, radius, a - spread, a + spread);
        cairo_close_path(cr);
    }
    cairo_pattern_t* fade = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    AddStop(fade, 0, colour, alpha);
    AddStop(fade, 1, colour, 0);
    cairo_set_source(cr, fade);
    cairo_fill(cr);
    cairo_pattern_destroy(fade);
}

void Sparkles(cairo_t* cr, uint64_t seed, int count, double x0, double y0, double w, double h, Rgb colour) {
    Noise random(seed);
    for (int i = 0; i < count; ++i)
        Sparkle(cr, x0 + random.Unit() * w, y0 + random.Unit() * h, 14 + random.Unit() * 30, colour,
                0.6 + 0.4 * random.Unit());
}

}  // namespace forge::paint
