// Sprite 15: the game background. A blue-violet nebula with planets, the
// metal frame around the dark reel window, plates behind the counters, a bay
// for the buttons and a quiet column for the level planets and the clock.
#include <algorithm>
#include <cmath>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/reel_frame.h"
#include "data/forge/pictures/screen_map.h"
#include "data/forge/pictures/space.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

namespace {

// The console along the bottom, with plates for the counters and a bay for the buttons.
void Console(Canvas& canvas) {
    cairo_t* cr = canvas.cr;
    const double top = PicY(644);
    // The console ends in a slant on the right, leaving the corner to a planet.
    auto outline = [&](cairo_t* c, bool closed) {
        cairo_new_path(c);
        cairo_move_to(c, 0, top + 18);
        cairo_line_to(c, 60, top);
        cairo_line_to(c, 1452, top);
        cairo_line_to(c, 1510, FullHeight);
        if (!closed) return;
        cairo_line_to(c, 0, FullHeight);
        cairo_close_path(c);
    };
    outline(cr, true);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, top, 0, FullHeight);
    AddStop(body, 0, Hex(0x111a36), 0.94);
    AddStop(body, 0.3, Hex(0x080d20), 0.92);
    AddStop(body, 1, Hex(0x03050c), 0.96);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    Glow(
        canvas,
        [&](cairo_t* g) {
            outline(g, false);
            cairo_set_line_width(g, 3);
            cairo_stroke(g);
        },
        TechGlow(), 12, 1.0);
    outline(cr, false);
    SetColour(cr, Lighten(TechGlow(), 0.4), 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    // Counter plates: points, win, bet (labels above, values below).
    const double plates[3][2] = {{92, 252}, {335, 512}, {642, 766}};
    for (const auto& p : plates) {
        const double x = PicX(p[0]), w = PicX(p[1]) - x, y = PicY(647), h = PicY(715) - y;
        GlassPanel(cr, x, y, w, h, 10, TechGlow(), 0.9);
        cairo_move_to(cr, x + 10, PicY(680));
        cairo_line_to(cr, x + w - 10, PicY(680));
        SetColour(cr, TechGlow(), 0.18);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    // The button bay.
    const double bx = PicX(822), by = PicY(661), bw = PicX(1148) - bx, bh = PicY(733) - by;
    RoundedRectangle(cr, bx, by, bw, bh, 16);
    cairo_pattern_t* bay = cairo_pattern_create_linear(0, by, 0, by + bh);
    AddStop(bay, 0, Hex(0x000000), 0.75);
    AddStop(bay, 1, Hex(0x0a1430), 0.75);
    cairo_set_source(cr, bay);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(bay);
    SetColour(cr, TechMetal(), 0.6);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    CornerBrackets(cr, bx - 6, by - 6, bw + 12, bh + 12, 18, TechGlow(), 2, 0.8);
}

// The right column: empty sockets for the level planets and a plate for the clock.
void LevelColumn(cairo_t* cr) {
    const double cx = PicX(1132 + 45.5);
    const double rows[3] = {280 + 36.5, 364 + 36, 445 + 35};
    cairo_move_to(cr, cx, PicY(rows[0]));
    cairo_line_to(cr, cx, PicY(rows[2]));
    SetColour(cr, TechMetal(), 0.25);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    for (double row : rows) Socket(cr, cx, PicY(row), PicX(39), TechMetal());
    GlassPanel(cr, PicX(1158), PicY(588), PicX(1277) - PicX(1158), PicY(642) - PicY(588), 8, TechGlow(),
               0.85);
}

// Small strips under the top corner buttons.
void TopCorners(cairo_t* cr) {
    GlassPanel(cr, PicX(84), PicY(64), PicX(268) - PicX(84), PicY(106) - PicY(64), 8, TechGlow(), 0.55);
    GlassPanel(cr, PicX(1056), PicY(64), PicX(1153) - PicX(1056), PicY(106) - PicY(64), 8, TechGlow(), 0.55);
    GlassPanel(cr, PicX(1184), PicY(3), PicX(1279) - PicX(1184), PicY(44) - PicY(3), 8, TechGlow(), 0.55);
}

void Planets(Canvas& canvas) {
    // A ringed violet giant, mostly behind the left edge of the frame.
    cairo_t* cr = canvas.cr;
    const double gx = -70, gy = 520, gr = 200, tilt = -0.32;
    PaintRingHalf(cr, gx, gy, gr * 1.25, gr * 1.75, tilt, 0.22, false, Hex(0xc8b0ff), 0.7);
    PlanetStyle giant;
    giant.cx = gx;
    giant.cy = gy;
    giant.radius = gr;
    giant.tilt = tilt;
    giant.spin = 1.0;
    giant.light[0] = 0.85;
    giant.light[1] = -0.35;
    giant.light[2] = 0.35;
    giant.atmosphere = Hex(0xb890ff);
    giant.atmosphereStrength = 1.0;
    giant.surface = VioletGiantSurface;
    PaintPlanet(canvas, giant);
    PaintRingHalf(cr, gx, gy, gr * 1.25, gr * 1.75, tilt, 0.22, true, Hex(0xc8b0ff), 0.8);

    PlanetStyle moon;
    moon.cx = 44;
    moon.cy = 44;
    moon.radius = 24;
    moon.light[0] = 0.6;
    moon.light[1] = 0.5;
    moon.atmosphere = Hex(0xffc080);
    moon.atmosphereStrength = 0.5;
    moon.surface = AmberMoonSurface;
    PaintPlanet(canvas, moon);

    PlanetStyle world;
    world.cx = 1640;
    world.cy = 1010;
    world.radius = 200;
    world.light[0] = -0.7;
    world.light[1] = -0.6;
    world.atmosphere = Hex(0x70f0ff);
    world.atmosphereStrength = 1.1;
    world.surface = TealWorldSurface;
    PaintPlanet(canvas, world);
}

// Full nebula in the margins, calmer behind the reels and the console.
double BackgroundShade(double x, double y) {
    const double dx = std::max({WX0 - x, x - WX1, 0.0}), dy = std::max({WY0 - y, y - WY1, 0.0});
    const double outside = SmoothStep(0, 90, std::sqrt(dx * dx + dy * dy));
    return 0.35 + 0.65 * outside - 0.3 * SmoothStep(PicY(600), PicY(700), y);
}

Picture Background() {
    Canvas canvas(FullWidth, FullHeight);
    NebulaStyle style;
    style.seed = 15;
    style.brightness = 1.05;
    PaintNebula(canvas, style, BackgroundShade);
    PaintStars(canvas, 1515, 1400, 1.0, BackgroundShade);
    Planets(canvas);
    PaintReelWindow(canvas.cr);
    PaintReelFrame(canvas);
    Console(canvas);
    LevelColumn(canvas.cr);
    TopCorners(canvas.cr);
    return canvas.ToPicture();
}

const JobRegistrar kBackground("background", [] {
    return std::vector<Asset>{CataloguePicture("sprite", 15, 0, Background())};
});

}  // namespace

}  // namespace forge::art
