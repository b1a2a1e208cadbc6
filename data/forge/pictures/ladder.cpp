// Sprites 21..37: the risk ladder, 181 x 807, drawn zoomed to 108 x 484.
// Sprite 37 is the frame with sixteen rungs and their values; sprites
// 21..36 each light one rung (0 at the bottom) and are drawn over the frame.
#include <cmath>
#include <string>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

namespace {

constexpr int Width = 181, Height = 807, Rungs = 16;
// Room at the top for the countdown that the game writes there.
constexpr double Header = 40;
constexpr double RungTop = Header + 6, RungBottom = Height - 10;
constexpr double RungPitch = (RungBottom - RungTop) / Rungs;
const char* const kValues[Rungs] = {"0.00", "0.15",  "0.30",  "0.60",  "0.80",  "1.20",  "2.40",   "4.00",
                                    "8.00", "12.00", "20.00", "32.00", "52.00", "84.00", "140.00", "200.00"};

// Top edge of rung `rung` (0 is the lowest).
double RungY(int rung) { return RungBottom - (rung + 1) * RungPitch; }

// The rung colours rise from green through cyan and amber to the red-gold jackpot.
Rgb TierColour(int rung) {
    if (rung == 15) return Hex(0xffc828);
    if (rung >= 12) return Hex(0xff3c8c);
    if (rung >= 8) return Hex(0xff9a20);
    if (rung >= 4) return Hex(0x30d8ff);
    return Hex(0x40f070);
}

void SlotPath(cairo_t* cr, int rung, double inset) {
    const double y = RungY(rung) + 4;
    ChamferedRectangle(cr, 12 + inset, y + inset, Width - 24 - 2 * inset, RungPitch - 8 - 2 * inset, 9);
}

void ValueText(cairo_t* cr, int rung) {
    UseFont(cr, Face::CondensedBold, 31);
    CentredTextPath(cr, kValues[rung], Width / 2.0, RungY(rung) + RungPitch / 2);
}

Picture LadderFrame() {
    Canvas canvas(Width, Height);
    cairo_t* cr = canvas.cr;
    // The body: dark glass with a metal rim.
    RoundedRectangle(cr, 2, 2, Width - 4, Height - 4, 12);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 0, 0, Height);
    AddStop(body, 0, Hex(0x0a1232), 0.94);
    AddStop(body, 1, Hex(0x040818), 0.94);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // The header band for the countdown stays plain and dark.
    RoundedRectangle(cr, 6, 6, Width - 12, Header - 6, 8);
    SetColour(cr, Hex(0x010208), 0.9);
    cairo_fill(cr);
    cairo_move_to(cr, 10, Header + 1);
    cairo_line_to(cr, Width - 10, Header + 1);
    SetColour(cr, TechGlow(), 0.7);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // The rail on each side.
    for (int side = 0; side < 2; ++side) {
        const double x = side ? Width - 8 : 8;
        cairo_pattern_t* rail = cairo_pattern_create_linear(x - 3, 0, x + 3, 0);
        AddStop(rail, 0, Lighten(TechMetal(), -0.6));
        AddStop(rail, 0.5, Lighten(TechMetal(), 0.4));
        AddStop(rail, 1, Lighten(TechMetal(), -0.6));
        cairo_set_source(cr, rail);
        cairo_rectangle(cr, x - 3, Header + 4, 6, Height - Header - 14);
        cairo_fill(cr);
        cairo_pattern_destroy(rail);
    }
    for (int rung = 0; rung < Rungs; ++rung) {
        const Rgb tier = TierColour(rung);
        SlotPath(cr, rung, 0);
        cairo_pattern_t* slot = cairo_pattern_create_linear(0, RungY(rung), 0, RungY(rung) + RungPitch);
        AddStop(slot, 0, Mix(Hex(0x18203c), tier, 0.18));
        AddStop(slot, 1, Mix(Hex(0x080c1c), tier, 0.08));
        cairo_set_source(cr, slot);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(slot);
        SetColour(cr, tier, 0.55);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        ValueText(cr, rung);
        SetColour(cr, Hex(0x000000), 0.8);
        cairo_set_line_width(cr, 3);
        cairo_stroke_preserve(cr);
        SetColour(cr, rung == 15 ? Hex(0xffe490) : Mix(Hex(0xc8d4ee), tier, 0.25));
        cairo_fill(cr);
        // Rung stubs joining the slots to the rails.
        const double y = RungY(rung) + RungPitch / 2;
        SetColour(cr, TechMetal(), 0.6);
        cairo_rectangle(cr, 8, y - 1.5, 5, 3);
        cairo_rectangle(cr, Width - 13, y - 1.5, 5, 3);
        cairo_fill(cr);
    }
    // The jackpot rung wears a crown of stars.
    for (int i = 0; i < 2; ++i)
        Sparkle(cr, i ? Width - 21 : 21, RungY(15) + RungPitch / 2, 10, Hex(0xffe080), 0.9);
    RoundedRectangle(cr, 2, 2, Width - 4, Height - 4, 12);
    SetColour(cr, Hex(0x02040a));
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetColour(cr, TechMetal(), 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    return canvas.ToPicture();
}

Picture LitRung(int rung) {
    Canvas canvas(Width, Height);
    cairo_t* cr = canvas.cr;
    const Rgb tier = TierColour(rung);
    Glow(
        canvas,
        [&](cairo_t* g) {
            SlotPath(g, rung, -2);
            cairo_fill(g);
        },
        tier, 16, 1.6);
    SlotPath(cr, rung, 0);
    cairo_pattern_t* lit = cairo_pattern_create_linear(0, RungY(rung), 0, RungY(rung) + RungPitch);
    AddStop(lit, 0, Lighten(tier, 0.55));
    AddStop(lit, 0.5, tier);
    AddStop(lit, 1, Lighten(tier, -0.35));
    cairo_set_source(cr, lit);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(lit);
    SetColour(cr, {1, 1, 1}, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Gloss over the upper half of the slot.
    cairo_save(cr);
    SlotPath(cr, rung, 2);
    cairo_clip(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, RungY(rung), 0, RungY(rung) + RungPitch / 2);
    AddStop(gloss, 0, {1, 1, 1}, 0.55);
    AddStop(gloss, 1, {1, 1, 1}, 0.05);
    cairo_set_source(cr, gloss);
    cairo_rectangle(cr, 0, RungY(rung), Width, RungPitch / 2);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_restore(cr);
    // Dark lettering reads best on the lit slot.
    ValueText(cr, rung);
    SetColour(cr, {1, 1, 1}, 0.6);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    SetColour(cr, Hex(0x0a0614));
    cairo_fill(cr);
    // Pointer arrows on both sides of the lit rung.
    const double y = RungY(rung) + RungPitch / 2;
    for (int side = 0; side < 2; ++side) {
        const double x = side ? Width - 4 : 4, d = side ? -1 : 1;
        cairo_move_to(cr, x, y - 9);
        cairo_line_to(cr, x + d * 11, y);
        cairo_line_to(cr, x, y + 9);
        cairo_close_path(cr);
        SetColour(cr, Lighten(tier, 0.6));
        cairo_fill(cr);
    }
    return canvas.ToPicture();
}

std::vector<Asset> LadderJob() {
    std::vector<Asset> assets;
    for (int rung = 0; rung < Rungs; ++rung)
        assets.push_back(CataloguePicture("sprite", 21 + rung, 0, LitRung(rung)));
    assets.push_back(CataloguePicture("sprite", 37, 0, LadderFrame()));
    return assets;
}

const JobRegistrar kLadder("ladder", LadderJob);

}  // namespace

}  // namespace forge::art
