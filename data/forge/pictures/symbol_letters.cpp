// Chrome letters and the jewel symbols: the low and middle pays of the reels.
#include <cmath>

#include "data/forge/pictures/symbol_art.h"

namespace forge::art {

using namespace paint;

namespace {

// A bright diagonal band that crosses the clip once per loop, between the
// loop positions `from` and `to`; outside that window it is off the symbol.
void ShimmerBand(cairo_t* cr, double phase, double from, double to, double alpha) {
    if (phase < from || phase > to) return;
    const double t = (phase - from) / (to - from);
    const double centre = -70 + 340 * t;
    cairo_pattern_t* band = cairo_pattern_create_linear(centre - 34, -17, centre + 34, 17);
    AddStop(band, 0, {1, 1, 1}, 0);
    AddStop(band, 0.5, {1, 1, 1}, alpha * std::sin(Pi * t));
    AddStop(band, 1, {1, 1, 1}, 0);
    cairo_set_source(cr, band);
    cairo_paint(cr);
    cairo_pattern_destroy(band);
}

// A glint that flares up around loop position `at`.
void Glint(cairo_t* cr, double x, double y, double size, double phase, double at) {
    double d = std::fabs(phase - at);
    d = std::min(d, 1 - d);
    const double strength = std::max(0.0, 1 - d / 0.12);
    if (strength > 0) Sparkle(cr, x, y, size * (0.4 + 0.6 * strength), {1, 1, 1}, strength);
}

// The chrome fill: sky above the horizon line, dark band, bright ground below.
cairo_pattern_t* ChromeFill(double top, double bottom, Rgb accent) {
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, top, 0, bottom);
    const Rgb sky = Mix(Hex(0xf4f8ff), accent, 0.10), mid = Mix(Hex(0x9aa6c2), accent, 0.18);
    const Rgb horizon = Mix(Hex(0x262a3e), accent, 0.25), ground = Mix(Hex(0xc9d2e8), accent, 0.20);
    AddStop(fill, 0.00, sky);
    AddStop(fill, 0.38, mid);
    AddStop(fill, 0.50, horizon);
    AddStop(fill, 0.54, Mix(horizon, {0, 0, 0}, 0.3));
    AddStop(fill, 0.68, ground);
    AddStop(fill, 0.90, Hex(0xffffff));
    AddStop(fill, 1.00, Mix(mid, accent, 0.3));
    return fill;
}

// Re-adds a path moved by (dx, dy) and strokes it inside the clip: one side of a bevel.
void BevelEdge(cairo_t* cr, cairo_path_t* path, double dx, double dy, Rgb colour, double alpha,
               double width) {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    cairo_translate(cr, dx, dy);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    SetColour(cr, colour, alpha);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace

void DrawChromeLetter(Canvas& cell, int sheet, double phase) {
    static const char* letters[] = {"A", "B", "D"};
    static const uint32_t accents[] = {0xff3060, 0x2f8cff, 0xffaa20};
    const Rgb accent = Hex(accents[sheet]);
    cairo_t* cr = cell.cr;
    UseFont(cr, Face::SerifBold, 138);
    CentredTextPath(cr, letters[sheet], 100, 82);
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);
    double x1, y1, x2, y2;
    cairo_append_path(cr, path);
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_new_path(cr);

    const double pulse = LoopWave(phase);
    Glow(
        cell,
        [&](cairo_t* g) {
            cairo_append_path(g, path);
            cairo_set_line_width(g, 12);
            cairo_stroke_preserve(g);
            cairo_fill(g);
        },
        accent, 22, 1.0 + 0.7 * pulse);

    // Dark outline, coloured metal rim, chrome face.
    cairo_append_path(cr, path);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, Hex(0x07060f));
    cairo_set_line_width(cr, 11);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, y1, 0, y2);
    AddStop(rim, 0, Lighten(accent, 0.55));
    AddStop(rim, 0.45, accent);
    AddStop(rim, 0.55, Lighten(accent, -0.55));
    AddStop(rim, 1, Lighten(accent, 0.25));
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    cairo_pattern_destroy(rim);
    cairo_pattern_t* fill = ChromeFill(y1, y2, accent);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);

    BevelEdge(cr, path, 1.6, 2.2, Hex(0x101020), 0.55, 4);
    BevelEdge(cr, path, -1.2, -1.6, {1, 1, 1}, 0.7, 2.5);

    cairo_save(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    ShimmerBand(cr, phase, 0.2, 0.7, 0.85);
    cairo_restore(cr);
    // A glint on the top corner of the letter (the apex of the A).
    Glint(cr, sheet == 0 ? (x1 + x2) / 2 + 4 : x2 - 10, y1 + 12, 26, phase, 0.74);
    cairo_path_destroy(path);
}

