// Small pictures: the level icons 82..85, the mouse pointer 55, the
// particles 73..77 and the tech panel 14 (also sprite 87).
#include <cmath>
#include <string>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/icon_art.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

int LevelIconHeight(int level) {
    static const int heights[] = {73, 72, 70, 69};
    return heights[level - 2];
}

namespace {

// A glossy glowing sphere.
void Orb(Canvas& icon, double cx, double cy, double r, Rgb colour) {
    cairo_t* cr = icon.cr;
    Glow(
        icon,
        [&](cairo_t* g) {
            cairo_arc(g, cx, cy, r, 0, 2 * Pi);
            cairo_fill(g);
        },
        colour, 8, 1.4);
    cairo_arc(cr, cx, cy, r, 0, 2 * Pi);
    cairo_pattern_t* body = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r);
    AddStop(body, 0, Lighten(colour, 0.55));
    AddStop(body, 0.55, colour);
    AddStop(body, 1, Lighten(colour, -0.65));
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    cairo_arc(cr, cx, cy, r - 0.8, 0, 2 * Pi);
    SetColour(cr, Lighten(colour, 0.6), 0.8);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy - r * 0.45);
    cairo_scale(cr, r * 0.62, r * 0.36);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, cy - r * 0.8, 0, cy - r * 0.1);
    AddStop(gloss, 0, {1, 1, 1}, 0.65);
    AddStop(gloss, 1, {1, 1, 1}, 0.0);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
}

// White mark with a dark edge over an orb.
void Mark(cairo_t* cr) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, Hex(0x000000), 0.7);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke_preserve(cr);
    SetColour(cr, Hex(0xffffff));
    cairo_fill(cr);
}

// A curved arrow along a circle, from a0 to a1, with its head at a1.
void CircleArrow(cairo_t* cr, double cx, double cy, double r, double a0, double a1) {
    const double w = 3.2;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r + w, a0, a1);
    const double hx = cx + r * std::cos(a1), hy = cy + r * std::sin(a1);
    const double tx = -std::sin(a1), ty = std::cos(a1);  // direction of travel
    cairo_line_to(cr, hx + std::cos(a1) * (w + 5), hy + std::sin(a1) * (w + 5));
    cairo_line_to(cr, hx + tx * 9, hy + ty * 9);
    cairo_line_to(cr, hx - std::cos(a1) * (w + 5), hy - std::sin(a1) * (w + 5));
    cairo_arc_negative(cr, cx, cy, r - w, a1, a0);
    cairo_close_path(cr);
}

}  // namespace

void RenderLevelIcon(Canvas& icon, int level) {
    const double cx = icon.width / 2.0, cy = icon.height / 2.0, r = icon.height / 2.0 - 7;
    Orb(icon, cx, cy, r, LevelIconColour(level));
    cairo_t* cr = icon.cr;
    switch (level) {
        case 2:
            CircleArrow(cr, cx, cy, r * 0.55, -Pi * 0.95, -Pi * 0.05);
            Mark(cr);
            CircleArrow(cr, cx, cy, r * 0.55, Pi * 0.05, Pi * 0.95);
            Mark(cr);
            break;
        case 3:
            UseFont(cr, Face::SansBold, 38);
            CentredTextPath(cr, "W", cx, cy + 1);
            Mark(cr);
            break;
        case 4:
            UseFont(cr, Face::SerifBold, 32);
            CentredTextPath(cr, "W", cx, cy + 1);
            Mark(cr);
            // Arrows up and down: the wild grows over its reel.
            for (int d = -1; d <= 1; d += 2) {
                const double tip = cy + d * (r - 2), base = cy + d * (r - 11);
                cairo_move_to(cr, cx - 7, base);
                cairo_line_to(cr, cx, tip);
                cairo_line_to(cr, cx + 7, base);
                cairo_close_path(cr);
                Mark(cr);
            }
            break;
        default:
            UseFont(cr, Face::SansBold, 30);
            CentredTextPath(cr, "x2", cx, cy + 1);
            Mark(cr);
            break;
    }
}

