// Big lettering and banners: the title logo 16, the free-games lettering 20,
// BIGWIN 78, the dark banner bar 80 and the cyan tech frame 81.
#include <cmath>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/space.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

namespace {

enum class Metal { Gold, Chrome };

// Fills the current path as polished metal lettering with a glow behind it.
void MetalLettering(Canvas& canvas, Metal metal, Rgb glow, double glowRadius, double outline) {
    cairo_t* cr = canvas.cr;
    cairo_path_t* path = cairo_copy_path(cr);
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_new_path(cr);
    Glow(
        canvas,
        [&](cairo_t* g) {
            cairo_append_path(g, path);
            cairo_set_line_width(g, outline * 2);
            cairo_stroke_preserve(g);
            cairo_fill(g);
        },
        glow, glowRadius, 1.6);
    cairo_append_path(cr, path);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, metal == Metal::Gold ? Hex(0x2a0a00) : Hex(0x020814));
    cairo_set_line_width(cr, outline * 2);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, y1, 0, y2);
    AddStop(rim, 0, metal == Metal::Gold ? Hex(0xfff0a0) : Hex(0xe0ffff));
    AddStop(rim, 1, metal == Metal::Gold ? Hex(0x8a4a00) : Hex(0x2a6a9a));
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, outline);
    cairo_stroke_preserve(cr);
    cairo_pattern_destroy(rim);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, y1, 0, y2);
    if (metal == Metal::Gold) {
        AddStop(fill, 0.00, Hex(0xfffbe0));
        AddStop(fill, 0.30, Hex(0xffd048));
        AddStop(fill, 0.50, Hex(0xd07a08));
        AddStop(fill, 0.53, Hex(0x8a3a00));
        AddStop(fill, 0.70, Hex(0xffc030));
        AddStop(fill, 1.00, Hex(0xfff0a0));
    } else {
        AddStop(fill, 0.00, Hex(0xffffff));
        AddStop(fill, 0.40, Hex(0x9ad0f0));
        AddStop(fill, 0.50, Hex(0x1a3a60));
        AddStop(fill, 0.54, Hex(0x284c78));
        AddStop(fill, 0.72, Hex(0xc8f4ff));
        AddStop(fill, 1.00, Hex(0x70b8e0));
    }
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    // A highlight along the upper edges.
    cairo_save(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    cairo_translate(cr, -outline * 0.25, -outline * 0.35);
    cairo_append_path(cr, path);
    SetColour(cr, {1, 1, 1}, 0.55);
    cairo_set_line_width(cr, outline * 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_path_destroy(path);
}

// Soft light rays from a point, fading outwards.
void Rays(cairo_t* cr, double cx, double cy, double radius, int count, Rgb colour, double alpha) {
    for (int i = 0; i < count; ++i) {
        const double a = 2 * Pi * i / count, spread = Pi / count * 0.55;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, radius, a - spread, a + spread);
        cairo_close_path(cr);
    }
    cairo_pattern_t* fade = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    AddStop(fade, 0, colour, alpha);
    AddStop(fade, 1, colour, 0);
    cairo_set_source(cr, fade);
    cairo_fill(cr);
    cairo_pattern_destroy(fade);
}

void Sparkles(cairo_t* cr, uint64_t seed, int count, double x0, double y0, double w, double h, Rgb colour) {
    Noise random(seed);
    for (int i = 0; i < count; ++i)
        Sparkle(cr, x0 + random.Unit() * w, y0 + random.Unit() * h, 14 + random.Unit() * 30, colour,
                0.6 + 0.4 * random.Unit());
}

Picture TitleLogo() {
    Canvas canvas(1500, 850);
    cairo_t* cr = canvas.cr;
    RadialLight(cr, 750, 400, 700, Hex(0x3a2aa0), 0.45);
    // An orbit sweeping round the name.
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
    UseFont(cr, Face::SerifBold, 218);
    CentredTextPath(cr, "NEBULOR", 750, 380);
    MetalLettering(canvas, Metal::Chrome, TechGlow(), 30, 9);
    // The "2" rides on a red planet below the name.
    PlanetStyle planet;
    planet.cx = 750;
    planet.cy = 650;
    planet.radius = 105;
    planet.atmosphere = Hex(0xff7040);
    planet.surface = [](double lon, double lat) {
        return Mix(Hex(0x8a1808), Hex(0xe05020), 0.5 + 0.5 * std::sin(lat * 7 + std::sin(lon * 3)));
    };
    PaintPlanet(canvas, planet);
    UseFont(cr, Face::SerifBold, 190);
    CentredTextPath(cr, "2", 750, 650);
    MetalLettering(canvas, Metal::Gold, Hex(0xff8a20), 20, 7);
    Sparkles(cr, 16, 14, 80, 80, 1340, 690, Hex(0xcfeeff));
    return canvas.ToPicture();
}

