// Space scenery for the pictures: seeded gradient noise, nebula backdrops,
// star fields and lit planets rendered pixel by pixel.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "data/forge/pictures/paint.h"

namespace forge::paint {

// Seeded 3-D gradient noise (values about -1..1) and its fractal sums.
struct GradientNoise {
    std::array<uint8_t, 512> permutation{};
    explicit GradientNoise(uint64_t seed);
    double At(double x, double y, double z) const;
    // Sum of `octaves` layers, each twice the frequency and half the amplitude.
    double Fractal(double x, double y, double z, int octaves) const;
    // 1 - |noise| summed: thin bright filaments.
    double Ridged(double x, double y, double z, int octaves) const;
};

// Colours of a nebula backdrop.
struct NebulaStyle {
    Rgb deep = Hex(0x04040e);    // empty space
    Rgb base = Hex(0x1a1650);    // the blue-violet body
    Rgb cloud = Hex(0x6a2ca8);   // violet clouds
    Rgb glow = Hex(0x2aa0d8);    // teal light in the clouds
    Rgb accent = Hex(0xe04898);  // rare magenta cores
    double scale = 1.0;          // feature size multiplier
    double brightness = 1.0;
    uint64_t seed = 1;
};

// Fills the canvas (opaque) with a nebula; `shade` (x, y -> 0..1) darkens
// regions that must stay calm, 1 = full nebula, 0 = deep space only.
void PaintNebula(Canvas& canvas, const NebulaStyle& style,
                 const std::function<double(double, double)>& shade = nullptr);

// Scatters stars: mostly faint points, some bright ones with a glow and rays.
void PaintStars(Canvas& canvas, uint64_t seed, int count, double brightness = 1.0,
                const std::function<double(double, double)>& shade = nullptr);

// A lit sphere. `surface` gives the albedo at (longitude, latitude) in
// radians; light comes from `light` (unit-ish vector, z towards the viewer).
struct PlanetStyle {
    double cx = 0, cy = 0, radius = 10;
    double tilt = 0;  // rotation of the axis in the picture plane (radians)
    double spin = 0;  // longitude offset (radians)
    double light[3] = {-0.55, -0.45, 0.7};
    Rgb atmosphere = Hex(0x60b0ff);
    double atmosphereStrength = 0.8;
    double ambient = 0.06;
    std::function<Rgb(double lon, double lat)> surface;
    std::function<Rgb(double lon, double lat)> emission;  // self-lit parts (lava), optional
};
// Renders the planet over the canvas, with an anti-aliased rim and an
// atmosphere halo reaching 12 % beyond the radius.
void PaintPlanet(Canvas& canvas, const PlanetStyle& style);

// Fractal noise on the unit sphere at (longitude, latitude), so that a
// planet's surface has no seam: `scale` sets the feature size, `offset`
// picks another part of the noise.
double SphereNoise(const GradientNoise& noise, double lon, double lat, double scale, double offset,
                   int octaves);

// Surfaces of the scenery planets (longitude, latitude in radians).
// A violet gas giant with soft bands.
Rgb VioletGiantSurface(double lon, double lat);
// A teal ocean world with pale clouds.
Rgb TealWorldSurface(double lon, double lat);
// A dusty amber moon with dark craters.
Rgb AmberMoonSurface(double lon, double lat);

// A planetary ring seen at an angle, drawn as the half behind (front false)
// or in front of the planet; `flat` is the ellipse's height ratio.
void PaintRingHalf(cairo_t* cr, double cx, double cy, double inner, double outer, double tilt, double flat,
                   bool front, Rgb colour, double alpha);

}  // namespace forge::paint