namespace {

Picture Pointer() {
    Canvas canvas(40, 40);
    cairo_t* cr = canvas.cr;
    // The tip sits at the top-left pixel: the game draws the pointer there.
    auto arrow = [](cairo_t* c) {
        cairo_new_path(c);
        cairo_move_to(c, 1.2, 1.2);
        cairo_line_to(c, 1.2, 29);
        cairo_line_to(c, 8.5, 22.5);
        cairo_line_to(c, 14, 34.5);
        cairo_line_to(c, 19.5, 32);
        cairo_line_to(c, 14, 20.5);
        cairo_line_to(c, 24, 20.5);
        cairo_close_path(c);
    };
    Glow(
        canvas,
        [&](cairo_t* g) {
            arrow(g);
            cairo_fill(g);
        },
        TechGlow(), 4, 0.9);
    arrow(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 16, 30);
    AddStop(fill, 0, Hex(0xffffff));
    AddStop(fill, 1, Hex(0x8ae4ff));
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColour(cr, Hex(0x041020));
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
    return canvas.ToPicture();
}

// White particles (the game tints them): 73 soft dot, 74 dot with a bright
// core, 75 four-pointed star, 76 ring, 77 small spark.
Picture Particle(int number) {
    Canvas canvas(32, 32);
    cairo_t* cr = canvas.cr;
    const Rgb white{1, 1, 1};
    auto radial = [&](std::initializer_list<std::pair<double, double>> stops) {
        cairo_pattern_t* p = cairo_pattern_create_radial(16, 16, 0, 16, 16, 16);
        for (const auto& [offset, alpha] : stops) AddStop(p, offset, white, alpha);
        cairo_set_source(cr, p);
        cairo_paint(cr);
        cairo_pattern_destroy(p);
    };
    switch (number) {
        case 73: radial({{0, 0.9}, {0.4, 0.45}, {0.75, 0.1}, {1, 0}}); break;
        case 74: radial({{0, 1}, {0.18, 0.9}, {0.45, 0.35}, {0.8, 0.06}, {1, 0}}); break;
        case 75:
            radial({{0, 0.8}, {0.2, 0.3}, {0.45, 0}});
            Sparkle(cr, 16, 16, 15.5, white, 1);
            break;
        case 76: radial({{0, 0}, {0.45, 0.15}, {0.68, 0.9}, {0.82, 0.3}, {1, 0}}); break;
        default: radial({{0, 1}, {0.12, 1}, {0.2, 0.5}, {0.5, 0.12}, {1, 0}}); break;
    }
    return canvas.ToPicture();
}

// A reel-cell sized panel of dark glass over a faint hexagon grid.
Picture TechPanel() {
    Canvas canvas(200, 160);
    cairo_t* cr = canvas.cr;
    GlassPanel(cr, 4, 4, 192, 152, 16, TechGlow(), 0.88);
    cairo_save(cr);
    ChamferedRectangle(cr, 8, 8, 184, 144, 13);
    cairo_clip(cr);
    const double size = 12, dx = size * std::sqrt(3.0);
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < 10; ++col) {
            const double x = col * dx + (row % 2) * dx / 2, y = row * size * 1.5;
            PolygonPath(cr, x, y, size - 1.5, 6, -Pi / 2);
        }
    SetColour(cr, TechGlow(), 0.09);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_pattern_t* light = cairo_pattern_create_radial(100, 80, 10, 100, 80, 110);
    AddStop(light, 0, TechGlow(), 0.16);
    AddStop(light, 1, TechGlow(), 0);
    cairo_set_source(cr, light);
    cairo_paint(cr);
    cairo_pattern_destroy(light);
    cairo_restore(cr);
    CornerBrackets(cr, 10, 10, 180, 140, 18, Lighten(TechGlow(), 0.3), 2.5, 0.9);
    for (int i = 0; i < 3; ++i) Led(cr, 82 + i * 18, 146, 2.2, i == 1 ? Hex(0xff60c0) : TechGlow());
    return canvas.ToPicture();
}

std::vector<Asset> IconsJob() {
    std::vector<Asset> assets;
    for (int level = 2; level <= 5; ++level) {
        Canvas icon(91, LevelIconHeight(level));
        RenderLevelIcon(icon, level);
        assets.push_back(CataloguePicture("sprite", 80 + level, 0, icon.ToPicture()));
    }
    assets.push_back(CataloguePicture("sprite", 55, 0, Pointer()));
    for (int number = 73; number <= 77; ++number)
        assets.push_back(CataloguePicture("sprite", number, 0, Particle(number)));
    // Sprites 14 and 87 are two sprites of one picture: same file, two entries.
    const Picture panel = TechPanel();
    assets.push_back(CataloguePicture("sprite", 14, 0, panel));
    assets.push_back(CataloguePicture("sprite", 87, 0, panel));
    return assets;
}

const JobRegistrar kIcons("icons", IconsJob);

}  // namespace

}  // namespace forge::art
