// Everything the intro movie's frames are put together from, painted once
// before the first frame: the sky, the cloud sheets, the four level planets,
// the reel frame, the symbols and the logo's layers, and the seeded tables
// of stars and motes of light. The frames only place, scale and blend them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "data/forge/intro/bitmap.h"
#include "data/forge/pictures/paint.h"

namespace forge::intro {

// A star of the flight: a place across the camera's axis, a depth (0..1 of
// the field's length), its brightness and tint.
struct Star {
    double x, y, depth, magnitude;
    paint::Rgb tint;
};

// A mote of light that flies from the lit line into the lettering (screen pixels, seconds).
struct Mote {
    double startX, startY, targetX, targetY;
    double bend;  // sideways swing of its path, in parts of its length
    double start, duration;
    double size;
};

// Where the level planets fly: a direction across the axis, how far off the
// axis and how big (world units), and the time they pass the camera.
struct PlanetPath {
    double angle, offset, radius, passTime;
};

constexpr double LogoScale = 0.66;  // the logo's layers are kept at the size they are shown
// The logo's place on the screen: its centre, and where the name flashes.
constexpr double LogoCentreX = 640, LogoCentreY = 378;
constexpr double FlashX = LogoCentreX, FlashY = LogoCentreY - 45 * LogoScale;

struct IntroLayers {
    Mipmap backdrop;                            // deep space with the far nebula and its stars
    Bitmap vignette;                            // the darkened corners laid over every frame
    std::vector<Mipmap> clouds;                 // transparent nebula sheets the camera flies through
    std::array<Mipmap, 4> planets;              // levels 2..5, each centred in its square bitmap
    std::array<double, 4> planetPixelRadius{};  // radius of the planet in levels[0]
    std::array<PlanetPath, 4> planetPaths{};
    Mipmap machine;                          // the reel window and its frame at the game's own size
    std::array<Bitmap, 12> symbols;          // the still symbols, 200 x 160
    std::array<Bitmap, 12> spinningSymbols;  // the same smeared by the spin, 200 x (160 + 2 SpinPad)
    // The logo, layer by layer, at LogoScale.
    Bitmap logoBackLight, logoOrbit, logoName, logoTwo, logoSparkles;
    Bitmap nameLight;              // the name's shape in white light, softly blurred
    Bitmap nameHalo;               // the same, widely blurred
    Bitmap flashLight, flashRays;  // the burst when the name flashes, screen-sized
    Bitmap moteGlow;               // a mote's soft light, as a mask 64 x 64
    std::vector<Star> stars;
    std::vector<Mote> motes;
};

constexpr int SpinPad = 80;  // rows above and below a spinning symbol for its smear

// Paints every layer, spreading the work over `threads` threads.
IntroLayers BuildIntroLayers(int threads);

// Where a logo point (in the logo picture's own pixels) lands on the screen.
inline double LogoScreenX(double logoX) { return LogoCentreX + (logoX - 750) * LogoScale; }
inline double LogoScreenY(double logoY) { return LogoCentreY + (logoY - 425) * LogoScale; }

}  // namespace forge::intro
