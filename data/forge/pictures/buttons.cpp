// Sprites 38..54: glossy capsule buttons, 174 x 66 (BACK 226 x 66). The
// highlighted variants are brighter; the red ones (inactive SPIN, active
// Extra Wild) are unmistakably red.
#include <string>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

namespace {

enum class Look { Normal, Highlighted, Red };

struct ButtonLook {
    int sprite;
    const char* text;
    Look look;
    bool small;  // drawn at half size on screen: larger lettering
};

const ButtonLook kButtons[] = {
    {40, "SPIN", Look::Normal, false},
    {41, "SPIN", Look::Highlighted, false},
    {42, "SPIN", Look::Red, false},
    {38, "Extra Wild", Look::Normal, true},
    {39, "Extra Wild", Look::Red, true},
    {43, "Paytable", Look::Normal, true},
    {44, "Paytable", Look::Highlighted, true},
    {47, "GAMBLE", Look::Normal, false},
    {48, "GAMBLE", Look::Highlighted, false},
    {49, "TAKE", Look::Normal, false},
    {50, "TAKE", Look::Highlighted, false},
    {45, "BACK", Look::Normal, false},
    {46, "BACK", Look::Highlighted, false},
    {51, "Minigame", Look::Normal, true},
    {52, "Minigame", Look::Highlighted, true},
    {53, "Info", Look::Normal, true},
    {54, "Info", Look::Highlighted, true},
};

struct Palette {
    Rgb top, bottom, rim, glow;
};

Palette PaletteOf(Look look) {
    switch (look) {
        case Look::Highlighted: return {Hex(0x7ce4ff), Hex(0x1268c8), Hex(0xe8ffff), Hex(0x50e8ff)};
        case Look::Red: return {Hex(0xff6a5a), Hex(0x8a0610), Hex(0xffd0c8), Hex(0xff3020)};
        default: return {Hex(0x3a8ae8), Hex(0x0a2470), Hex(0xa8d0f0), Hex(0x2a7cff)};
    }
}

Picture Button(const ButtonLook& button) {
    const int width = button.sprite == 45 || button.sprite == 46 ? 226 : 174, height = 66;
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr;
    const Palette p = PaletteOf(button.look);
    const double x = 4, y = 4, w = width - 8, h = height - 8, r = h / 2;
    const double glowStrength = button.look == Look::Highlighted ? 1.6 : button.look == Look::Red ? 1.0 : 0.5;
    Glow(
        canvas,
        [&](cairo_t* g) {
            RoundedRectangle(g, x, y, w, h, r);
            cairo_fill(g);
        },
        p.glow, 6, glowStrength);
    // Chrome rim.
    RoundedRectangle(cr, x, y, w, h, r);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(rim, 0, Lighten(p.rim, 0.6));
    AddStop(rim, 0.5, Lighten(p.rim, -0.55));
    AddStop(rim, 1, p.rim);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    // Body.
    RoundedRectangle(cr, x + 3.5, y + 3.5, w - 7, h - 7, r - 3.5);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(body, 0, p.top);
    AddStop(body, 0.55, Mix(p.top, p.bottom, 0.7));
    AddStop(body, 1, p.bottom);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Light pooled at the bottom, gloss on top.
    cairo_save(cr);
    RoundedRectangle(cr, x + 3.5, y + 3.5, w - 7, h - 7, r - 3.5);
    cairo_clip(cr);
    cairo_save(cr);
    cairo_translate(cr, width / 2.0, y + h);
    cairo_scale(cr, w / 2, h / 2.2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(cr);
    cairo_pattern_t* pool = cairo_pattern_create_radial(width / 2.0, y + h, 0, width / 2.0, y + h, w / 2);
    AddStop(pool, 0, Lighten(p.glow, 0.3), 0.55);
    AddStop(pool, 1, p.glow, 0);
    cairo_set_source(cr, pool);
    cairo_fill(cr);
    cairo_pattern_destroy(pool);
    RoundedRectangle(cr, x + 9, y + 5, w - 18, h * 0.42, r * 0.6);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, y + 5, 0, y + 5 + h * 0.42);
    AddStop(gloss, 0, {1, 1, 1}, 0.6);
    AddStop(gloss, 1, {1, 1, 1}, 0.06);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_restore(cr);
    // Lettering: white with a dark edge; half-size buttons get bigger letters.
    const double size = FitFontSize(cr, Face::CondensedBold, button.text, button.small ? 34 : 32,
                                    w - (button.small ? 30 : 36));
    UseFont(cr, Face::CondensedBold, size);
    CentredTextPath(cr, button.text, width / 2.0, height / 2.0 + 1);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, Lighten(p.bottom, -0.6), 0.9);
    cairo_set_line_width(cr, button.small ? 5 : 4);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* letters =
        cairo_pattern_create_linear(0, height / 2.0 - size / 2, 0, height / 2.0 + size / 2);
    AddStop(letters, 0, {1, 1, 1});
    AddStop(letters, 1, button.look == Look::Red ? Hex(0xffe0d8) : Hex(0xd8f0ff));
    cairo_set_source(cr, letters);
    cairo_fill(cr);
    cairo_pattern_destroy(letters);
    return canvas.ToPicture();
}

std::vector<Asset> ButtonsJob() {
    std::vector<Asset> assets;
    for (const ButtonLook& button : kButtons)
        assets.push_back(CataloguePicture("sprite", button.sprite, 0, Button(button)));
    return assets;
}

const JobRegistrar kButtonsJob("buttons", ButtonsJob);

}  // namespace

}  // namespace forge::art
