// The title logo, sprite 16: "NEBULOR" in chrome on a glowing orbit, the "2"
// in gold on a red planet. Its layers can be painted one by one (the intro
// movie lets them form out of light); painted in this order onto one canvas
// they give the sprite.
#pragma once

#include "data/forge/pictures/paint.h"

namespace forge::art {

constexpr int LogoWidth = 1500, LogoHeight = 850;

// Each paints one layer onto a LogoWidth x LogoHeight canvas.
// The blue-violet light behind everything.
void PaintLogoBackLight(paint::Canvas& canvas);
// The orbit sweeping round the name, with its glow.
void PaintLogoOrbit(paint::Canvas& canvas);
// "NEBULOR" in chrome.
void PaintLogoName(paint::Canvas& canvas);
// Adds the outline of the letters of "NEBULOR" to the current path (and sets their font).
void LogoNamePath(cairo_t* cr);
// The red planet and the gold "2" on it.
void PaintLogoTwo(paint::Canvas& canvas);
// The sparkles around the logo.
void PaintLogoSparkles(paint::Canvas& canvas);

// The whole logo, as sprite 16 shows it.
Picture TitleLogo();

}  // namespace forge::art
