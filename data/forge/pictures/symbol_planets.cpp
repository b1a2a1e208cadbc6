// The two planets of the reels: the blue ringed scatter and the red wild,
// each also as a livelier effect sheet.
#include <cmath>

#include "data/forge/pictures/space.h"
#include "data/forge/pictures/symbol_art.h"

namespace forge::art {

using namespace paint;

namespace {

const GradientNoise& BlueNoise() {
    static const GradientNoise noise(1010);
    return noise;
}
const GradientNoise& RedNoise() {
    static const GradientNoise noise(1111);
    return noise;
}

// Banded gas giant in blues; the noise is sampled on a cylinder, so it wraps in longitude.
Rgb BlueSurface(double lon, double lat) {
    const GradientNoise& n = BlueNoise();
    const double swirl = n.Fractal(std::cos(lon) * 1.3, std::sin(lon) * 1.3, lat * 2.2, 4);
    const double band = std::sin(lat * 11 + swirl * 3.2);
    const double fine = n.At(std::cos(lon) * 4, std::sin(lon) * 4, lat * 9);
    Rgb c = Mix(Hex(0x0c2a8a), Hex(0x3a8cff), 0.5 + 0.5 * band);
    c = Mix(c, Hex(0xbfeaff), std::clamp(0.35 * fine + 0.25 * band - 0.1, 0.0, 0.6));
    return c;
}

// Rusty red rock with dark plains.
Rgb RedSurface(double lon, double lat) {
    const GradientNoise& n = RedNoise();
    const double x = std::cos(lon) * std::cos(lat), y = std::sin(lon) * std::cos(lat), z = std::sin(lat);
    const double land = n.Fractal(x * 1.8, y * 1.8, z * 1.8, 5);
    Rgb c = Mix(Hex(0xd8481c), Hex(0x5a0c08), SmoothStep(-0.1, 0.35, land));
    return Mix(c, Hex(0xffa060), std::clamp(-land * 0.8 - 0.1, 0.0, 0.5));
}

// Lava seams that glow on their own.
Rgb RedEmission(double lon, double lat) {
    const GradientNoise& n = RedNoise();
    const double x = std::cos(lon) * std::cos(lat), y = std::sin(lon) * std::cos(lat), z = std::sin(lat);
    const double ridge = n.Ridged(x * 2.4 + 5, y * 2.4, z * 2.4, 3);
    const double seam = SmoothStep(0.72, 0.92, ridge);
    return {1.0 * seam, 0.55 * seam, 0.12 * seam};
}

// One half of the ring system (front or back of the planet), in a frame
// turned by the tilt; the bright spot travels round once per loop.
void Ring(cairo_t* cr, double cx, double cy, double inner, double outer, double tilt, bool front,
          double phase, double brightness) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, tilt);
    cairo_rectangle(cr, -outer - 4, front ? 0 : -outer, 2 * outer + 8, outer);
    cairo_clip(cr);
    const double flat = 0.27;
    for (double r = inner; r <= outer; r += 0.7) {
        const double t = (r - inner) / (outer - inner);
        const double bands = 0.55 + 0.45 * std::sin(t * 31) * std::sin(t * 7 + 1);
        const double gap = std::fabs(t - 0.62) < 0.04 ? 0.15 : 1.0;
        const double alpha = (0.25 + 0.6 * bands) * gap * SmoothStep(0, 0.12, t) * SmoothStep(1, 0.85, t);
        cairo_save(cr);
        cairo_scale(cr, 1, flat);
        cairo_arc(cr, 0, 0, r, 0, 2 * Pi);
        cairo_restore(cr);
        SetColour(cr, Mix(Hex(0x9fd4ff), Hex(0xf0e8ff), t), std::min(1.0, alpha * brightness));
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
    const double a = 2 * Pi * phase;
    const double sx = std::cos(a) * (inner + outer) / 2, sy = std::sin(a) * (inner + outer) / 2 * flat;
    if ((sy >= 0) == front) Sparkle(cr, sx, sy, 16 * brightness, Hex(0xdff4ff), 0.9);
    cairo_restore(cr);
}

// A dark plate with a word in gold across the planet (WILD, SCATTER).
void PlanetLabel(cairo_t* cr, const char* word, double cx, double cy, double halfWidth, Rgb tint,
                 double glow) {
    RoundedRectangle(cr, cx - halfWidth, cy - 17, 2 * halfWidth, 34, 10);
    cairo_pattern_t* plate = cairo_pattern_create_linear(0, cy - 17, 0, cy + 17);
    AddStop(plate, 0, tint, 0.9);
    AddStop(plate, 1, Lighten(tint, -0.7), 0.92);
    cairo_set_source(cr, plate);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(plate);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, cy - 17, 0, cy + 17);
    AddStop(rim, 0, Hex(0xfff0b0));
    AddStop(rim, 0.5, Hex(0xb87a10));
    AddStop(rim, 1, Hex(0xffd870));
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    FitFontSize(cr, Face::SansBold, word, 30, 2 * halfWidth - 16);
    CentredTextPath(cr, word, cx, cy + 0.5);
    SetColour(cr, Hex(0x200000));
    cairo_set_line_width(cr, 4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, cy - 12, 0, cy + 12);
    AddStop(gold, 0, Lighten(Hex(0xfff4c0), glow * 0.5));
    AddStop(gold, 0.48, Lighten(Hex(0xffc030), glow * 0.4));
    AddStop(gold, 0.52, Lighten(Hex(0xc07010), glow * 0.3));
    AddStop(gold, 1, Lighten(Hex(0xffe080), glow * 0.4));
    cairo_set_source(cr, gold);
    cairo_fill(cr);
    cairo_pattern_destroy(gold);
}

