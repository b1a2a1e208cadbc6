// Image 57, the dark red message box, and the 400 x 200 loading picture.
#include <cmath>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/space.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

namespace {

// The game centres the message lines on x = 220 at y = 50..150, so the text
// panel is the left half; a red planet fills the right half.
Picture MessageBox() {
    const int w = 875, h = 405;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr;
    RoundedRectangle(cr, 3, 3, w - 6, h - 6, 28);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 0, 0, h);
    AddStop(body, 0, Hex(0x5a0e1c), 0.96);
    AddStop(body, 0.5, Hex(0x2e0610), 0.96);
    AddStop(body, 1, Hex(0x16020a), 0.97);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Nebula haze and stars on the right, behind the planet.
    cairo_save(cr);
    RoundedRectangle(cr, 3, 3, w - 6, h - 6, 28);
    cairo_clip(cr);
    RadialLight(cr, 690, 190, 330, Hex(0xff3a50), 0.35);
    RadialLight(cr, 760, 320, 200, Hex(0xa02a90), 0.3);
    Noise random(5757);
    for (int i = 0; i < 70; ++i) {
        const double x = 450 + random.Unit() * 420, y = 10 + random.Unit() * 385, m = random.Unit();
        if (m > 0.93)
            Sparkle(cr, x, y, 10 + 12 * m, Hex(0xffe0e8), 0.8);
        else
            RadialLight(cr, x, y, 1.5 + 3 * m, Hex(0xffe8f0), 0.5 + 0.4 * m);
    }
    cairo_restore(cr);
    PaintRingHalf(cr, 680, 215, 150, 230, -0.35, 0.22, false, Hex(0xffb0a0), 0.75);
    PlanetStyle planet;
    planet.cx = 680;
    planet.cy = 215;
    planet.radius = 118;
    planet.light[0] = -0.65;
    planet.light[1] = -0.5;
    planet.atmosphere = Hex(0xff8060);
    planet.surface = [](double lon, double lat) {
        return Mix(Hex(0x7a1410), Hex(0xe86a3a),
                   0.5 + 0.5 * std::sin(lat * 9 + 1.5 * std::sin(lon * 2 + lat * 3)));
    };
    PaintPlanet(canvas, planet);
    PaintRingHalf(cr, 680, 215, 150, 230, -0.35, 0.22, true, Hex(0xffb0a0), 0.85);
    // The text panel.
    GlassPanel(cr, 18, 22, 404, 196, 16, Hex(0xff7a8a), 0.55);
    cairo_move_to(cr, 60, 250);
    cairo_line_to(cr, 380, 250);
    SetColour(cr, Hex(0xff8a90), 0.45);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    UseFont(cr, Face::CondensedBold, 30);
    SetColour(cr, Hex(0xffc0c8), 0.35);
    CentredTextPath(cr, "NEBULOR 2", 220, 290);
    cairo_fill(cr);
    // Rim: a bright inner line inside a darker metal edge.
    RoundedRectangle(cr, 3, 3, w - 6, h - 6, 28);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, 0, 0, h);
    AddStop(rim, 0, Hex(0xffb0b8));
    AddStop(rim, 0.5, Hex(0x8a1a28));
    AddStop(rim, 1, Hex(0xd86070));
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    RoundedRectangle(cr, 10, 10, w - 20, h - 20, 22);
    SetColour(cr, Hex(0xff7080), 0.4);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    return canvas.ToPicture();
}

// The loading window: the game writes "Nebulor" at (110, 80) in its large
// font and "ESC - SKIP" at (170, 180); both sit on calm dark space.
Picture LoadingPicture() {
    const int w = 400, h = 200;
    Canvas canvas(w, h);
    NebulaStyle style;
    style.seed = 400;
    style.scale = 0.5;
    style.brightness = 0.9;
    PaintNebula(canvas, style, [](double x, double y) {
        const double dx = (x - 220) / 160, dy = (y - 90) / 70;
        return 0.35 + 0.65 * SmoothStep(0.6, 1.3, std::sqrt(dx * dx + dy * dy));
    });
    PaintStars(canvas, 401, 120, 0.9);
    cairo_t* cr = canvas.cr;
    PlanetStyle planet;
    planet.cx = 395;
    planet.cy = 35;
    planet.radius = 70;
    planet.light[0] = -0.8;
    planet.light[1] = 0.4;
    planet.atmosphere = Hex(0xb890ff);
    planet.surface = VioletGiantSurface;
    PaintPlanet(canvas, planet);
    // A glowing rule under the name and a frame round the window.
    cairo_pattern_t* rule = cairo_pattern_create_linear(60, 0, 340, 0);
    AddStop(rule, 0, TechGlow(), 0);
    AddStop(rule, 0.5, Lighten(TechGlow(), 0.4), 0.9);
    AddStop(rule, 1, TechGlow(), 0);
    cairo_set_source(cr, rule);
    cairo_rectangle(cr, 60, 140, 280, 2);
    cairo_fill(cr);
    cairo_pattern_destroy(rule);
    BevelFrame(cr, 0, 0, w, h, 6, TechMetal());
    CornerBrackets(cr, 10, 10, w - 20, h - 20, 16, Lighten(TechGlow(), 0.3), 2);
    return canvas.ToPicture();
}

const JobRegistrar kMessagePictures("message-pictures", [] {
    return std::vector<Asset>{
        CataloguePicture("image", 57, 0, MessageBox()),
        CataloguePicture("picture", 0, 0, LoadingPicture()),
    };
});

}  // namespace

}  // namespace forge::art
