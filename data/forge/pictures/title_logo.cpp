// Sprite 16, the title logo, painted layer by layer.
#include "data/forge/pictures/title_logo.h"

#include <cmath>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/metal_lettering.h"
#include "data/forge/pictures/space.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

void PaintLogoBackLight(Canvas& canvas) { RadialLight(canvas.cr, 750, 400, 700, Hex(0x3a2aa0), 0.45); }

void PaintLogoOrbit(Canvas& canvas) {
    cairo_t* cr = canvas.cr;
    cairo_save(cr);
    cairo_translate(cr, 750, 420);
    cairo_rotate(cr, -0.12);
    cairo_scale(cr, 1, 0.3);
    cairo_arc(cr, 0, 0, 660, 0, 2 * Pi);
    cairo_restore(cr);
    cairo_path_t* orbit = cairo_copy_path(cr);
    cairo_new_path(cr);
    Glow(
        canvas,
        [&](cairo_t* g) {
            cairo_append_path(g, orbit);
            cairo_set_line_width(g, 10);
            cairo_stroke(g);
        },
        TechGlow(), 18, 1.5);
    cairo_append_path(cr, orbit);
    SetColour(cr, Hex(0xcff8ff), 0.9);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_path_destroy(orbit);
}

void LogoNamePath(cairo_t* cr) {
    UseFont(cr, Face::SerifBold, 218);
    CentredTextPath(cr, "NEBULOR", 750, 380);
}

void PaintLogoName(Canvas& canvas) {
    LogoNamePath(canvas.cr);
    MetalLettering(canvas, Metal::Chrome, TechGlow(), 30, 9);
}

void PaintLogoTwo(Canvas& canvas) {
    PlanetStyle planet;
    planet.cx = 750;
    planet.cy = 650;
    planet.radius = 105;
    planet.atmosphere = Hex(0xff7040);
    planet.surface = [](double lon, double lat) {
        return Mix(Hex(0x8a1808), Hex(0xe05020), 0.5 + 0.5 * std::sin(lat * 7 + std::sin(lon * 3)));
    };
    PaintPlanet(canvas, planet);
    UseFont(canvas.cr, Face::SerifBold, 190);
    CentredTextPath(canvas.cr, "2", 750, 650);
    MetalLettering(canvas, Metal::Gold, Hex(0xff8a20), 20, 7);
}

void PaintLogoSparkles(Canvas& canvas) { Sparkles(canvas.cr, 16, 14, 80, 80, 1340, 690, Hex(0xcfeeff)); }

Picture TitleLogo() {
    Canvas canvas(LogoWidth, LogoHeight);
    PaintLogoBackLight(canvas);
    PaintLogoOrbit(canvas);
    PaintLogoName(canvas);
    PaintLogoTwo(canvas);  // the "2" rides on a red planet below the name
    PaintLogoSparkles(canvas);
    return canvas.ToPicture();
}

namespace {

const JobRegistrar kLogo("lettering-logo",
                         [] { return std::vector<Asset>{CataloguePicture("sprite", 16, 0, TitleLogo())}; });

}  // namespace

}  // namespace forge::art