void BluePlanet(Canvas& cell, double phase, bool effect) {
    cairo_t* cr = cell.cr;
    const double cx = 100, cy = 74, radius = 50, tilt = -0.38;
    const double pulse = LoopWave(phase);
    if (effect) {
        // Two shock rings, half a loop apart, each fading in and out as it grows.
        for (int k = 0; k < 2; ++k) {
            const double t = std::fmod(phase + 0.5 * k, 1.0);
            const double r = radius + 8 + t * 42;
            SetColour(cr, Hex(0x7fd8ff), 0.7 * std::sin(Pi * t));
            cairo_set_line_width(cr, 3 + 5 * (1 - t));
            cairo_arc(cr, cx, cy, r, 0, 2 * Pi);
            cairo_stroke(cr);
        }
    }
    RadialLight(cr, cx, cy, radius * 1.9, Hex(0x2a7cff),
                (effect ? 0.55 : 0.35) + (effect ? 0.35 : 0.15) * pulse);
    Ring(cr, cx, cy, radius * 1.3, radius * 1.86, tilt, false, phase, effect ? 1.3 : 1.0);
    PlanetStyle planet;
    planet.cx = cx;
    planet.cy = cy;
    planet.radius = radius;
    planet.tilt = tilt;
    planet.spin = 2 * Pi * phase;
    planet.atmosphere = Hex(0x8fd8ff);
    planet.atmosphereStrength = effect ? 1.3 : 0.9;
    planet.ambient = effect ? 0.16 : 0.08;
    planet.surface = BlueSurface;
    PaintPlanet(cell, planet);
    Ring(cr, cx, cy, radius * 1.3, radius * 1.86, tilt, true, phase, effect ? 1.3 : 1.0);
    PlanetLabel(cr, "SCATTER", cx, cy + 46, 72, Hex(0x0a2a5a), effect ? pulse : 0.2 * pulse);
    if (effect) {
        for (int i = 0; i < 6; ++i) {
            const double a = 2 * Pi * (phase + i / 6.0);
            const double x = cx + std::cos(a) * 88, y = cy + std::sin(a) * 62;
            Sparkle(cr, x, y, 12 + 6 * std::sin(2 * Pi * (phase * 2 + i / 3.0)), Hex(0xbfe8ff), 0.85);
        }
    }
}

void RedPlanet(Canvas& cell, double phase, bool effect) {
    cairo_t* cr = cell.cr;
    const double cx = 100, cy = effect ? 80 : 78, radius = effect ? 52 : 62;
    const double pulse = LoopWave(phase);
    if (effect) {
        // Corona: flame tongues whose shape is noise sampled on a circle in
        // time, so the loop closes; two layers, the inner one hotter.
        const GradientNoise& n = RedNoise();
        const double ta = 2 * Pi * phase;
        for (int layer = 0; layer < 2; ++layer) {
            const double reach = layer == 0 ? 24 : 13;
            cairo_new_path(cr);
            for (int i = 0; i <= 240; ++i) {
                const double a = 2 * Pi * i / 240;
                const double flame = n.Fractal(std::cos(a) * 2.6 + std::cos(ta) * 0.8 + layer * 3,
                                               std::sin(a) * 2.6 + std::sin(ta) * 0.8, 3.7, 3);
                const double r = radius + 2 + reach * SmoothStep(-0.35, 0.45, flame);
                cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
            }
            cairo_close_path(cr);
            cairo_pattern_t* fire =
                cairo_pattern_create_radial(cx, cy, radius - 2, cx, cy, radius + reach + 2);
            AddStop(fire, 0, layer == 0 ? Hex(0xffd040) : Hex(0xfff4b0), 1.0);
            AddStop(fire, 0.35, layer == 0 ? Hex(0xff6a10) : Hex(0xffb030), 0.85);
            AddStop(fire, 1, Hex(0xc01000), 0);
            cairo_set_source(cr, fire);
            cairo_fill(cr);
            cairo_pattern_destroy(fire);
        }
        for (int k = 0; k < 2; ++k) {
            const double t = std::fmod(phase + 0.5 * k, 1.0);
            SetColour(cr, Hex(0xffc060), 0.7 * std::sin(Pi * t));
            cairo_set_line_width(cr, 1.5 + 3 * (1 - t));
            cairo_arc(cr, cx, cy, radius + 4 + t * 22, 0, 2 * Pi);
            cairo_stroke(cr);
        }
    }
    RadialLight(cr, cx, cy, radius * 1.55, Hex(0xff2a10), (effect ? 0.5 : 0.32) + 0.18 * pulse);
    PlanetStyle planet = WildPlanet(cx, cy, radius);
    planet.spin = 2 * Pi * phase;
    if (effect) planet.atmosphereStrength = 1.2;
    PaintPlanet(cell, planet);
    PlanetLabel(cr, "WILD", cx, cy + (effect ? 30 : 36), 62, Hex(0x4a0a10), effect ? pulse : 0.2 * pulse);
}

}  // namespace

PlanetStyle WildPlanet(double cx, double cy, double radius) {
    PlanetStyle planet;
    planet.cx = cx;
    planet.cy = cy;
    planet.radius = radius;
    planet.tilt = 0.3;
    planet.atmosphere = Hex(0xff7a40);
    planet.atmosphereStrength = 0.85;
    planet.ambient = 0.12;
    planet.light[0] = -0.5;
    planet.light[1] = -0.5;
    planet.surface = RedSurface;
    planet.emission = RedEmission;
    return planet;
}

void DrawSymbolPlanet(Canvas& cell, int sheet, double phase) {
    if (sheet == 10 || sheet == 12)
        BluePlanet(cell, phase, sheet == 12);
    else
        RedPlanet(cell, phase, sheet == 13);
}

}  // namespace forge::art