Picture FreeGames() {
    Canvas canvas(1500, 850);
    cairo_t* cr = canvas.cr;
    Rays(cr, 750, 425, 720, 28, Hex(0xffc040), 0.5);
    RadialLight(cr, 750, 425, 520, Hex(0xff6a20), 0.5);
    UseFont(cr, Face::SerifBold, 230);
    CentredTextPath(cr, "FREE", 750, 290);
    MetalLettering(canvas, Metal::Gold, Hex(0xff5a10), 30, 9);
    CentredTextPath(cr, "GAMES", 750, 560);
    MetalLettering(canvas, Metal::Gold, Hex(0xff5a10), 30, 9);
    Sparkles(cr, 20, 18, 100, 90, 1300, 670, Hex(0xfff0c0));
    return canvas.ToPicture();
}

// BIGWIN keeps to the upper part of its picture: the game lays the banner
// bar with the amount over the lower edge.
Picture BigWin() {
    Canvas canvas(833, 402);
    cairo_t* cr = canvas.cr;
    Rays(cr, 416, 165, 420, 24, Hex(0xffd060), 0.45);
    RadialLight(cr, 416, 165, 330, Hex(0xff3a10), 0.45);
    UseFont(cr, Face::SerifBold, 142);
    CentredTextPath(cr, "BIG WIN", 416, 165);
    MetalLettering(canvas, Metal::Gold, Hex(0xff4010), 24, 8);
    Sparkles(cr, 78, 10, 40, 30, 750, 260, Hex(0xfff0c0));
    FadeEdges(canvas, 24);
    return canvas.ToPicture();
}

Picture BannerBar() {
    Canvas canvas(866, 84);
    cairo_t* cr = canvas.cr;
    auto bar = [](cairo_t* c) {
        cairo_new_path(c);
        cairo_move_to(c, 4, 42);
        cairo_line_to(c, 46, 6);
        cairo_line_to(c, 820, 6);
        cairo_line_to(c, 862, 42);
        cairo_line_to(c, 820, 78);
        cairo_line_to(c, 46, 78);
        cairo_close_path(c);
    };
    bar(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 6, 0, 78);
    AddStop(body, 0, Hex(0x16203e), 0.92);
    AddStop(body, 0.5, Hex(0x04060e), 0.9);
    AddStop(body, 1, Hex(0x101830), 0.92);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    Glow(
        canvas,
        [&](cairo_t* g) {
            bar(g);
            cairo_set_line_width(g, 3);
            cairo_stroke(g);
        },
        TechGlow(), 6, 1.2);
    bar(cr);
    SetColour(cr, Lighten(TechGlow(), 0.3));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int side = 0; side < 2; ++side) Led(cr, side ? 830 : 36, 42, 4, TechGlow());
    return canvas.ToPicture();
}

Picture TechFrame() {
    const int w = 959, h = 414;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr;
    auto outline = [&](cairo_t* c) { ChamferedRectangle(c, 14, 14, w - 28, h - 28, 36); };
    Glow(
        canvas,
        [&](cairo_t* g) {
            outline(g);
            cairo_set_line_width(g, 8);
            cairo_stroke(g);
        },
        TechGlow(), 14, 1.4);
    outline(cr);
    SetColour(cr, Hex(0x02060c));
    cairo_set_line_width(cr, 10);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, 0, 0, h);
    AddStop(metal, 0, Lighten(TechMetal(), 0.6));
    AddStop(metal, 0.5, Lighten(TechMetal(), -0.3));
    AddStop(metal, 1, Lighten(TechMetal(), 0.3));
    cairo_set_source(cr, metal);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    cairo_pattern_destroy(metal);
    ChamferedRectangle(cr, 26, 26, w - 52, h - 52, 28);
    SetColour(cr, TechGlow(), 0.5);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    CornerBrackets(cr, 4, 4, w - 8, h - 8, 70, Lighten(TechGlow(), 0.4), 4);
    for (int i = 0; i < 5; ++i) {
        Led(cr, w / 2.0 - 80 + i * 40, 14, 4, i == 2 ? Hex(0xff60c0) : TechGlow());
        Led(cr, w / 2.0 - 80 + i * 40, h - 14, 4, i == 2 ? Hex(0xff60c0) : TechGlow());
    }
    return canvas.ToPicture();
}

const JobRegistrar kLogo("lettering-logo", [] {
    return std::vector<Asset>{
        PictureAsset("sprite", 16, 0, "a1", SpriteFile(16), TitleLogo(), PngFormat::Rgba8)};
});
const JobRegistrar kFreeGames("lettering-free-games", [] {
    return std::vector<Asset>{
        PictureAsset("sprite", 20, 0, "a3", SpriteFile(20), FreeGames(), PngFormat::Rgba8)};
});
const JobRegistrar kBanners("lettering-banners", [] {
    return std::vector<Asset>{
        PictureAsset("sprite", 78, 0, "bigwin 1", SpriteFile(78), BigWin(), PngFormat::Rgba8),
        PictureAsset("sprite", 80, 0, "bigwin 2", SpriteFile(80), BannerBar(), PngFormat::Rgba8),
        PictureAsset("sprite", 81, 0, "bigwin 3", SpriteFile(81), TechFrame(), PngFormat::Rgba8),
    };
});

}  // namespace

}  // namespace forge::art
