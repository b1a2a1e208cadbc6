// The logo forms out of light: motes from the lit line fly into the name,
// which glows brighter as they arrive, flashes white and cools into chrome;
// the orbit draws itself round, the "2" on its planet pops up, and a gleam
// runs across the letters. By StillFrom it is sprite 16 as the game shows it.
#include <algorithm>
#include <cmath>

#include "data/forge/intro/intro_frame.h"
#include "data/forge/intro/intro_timeline.h"
#include "data/forge/pictures/title_logo.h"

namespace forge::intro {

using namespace paint;

namespace {

const double LogoLeft = LogoScreenX(0), LogoTop = LogoScreenY(0);

// 0..1 with a small overshoot before it settles at 1.
double Overshoot(double x) {
    x = std::clamp(x, 0.0, 1.0);
    const double back = 1.9;
    const double u = x - 1;
    return 1 + (back + 1) * u * u * u + back * u * u;
}

void Add(cairo_t* cr) { cairo_set_operator(cr, CAIRO_OPERATOR_ADD); }

void PaintMote(cairo_t* cr, const IntroLayers& layers, const Mote& mote, double t) {
    const double u = (t - mote.start) / mote.duration;
    if (u < 0 || u >= 1) return;
    const double dx = mote.targetX - mote.startX, dy = mote.targetY - mote.startY;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double cx = (mote.startX + mote.targetX) / 2 - dy / std::max(1.0, length) * mote.bend * length;
    const double cy = (mote.startY + mote.targetY) / 2 + dx / std::max(1.0, length) * mote.bend * length - 90;
    auto at = [&](double v, double& x, double& y) {
        v = Ease(std::clamp(v, 0.0, 1.0));
        x = (1 - v) * (1 - v) * mote.startX + 2 * v * (1 - v) * cx + v * v * mote.targetX;
        y = (1 - v) * (1 - v) * mote.startY + 2 * v * (1 - v) * cy + v * v * mote.targetY;
    };
    const Rgb colour = Mix(Hex(0xffc070), Hex(0xc8f6ff), u);
    const double alpha = std::min(1.0, u * 8) * (1 - std::pow(u, 6));
    double x, y, px, py;
    at(u, x, y);
    at(u - 0.12, px, py);
    cairo_move_to(cr, px, py);
    cairo_line_to(cr, x, y);
    SetColour(cr, colour, 0.35 * alpha);
    cairo_set_line_width(cr, mote.size);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, mote.size * 10 / layers.moteGlow.width, mote.size * 10 / layers.moteGlow.height);
    SetColour(cr, colour, 0.6 * alpha);
    MaskWithBitmap(cr, layers.moteGlow, -layers.moteGlow.width / 2.0, -layers.moteGlow.height / 2.0);
    cairo_restore(cr);
    SetColour(cr, Lighten(colour, 0.7), alpha);
    cairo_arc(cr, x, y, mote.size * 0.55, 0, 2 * Pi);
    cairo_fill(cr);
}

// The orbit, revealed as far as `reach` (0..1) round from its left end, with
// a bright head where it is being drawn.
void PaintOrbit(cairo_t* cr, const IntroLayers& layers, double reach, double head) {
    if (reach <= 0) return;
    const double start = Pi * 0.9;
    auto toScreen = [](cairo_t* c) {
        cairo_translate(c, LogoScreenX(750), LogoScreenY(420));
        cairo_rotate(c, -0.12);
        cairo_scale(c, LogoScale, LogoScale * 0.3);
    };
    cairo_save(cr);
    if (reach < 1) {
        cairo_save(cr);
        toScreen(cr);
        cairo_move_to(cr, 0, 0);
        cairo_arc(cr, 0, 0, 900, start, start + 2 * Pi * reach);
        cairo_close_path(cr);
        cairo_restore(cr);
        cairo_clip(cr);
    }
    PaintBitmap(cr, layers.logoOrbit, LogoLeft, LogoTop);
    cairo_restore(cr);
    if (head <= 0) return;
    cairo_save(cr);
    toScreen(cr);
    const double angle = start + 2 * Pi * reach;
    double x = 660 * std::cos(angle), y = 660 * std::sin(angle);
    cairo_user_to_device(cr, &x, &y);
    cairo_restore(cr);
    cairo_save(cr);
    Add(cr);
    RadialLight(cr, x, y, 60, Hex(0x60e8ff), 0.8 * head);
    Sparkle(cr, x, y, 46, Hex(0xe0faff), head);
    cairo_restore(cr);
}

// The "2" on its planet grows out of a spark.
void PaintTwo(cairo_t* cr, const IntroLayers& layers, double t) {
    const double grow = Progress(t, LogoFlash + 0.35, LogoFlash + 0.85);
    if (grow <= 0) return;
    const double cx = LogoScreenX(750), cy = LogoScreenY(650);
    const double scale = Overshoot(grow);
    cairo_save(cr);
    Add(cr);
    RadialLight(cr, cx, cy, 150, Hex(0xff9040), 0.7 * (1 - Ease(grow)));
    cairo_restore(cr);
    cairo_matrix_t place;
    cairo_matrix_init_translate(&place, cx, cy);
    cairo_matrix_scale(&place, scale, scale);
    cairo_matrix_translate(&place, -(750 * LogoScale), -(650 * LogoScale));
    PaintBitmap(cr, layers.logoTwo, place, std::min(1.0, grow * 3));
}

// A bright band that runs across the letters once.
void PaintGleam(cairo_t* cr, const IntroLayers& layers, double t) {
    const double run = Progress(t, ShineSweep, ShineSweep + 0.8);
    if (run <= 0 || run >= 1) return;
    const double x = LogoScreenX(60) + run * (LogoScreenX(1440) - LogoScreenX(60));
    cairo_pattern_t* band = cairo_pattern_create_linear(x - 90, 0, x + 90, -120);
    cairo_pattern_add_color_stop_rgba(band, 0, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(band, 0.5, 1, 1, 1, 0.7 * std::sin(Pi * run));
    cairo_pattern_add_color_stop_rgba(band, 1, 1, 1, 1, 0);
    cairo_save(cr);
    Add(cr);
    cairo_set_source(cr, band);
    MaskWithBitmap(cr, layers.logoName, LogoLeft, LogoTop);
    cairo_restore(cr);
    cairo_pattern_destroy(band);
}

// A last glint on the rim of the "2"'s planet while the picture settles.
void PaintGlint(cairo_t* cr, double t) {
    const double u = Progress(t, LastGlint, LastGlint + 0.8);
    if (u <= 0 || u >= 1) return;
    const double x = LogoScreenX(822), y = LogoScreenY(588), size = 80 * std::sin(Pi * u);
    cairo_save(cr);
    Add(cr);
    RadialLight(cr, x, y, size * 0.9, Hex(0xffd890), 0.5 * std::sin(Pi * u));
    Sparkle(cr, x, y, size, Hex(0xfff4e0), std::sin(Pi * u));
    cairo_restore(cr);
}

// The flash when the light becomes the name: a burst of white and rays
// that spread as it fades.
void PaintFlash(cairo_t* cr, const IntroLayers& layers, double t) {
    const double flash = t < LogoFlash ? std::pow(Progress(t, LogoFlash - 0.25, LogoFlash), 2)
                                       : std::exp(-(t - LogoFlash) / 0.3);
    if (flash < 0.004) return;
    cairo_save(cr);
    Add(cr);
    const double spread = 1.0 + 0.35 * std::max(0.0, t - LogoFlash);
    cairo_matrix_t place;
    cairo_matrix_init_translate(&place, FlashX, FlashY);
    cairo_matrix_scale(&place, spread, spread);
    cairo_matrix_translate(&place, -FlashX, -FlashY);
    PaintBitmap(cr, layers.flashRays, place, 0.32 * flash);
    PaintBitmap(cr, layers.flashLight, 0, 0, 1.0, 0.75 * flash);
    SetColour(cr, Hex(0x9ad8ff), 0.22 * flash);
    cairo_paint(cr);
    cairo_restore(cr);
}

}  // namespace

void PaintLogo(cairo_t* cr, const IntroLayers& layers, double t) {
    if (t < LightFlies) return;
    // The logo comes nearer with the reel frame behind it.
    cairo_save(cr);
    const double near = 1.0 / ReelFrameDepth(t);
    cairo_translate(cr, Width / 2.0, Height / 2.0);
    cairo_scale(cr, near, near);
    cairo_translate(cr, -Width / 2.0, -Height / 2.0);
    // The light the motes bring: it gathers in the name until the flash.
    const double gathered = Ease(Progress(t, LightFlies + 0.35, LogoFlash));
    const double cooled = Ease(Progress(t, LogoFlash + 0.1, LogoFlash + 0.9));
    PaintBitmap(cr, layers.logoBackLight, LogoLeft, LogoTop, 1.0,
                Ease(Progress(t, LogoFlash, LogoFlash + 1.0)));
    const double reach = Ease(Progress(t, LogoFlash + 0.15, LogoFlash + 1.2));
    PaintOrbit(cr, layers, reach,
               reach < 1 ? std::min(1.0, reach * 6) : 1 - Progress(t, LogoFlash + 1.2, LogoFlash + 1.5));
    cairo_save(cr);
    Add(cr);
    PaintBitmap(cr, layers.nameHalo, LogoLeft, LogoTop, 1.0,
                0.9 * gathered * (1 - Ease(Progress(t, LogoFlash, LogoFlash + 1.4))));
    cairo_restore(cr);
    PaintBitmap(cr, layers.logoName, LogoLeft, LogoTop, 1.0,
                Ease(Progress(t, LogoFlash - 0.05, LogoFlash + 0.45)));
    cairo_save(cr);
    Add(cr);
    PaintBitmap(cr, layers.nameLight, LogoLeft, LogoTop, 1.0, std::pow(gathered, 1.5) * (1 - cooled));
    cairo_restore(cr);
    PaintTwo(cr, layers, t);
    PaintBitmap(cr, layers.logoSparkles, LogoLeft, LogoTop, 1.0,
                Ease(Progress(t, LogoFlash + 1.0, LogoFlash + 2.2)));
    PaintGleam(cr, layers, t);
    PaintGlint(cr, t);
    PaintFlash(cr, layers, t);
    cairo_save(cr);
    Add(cr);
    for (const Mote& mote : layers.motes) PaintMote(cr, layers, mote, t);
    cairo_restore(cr);
    cairo_restore(cr);
}

}  // namespace forge::intro