namespace {

// One flat facet of a cut stone, shaded by how much it faces the light.
void Facet(cairo_t* cr, const double* xs, const double* ys, int n, Rgb colour, double light) {
    cairo_new_path(cr);
    for (int i = 0; i < n; ++i) cairo_line_to(cr, xs[i], ys[i]);
    cairo_close_path(cr);
    SetColour(cr, Lighten(colour, light));
    cairo_fill_preserve(cr);
    SetColour(cr, Lighten(colour, 0.55), 0.35);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// Emerald cut: an octagon with a table and eight bevel facets.
void DrawGem(Canvas& cell, double phase) {
    cairo_t* cr = cell.cr;
    const Rgb green = Hex(0x12b05a);
    const double cx = 100, cy = 81, w = 64, h = 60, cut = 24;
    const double ox[8] = {cx - w + cut, cx + w - cut, cx + w, cx + w,
                          cx + w - cut, cx - w + cut, cx - w, cx - w};
    const double oy[8] = {cy - h, cy - h, cy - h + cut, cy + h - cut,
                          cy + h, cy + h, cy + h - cut, cy - h + cut};
    double ix[8], iy[8];
    for (int i = 0; i < 8; ++i) {
        ix[i] = cx + (ox[i] - cx) * 0.56;
        iy[i] = cy + (oy[i] - cy) * 0.52;
    }
    auto outline = [&](cairo_t* c) {
        cairo_new_path(c);
        for (int i = 0; i < 8; ++i) cairo_line_to(c, ox[i], oy[i]);
        cairo_close_path(c);
    };
    const double pulse = LoopWave(phase);
    Glow(
        cell,
        [&](cairo_t* g) {
            outline(g);
            cairo_fill(g);
        },
        green, 24, 1.1 + 0.7 * pulse);

    outline(cr);
    SetColour(cr, Hex(0x031a0c));
    cairo_set_line_width(cr, 9);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    // Gold setting.
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, cy - h, 0, cy + h);
    AddStop(gold, 0, Hex(0xfff2b0));
    AddStop(gold, 0.5, Hex(0xb07818));
    AddStop(gold, 1, Hex(0xffe08a));
    cairo_set_source(cr, gold);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_pattern_destroy(gold);

    // Bevel facets, lit from the upper left; the light wanders round once per loop.
    for (int i = 0; i < 8; ++i) {
        const int j = (i + 1) % 8;
        const double xs[4] = {ox[i], ox[j], ix[j], ix[i]}, ys[4] = {oy[i], oy[j], iy[j], iy[i]};
        const double mx = (xs[0] + xs[1]) / 2 - cx, my = (ys[0] + ys[1]) / 2 - cy;
        const double facing = (-mx * 0.7 - my * 0.7) / std::sqrt(mx * mx + my * my);
        const double shimmer = 0.18 * std::sin(2 * Pi * (phase + i / 8.0));
        Facet(cr, xs, ys, 4, green, 0.42 * facing + shimmer);
    }
    // The table: deep green with a lighter window.
    cairo_new_path(cr);
    for (int i = 0; i < 8; ++i) cairo_line_to(cr, ix[i], iy[i]);
    cairo_close_path(cr);
    cairo_pattern_t* table = cairo_pattern_create_linear(cx - 30, cy - 30, cx + 30, cy + 30);
    AddStop(table, 0, Hex(0x7dffb4));
    AddStop(table, 0.45, Hex(0x18c060));
    AddStop(table, 1, Hex(0x045a28));
    cairo_set_source(cr, table);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(table);
    cairo_save(cr);
    cairo_clip(cr);
    SetColour(cr, {1, 1, 1}, 0.22);
    cairo_move_to(cr, ix[7], iy[7]);
    cairo_line_to(cr, ix[0], iy[0]);
    cairo_line_to(cr, cx + 8, cy - 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    ShimmerBand(cr, phase, 0.15, 0.65, 0.7);
    cairo_restore(cr);
    Glint(cr, ix[0] + 6, iy[0] + 6, 30, phase, 0.7);
    Glint(cr, ox[3] - 4, oy[3] - 2, 18, phase, 0.25);
}

// A square frame of blue steel holding a faceted ice-blue diamond.
void DrawDiamondSquare(Canvas& cell, double phase) {
    cairo_t* cr = cell.cr;
    const double cx = 100, cy = 80, half = 58;
    const Rgb ice = Hex(0x38d8ff);
    const double pulse = LoopWave(phase);
    Glow(
        cell,
        [&](cairo_t* g) {
            RoundedRectangle(g, cx - half, cy - half, 2 * half, 2 * half, 14);
            cairo_fill(g);
        },
        ice, 20, 0.9 + 0.6 * pulse);
    // Frame.
    RoundedRectangle(cr, cx - half, cy - half, 2 * half, 2 * half, 14);
    SetColour(cr, Hex(0x040a18));
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* steel = cairo_pattern_create_linear(cx - half, cy - half, cx + half, cy + half);
    AddStop(steel, 0, Hex(0xe8f4ff));
    AddStop(steel, 0.45, Hex(0x5a7aa8));
    AddStop(steel, 0.55, Hex(0x1c2c4c));
    AddStop(steel, 1, Hex(0xa8c4ec));
    cairo_set_source(cr, steel);
    cairo_fill(cr);
    cairo_pattern_destroy(steel);
    RoundedRectangle(cr, cx - half + 10, cy - half + 10, 2 * half - 20, 2 * half - 20, 8);
    cairo_pattern_t* well = cairo_pattern_create_radial(cx, cy, 4, cx, cy, half);
    AddStop(well, 0, Hex(0x123c6c));
    AddStop(well, 1, Hex(0x050b1e));
    cairo_set_source(cr, well);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(well);
    SetColour(cr, Hex(0x02040c), 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Rivets in the corners.
    for (int i = 0; i < 4; ++i) {
        const double rx = cx + (i % 2 ? 1 : -1) * (half - 5.5), ry = cy + (i / 2 ? 1 : -1) * (half - 5.5);
        RadialLight(cr, rx - 0.8, ry - 0.8, 3.6, Hex(0xffffff), 0.9);
    }
    // The diamond: four facets around a bright centre.
    const double d = 40;
    const double px[4] = {cx, cx + d, cx, cx - d}, py[4] = {cy - d - 4, cy, cy + d + 4, cy};
    Glow(
        cell,
        [&](cairo_t* g) {
            cairo_new_path(g);
            for (int i = 0; i < 4; ++i) cairo_line_to(g, px[i], py[i]);
            cairo_close_path(g);
            cairo_fill(g);
        },
        ice, 10, 0.8 + 0.8 * pulse);
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        const double xs[3] = {px[i], px[j], cx}, ys[3] = {py[i], py[j], cy};
        const double shade = (i == 0   ? 0.55
                              : i == 3 ? 0.2
                              : i == 1 ? -0.15
                                       : -0.45) +
                             0.2 * std::sin(2 * Pi * (phase + i / 4.0));
        Facet(cr, xs, ys, 3, ice, shade);
    }
    // Inner table.
    const double t = 14;
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy - t);
    cairo_line_to(cr, cx + t, cy);
    cairo_line_to(cr, cx, cy + t);
    cairo_line_to(cr, cx - t, cy);
    cairo_close_path(cr);
    SetColour(cr, Hex(0xeaffff), 0.55 + 0.3 * pulse);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_new_path(cr);
    for (int i = 0; i < 4; ++i) cairo_line_to(cr, px[i], py[i]);
    cairo_close_path(cr);
    cairo_clip(cr);
    ShimmerBand(cr, phase, 0.3, 0.8, 0.8);
    cairo_restore(cr);
    Glint(cr, cx - 14, cy - 22, 24, phase, 0.85);
}

// A golden pyramid seen from above: three facets whose light turns once per loop.
void DrawTriangle(Canvas& cell, double phase) {
    cairo_t* cr = cell.cr;
    const Rgb gold = Hex(0xffb020);
    const double cx = 100, cy = 88, r = 70;
    double vx[3], vy[3];
    for (int i = 0; i < 3; ++i) {
        const double a = -Pi / 2 + 2 * Pi * i / 3;
        vx[i] = cx + r * std::cos(a);
        vy[i] = cy + r * std::sin(a);
    }
    auto outline = [&](cairo_t* c) {
        cairo_new_path(c);
        for (int i = 0; i < 3; ++i) cairo_line_to(c, vx[i], vy[i]);
        cairo_close_path(c);
    };
    const double pulse = LoopWave(phase);
    Glow(
        cell,
        [&](cairo_t* g) {
            outline(g);
            cairo_set_line_width(g, 10);
            cairo_set_line_join(g, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke_preserve(g);
            cairo_fill(g);
        },
        Hex(0xff7a10), 22, 1.0 + 0.8 * pulse);
    outline(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, Hex(0x1a0a00));
    cairo_set_line_width(cr, 10);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        const double xs[3] = {vx[i], vx[j], cx}, ys[3] = {vy[i], vy[j], cy};
        const double light = 0.45 * std::cos(2 * Pi * (phase + i / 3.0) + 0.8) - 0.05;
        Facet(cr, xs, ys, 3, gold, light);
    }
    // Glowing core triangle.
    cairo_new_path(cr);
    for (int i = 0; i < 3; ++i) cairo_line_to(cr, cx + (vx[i] - cx) * 0.32, cy + (vy[i] - cy) * 0.32);
    cairo_close_path(cr);
    cairo_pattern_t* core = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 26);
    AddStop(core, 0, Hex(0xfffbe0));
    AddStop(core, 1, Hex(0xff8a00));
    cairo_set_source(cr, core);
    cairo_fill(cr);
    cairo_pattern_destroy(core);
    RadialLight(cr, cx, cy, 30, Hex(0xffe6a0), 0.35 + 0.4 * pulse);
    outline(cr);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, cy - r, 0, cy + r / 2);
    AddStop(rim, 0, Hex(0xfff6c8));
    AddStop(rim, 1, Hex(0x9a5a08));
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    cairo_save(cr);
    outline(cr);
    cairo_clip(cr);
    ShimmerBand(cr, phase, 0.1, 0.6, 0.6);
    cairo_restore(cr);
    Glint(cr, vx[0], vy[0] + 4, 30, phase, 0.72);
}

}  // namespace

void DrawJewel(Canvas& cell, int sheet, double phase) {
    if (sheet == 3)
        DrawGem(cell, phase);
    else if (sheet == 6)
        DrawDiamondSquare(cell, phase);
    else
        DrawTriangle(cell, phase);
}

}  // namespace forge::art
