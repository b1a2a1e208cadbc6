// Sprites 58..69: the daily prize wheel, one full-screen frame per prize.
// Frame k shows the segment worth k points under the fixed pointer; the
// segments run 0..11 round the wheel, so stepping from frame k to k + 1
// turns the wheel one segment clockwise. The rim lights chase as it turns.
#include <cmath>
#include <string>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/screen_map.h"
#include "data/forge/pictures/space.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

namespace {

constexpr int Segments = 12;
constexpr double CX = 800, CY = 462, R = 330;

Rgb SegmentColour(int segment) {
    if (segment == 0) return Hex(0x2a2e44);
    if (segment == 11) return Hex(0xe8a010);
    static const uint32_t cycle[4] = {0x6a2ad8, 0x1a64e0, 0xc02a8a, 0x12a0b0};
    return Hex(cycle[segment % 4]);
}

// The scenery behind the wheel, shared by all twelve frames (made once).
const Picture& Backdrop() {
    static const Picture backdrop = [] {
        Canvas canvas(FullWidth, FullHeight);
        NebulaStyle style;
        style.seed = 58;
        style.brightness = 0.9;
        style.glow = Hex(0x8a3ad0);
        style.accent = Hex(0x2a90e0);
        PaintNebula(canvas, style);
        PaintStars(canvas, 5858, 900, 0.9);
        PlanetStyle moon;
        moon.cx = 1390;
        moon.cy = 250;
        moon.radius = 95;
        moon.light[0] = -0.8;
        moon.light[1] = -0.2;
        moon.atmosphere = Hex(0xffb070);
        moon.atmosphereStrength = 0.7;
        moon.surface = AmberMoonSurface;
        PaintPlanet(canvas, moon);
        // Darken the edges so the wheel stands out.
        cairo_pattern_t* vignette = cairo_pattern_create_radial(CX, CY, R * 0.9, CX, CY, 1050);
        AddStop(vignette, 0, Hex(0x000000), 0);
        AddStop(vignette, 1, Hex(0x000000), 0.7);
        cairo_set_source(canvas.cr, vignette);
        cairo_paint(canvas.cr);
        cairo_pattern_destroy(vignette);
        RadialLight(canvas.cr, CX, CY, R * 1.6, Hex(0x6040ff), 0.55);
        // The title on the left.
        cairo_t* cr = canvas.cr;
        UseFont(cr, Face::SerifBold, 78);
        for (int line = 0; line < 2; ++line) {
            const char* word = line ? "BONUS" : "DAILY";
            CentredTextPath(cr, word, 222, 400 + line * 100);
        }
        cairo_path_t* title = cairo_copy_path(cr);
        cairo_new_path(cr);
        Glow(
            canvas,
            [&](cairo_t* g) {
                cairo_append_path(g, title);
                cairo_fill(g);
            },
            Hex(0xff9a20), 20, 1.4);
        cairo_append_path(cr, title);
        SetColour(cr, Hex(0x200800));
        cairo_set_line_width(cr, 8);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* gold = cairo_pattern_create_linear(0, 355, 0, 555);
        for (int line = 0; line < 2; ++line) {
            const double o = line * 0.5;
            AddStop(gold, o + 0.00, Hex(0xfff6c8));
            AddStop(gold, o + 0.22, Hex(0xffc040));
            AddStop(gold, o + 0.26, Hex(0xa05a08));
            AddStop(gold, o + 0.45, Hex(0xffe088));
        }
        cairo_set_source(cr, gold);
        cairo_fill(cr);
        cairo_pattern_destroy(gold);
        cairo_path_destroy(title);
        return canvas.ToPicture();
    }();
    return backdrop;
}

void Wheel(Canvas& canvas, int frame) {
    cairo_t* cr = canvas.cr;
    const double step = 2 * Pi / Segments;
    // Shadow and outer glow.
    Glow(
        canvas,
        [&](cairo_t* g) {
            cairo_arc(g, CX, CY, R + 46, 0, 2 * Pi);
            cairo_fill(g);
        },
        Hex(0x40c8ff), 30, 0.9);
    for (int segment = 0; segment < Segments; ++segment) {
        const double centre = -Pi / 2 + (frame - segment) * step;
        const Rgb colour = SegmentColour(segment);
        cairo_move_to(cr, CX, CY);
        cairo_arc(cr, CX, CY, R, centre - step / 2, centre + step / 2);
        cairo_close_path(cr);
        cairo_pattern_t* fill = cairo_pattern_create_radial(CX, CY, R * 0.15, CX, CY, R);
        AddStop(fill, 0, Lighten(colour, -0.55));
        AddStop(fill, 0.7, colour);
        AddStop(fill, 1, Lighten(colour, 0.35));
        cairo_set_source(cr, fill);
        cairo_fill(cr);
        cairo_pattern_destroy(fill);
        // The prize, upright when its segment is at the top.
        cairo_save(cr);
        cairo_translate(cr, CX, CY);
        cairo_rotate(cr, centre + Pi / 2);
        UseFont(cr, Face::SansBold, segment >= 10 ? 78 : 86);
        CentredTextPath(cr, std::to_string(segment), 0, -R * 0.72);
        if (segment == 6 || segment == 9) {
            // A bar under 6 and 9 tells them apart on a turning wheel.
            RoundedRectangle(cr, -20, -R * 0.72 + 38, 40, 8, 3);
        }
        SetColour(cr, Hex(0x000000), 0.75);
        cairo_set_line_width(cr, 7);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* letters = cairo_pattern_create_linear(0, -R * 0.72 - 40, 0, -R * 0.72 + 40);
        AddStop(letters, 0, {1, 1, 1});
        AddStop(letters, 1, segment == 11 ? Hex(0xfff0b0) : Hex(0xc8dcff));
        cairo_set_source(cr, letters);
        cairo_fill(cr);
        cairo_pattern_destroy(letters);
        cairo_restore(cr);
    }
    // Gold spokes between the segments.
    for (int segment = 0; segment < Segments; ++segment) {
        const double a = -Pi / 2 + (frame - segment) * step + step / 2;
        cairo_move_to(cr, CX + R * 0.2 * std::cos(a), CY + R * 0.2 * std::sin(a));
        cairo_line_to(cr, CX + R * std::cos(a), CY + R * std::sin(a));
        SetColour(cr, Hex(0x1a1000));
        cairo_set_line_width(cr, 7);
        cairo_stroke_preserve(cr);
        SetColour(cr, Hex(0xffd870));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    // The segment under the pointer is lit.
    cairo_move_to(cr, CX, CY);
    cairo_arc(cr, CX, CY, R, -Pi / 2 - step / 2, -Pi / 2 + step / 2);
    cairo_close_path(cr);
    cairo_pattern_t* win = cairo_pattern_create_radial(CX, CY - R * 0.7, 0, CX, CY - R * 0.7, R * 0.6);
    AddStop(win, 0, {1, 1, 1}, 0.35);
    AddStop(win, 1, {1, 1, 1}, 0.0);
    cairo_set_source(cr, win);
    cairo_fill(cr);
    cairo_pattern_destroy(win);
    // Rim with chasing lights.
    cairo_arc(cr, CX, CY, R + 22, 0, 2 * Pi);
    cairo_pattern_t* rim = cairo_pattern_create_linear(CX - R, CY - R, CX + R, CY + R);
    AddStop(rim, 0, Hex(0xf4f8ff));
    AddStop(rim, 0.45, Hex(0x6a7aa0));
    AddStop(rim, 0.55, Hex(0x2a3250));
    AddStop(rim, 1, Hex(0xc8d4f0));
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 44);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    for (int edge = 0; edge < 2; ++edge) {
        cairo_arc(cr, CX, CY, edge ? R + 44 : R, 0, 2 * Pi);
        SetColour(cr, Hex(0x05060c));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    for (int bulb = 0; bulb < 24; ++bulb) {
        const double a = 2 * Pi * bulb / 24;
        const bool lit = (bulb + frame) % 2 == 0;
        const double x = CX + (R + 22) * std::cos(a), y = CY + (R + 22) * std::sin(a);
        if (lit)
            Led(cr, x, y, 7, Hex(0xfff0a0));
        else {
            cairo_arc(cr, x, y, 6, 0, 2 * Pi);
            SetColour(cr, Hex(0x4a3a20));
            cairo_fill(cr);
        }
    }
    // Hub: a chrome disc holding a small blue planet.
    cairo_arc(cr, CX, CY, R * 0.2, 0, 2 * Pi);
    cairo_pattern_t* hub = cairo_pattern_create_linear(CX, CY - R * 0.2, CX, CY + R * 0.2);
    AddStop(hub, 0, Hex(0xffffff));
    AddStop(hub, 0.5, Hex(0x5a6280));
    AddStop(hub, 1, Hex(0xd0d8f0));
    cairo_set_source(cr, hub);
    cairo_fill(cr);
    cairo_pattern_destroy(hub);
    PlanetStyle core;
    core.cx = CX;
    core.cy = CY;
    core.radius = R * 0.15;
    core.spin = frame * step;
    core.atmosphere = Hex(0x8fd8ff);
    core.surface = TealWorldSurface;
    PaintPlanet(canvas, core);
    // The fixed pointer at the top.
    const double tip = CY - R + 34, base = CY - R - 58;
    Glow(
        canvas,
        [&](cairo_t* g) {
            cairo_move_to(g, CX - 40, base);
            cairo_line_to(g, CX + 40, base);
            cairo_line_to(g, CX, tip);
            cairo_close_path(g);
            cairo_fill(g);
        },
        Hex(0xff4040), 16, 1.2);
    cairo_move_to(cr, CX - 40, base);
    cairo_line_to(cr, CX + 40, base);
    cairo_line_to(cr, CX, tip);
    cairo_close_path(cr);
    cairo_pattern_t* pointer = cairo_pattern_create_linear(CX - 40, 0, CX + 40, 0);
    AddStop(pointer, 0, Hex(0xff8a80));
    AddStop(pointer, 0.5, Hex(0xe01020));
    AddStop(pointer, 1, Hex(0x700008));
    cairo_set_source(cr, pointer);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pointer);
    SetColour(cr, Hex(0xffe0a0));
    cairo_set_line_width(cr, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    Led(cr, CX, base + 16, 6, Hex(0xffffff));
}

std::vector<Asset> WheelJob(int first, int last) {
    std::vector<Asset> assets;
    for (int frame = first; frame <= last; ++frame) {
        Canvas canvas(FullWidth, FullHeight);
        const Picture& backdrop = Backdrop();
        cairo_surface_flush(canvas.surface);
        for (int y = 0; y < FullHeight; ++y)
            for (int x = 0; x < FullWidth; ++x) {
                const uint8_t* p = backdrop.At(x, y);
                canvas.Row(y)[x] = 0xFF000000u | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
            }
        cairo_surface_mark_dirty(canvas.surface);
        Wheel(canvas, frame);
        assets.push_back(CataloguePicture("sprite", 58 + frame, 0, canvas.ToPicture()));
    }
    return assets;
}

const JobRegistrar kWheelA("wheel-0", [] { return WheelJob(0, 3); });
const JobRegistrar kWheelB("wheel-1", [] { return WheelJob(4, 7); });
const JobRegistrar kWheelC("wheel-2", [] { return WheelJob(8, 11); });

}  // namespace

}  // namespace forge::art
