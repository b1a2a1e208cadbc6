// Big lettering and banners: the free-games lettering 20, BIGWIN 78, the
// dark banner bar 80 and the cyan tech frame 81 (the title logo 16 has a
// file of its own, title_logo.cpp).
#include <cmath>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/metal_lettering.h"
#include "data/forge/pictures/space.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

namespace {

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

const JobRegistrar kFreeGames("lettering-free-games", [] {
    return std::vector<Asset>{CataloguePicture("sprite", 20, 0, FreeGames())};
});
const JobRegistrar kBanners("lettering-banners", [] {
    return std::vector<Asset>{
        CataloguePicture("sprite", 78, 0, BigWin()),
        CataloguePicture("sprite", 80, 0, BannerBar()),
        CataloguePicture("sprite", 81, 0, TechFrame()),
    };
});

}  // namespace

}  // namespace forge::art
