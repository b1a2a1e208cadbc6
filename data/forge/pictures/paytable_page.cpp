// Sprite 19: the paytable page, German (variant 0) and English (variant 1).
// The game writes the amounts at fixed places; the page puts a picture of
// each symbol on a panel just left of them, with the title, the rules, a
// diagram of the ten paylines and a legend of the level features.
#include <cmath>
#include <string>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/icon_art.h"
#include "data/forge/pictures/screen_map.h"
#include "data/forge/pictures/space.h"
#include "data/forge/pictures/symbol_art.h"
#include "data/forge/pictures/tech.h"

namespace forge::art {

using namespace paint;

namespace {

struct PageTexts {
    const char* title;
    const char* subtitle;
    const char* rulesHeading;
    const char* rules[6];
    const char* linesHeading;
    const char* levelsHeading;
    const char* levels[4];
};

const PageTexts kGerman = {
    "GEWINNTABELLE",
    "Gewinne in Punkten beim aktuellen Einsatz",
    "SPIELREGELN",
    {"Gewinne zählen auf 10 Linien von links nach rechts, ab 3 gleichen Symbolen.",
     "WILD ersetzt jedes Symbol.", "2 Scatter zahlen den Einsatz und bringen dich ein Level höher.",
     "3, 4 oder 5 Scatter: 10, 20 oder 30 Freispiele. Jedes Wild bleibt bis zum Ende der Freispiele stehen.",
     "Extra Wild: doppelter Einsatz, der Scatter zählt auch als Wild.",
     "GAMBLE: Riskiere deinen Gewinn auf der Leiter, bis zum Jackpot von 200.00 P."},
    "GEWINNLINIEN",
    "LEVEL-FEATURES",
    {"Respin", "Random Wild", "Expanding Wild", "Gewinne x2"},
};

const PageTexts kEnglish = {
    "PAYTABLE",
    "Wins in points at the current bet",
    "RULES",
    {"Wins count on 10 lines from left to right, from 3 equal symbols.", "WILD substitutes for every symbol.",
     "2 scatters pay the bet and take you up one level.",
     "3, 4 or 5 scatters: 10, 20 or 30 free games. Every wild sticks until the free games end.",
     "Extra Wild: double stake, the scatter also counts as a wild.",
     "GAMBLE: risk your win on the ladder, up to the 200.00 P jackpot."},
    "PAYLINES",
    "LEVEL FEATURES",
    {"Respin", "Random Wild", "Expanding Wild", "Wins x2"},
};

// Rows (0 top) of the ten paylines on reels 1..5, and their colours.
const int kLineRows[10][5] = {{0, 0, 0, 0, 0}, {1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}, {0, 1, 2, 1, 0},
                              {2, 1, 0, 1, 2}, {1, 2, 2, 2, 1}, {1, 0, 0, 0, 1}, {2, 2, 1, 0, 0},
                              {0, 0, 1, 2, 2}, {2, 1, 1, 1, 0}};
const uint32_t kLineColours[10] = {0xffffff, 0x00b7c0, 0xa3401a, 0xa6261f, 0x741694,
                                   0x9c8e14, 0x2d9f1a, 0x2b5fa3, 0x5340b2, 0xa43870};

// A panel of symbols whose amounts the game writes from screen x `amountX`,
// rows between screen y `top` and `bottom`. Symbols sit right-aligned left of the amounts.
struct PayGroup {
    int symbols[4];
    int count;
    double amountX, top, bottom;  // screen pixels
    double scale;                 // symbol size on screen relative to a reel cell
};

const PayGroup kGroups[4] = {
    {{10, 11}, 2, PercentX(79), PercentY(31), PercentY(37), 0.52},
    {{0, 1, 2, 3}, 4, PercentX(51), PercentY(43), PercentY(47), 0.4},
    {{6, 7, 8, 9}, 4, PercentX(75), PercentY(54), PercentY(58), 0.4},
    {{4, 5}, 2, PercentX(57), PercentY(67), PercentY(71), 0.5},
};

void DrawGroup(Canvas& page, const PayGroup& group) {
    cairo_t* cr = page.cr;
    const double cellW = CellWidth * group.scale, cellH = CellHeight * group.scale;
    const double middle = (group.top + group.bottom) / 2 + 1;
    const double left = group.amountX - 16 - group.count * cellW;
    const double panelTop = std::min(middle - cellH / 2, group.top - 14) - 6;
    const double panelBottom = std::max(middle + cellH / 2, group.bottom + 14) + 6;
    const double panelRight = group.amountX + 150;
    GlassPanel(cr, PicX(left - 12), PicY(panelTop), PicX(panelRight) - PicX(left - 12),
               PicY(panelBottom) - PicY(panelTop), 12, TechGlow(), 0.88);
    // A faint divider between the pictures and the amounts.
    cairo_move_to(cr, PicX(group.amountX - 8), PicY(panelTop + 8));
    cairo_line_to(cr, PicX(group.amountX - 8), PicY(panelBottom - 8));
    SetColour(cr, TechGlow(), 0.35);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int i = 0; i < group.count; ++i) {
        Canvas cell(CellWidth, CellHeight);
        RenderSymbol(cell, group.symbols[i], 0.0);
        PaintCanvas(cr, cell, PicX(left + i * cellW), PicY(middle - cellH / 2), PicX(group.scale * 1.0));
    }
}

void Title(Canvas& page, const PageTexts& texts) {
    cairo_t* cr = page.cr;
    UseFont(cr, Face::SerifBold, 66);
    CentredTextPath(cr, texts.title, FullWidth / 2.0, PicY(122));
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);
    Glow(
        page,
        [&](cairo_t* g) {
            cairo_append_path(g, path);
            cairo_fill(g);
        },
        TechGlow(), 18, 1.2);
    cairo_append_path(cr, path);
    SetColour(cr, Hex(0x020814));
    cairo_set_line_width(cr, 6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* chrome = cairo_pattern_create_linear(0, PicY(122) - 26, 0, PicY(122) + 26);
    AddStop(chrome, 0, Hex(0xffffff));
    AddStop(chrome, 0.45, Hex(0x9ac8e8));
    AddStop(chrome, 0.52, Hex(0x2a4a70));
    AddStop(chrome, 0.7, Hex(0xc8f0ff));
    AddStop(chrome, 1, Hex(0x6ab0d8));
    cairo_set_source(cr, chrome);
    cairo_fill(cr);
    cairo_pattern_destroy(chrome);
    cairo_path_destroy(path);
    UseFont(cr, Face::Condensed, 24);
    const TextBox box = MeasureInk(cr, texts.subtitle);
    SetColour(cr, Hex(0xb8dcf0));
    cairo_move_to(cr, FullWidth / 2.0 - box.advance / 2, PicY(160));
    cairo_show_text(cr, texts.subtitle);
    // Thin rules either side of the subtitle.
    for (int side = 0; side < 2; ++side) {
        const double x = FullWidth / 2.0 + (side ? 1 : -1) * (box.advance / 2 + 20);
        cairo_move_to(cr, x, PicY(160) - 8);
        cairo_line_to(cr, x + (side ? 1 : -1) * 140, PicY(160) - 8);
        SetColour(cr, TechGlow(), 0.6);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void Heading(cairo_t* cr, const char* text, double x, double y) {
    UseFont(cr, Face::CondensedBold, 25);
    SetColour(cr, Hex(0x60e8ff));
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text);
    const TextBox box = MeasureInk(cr, text);
    cairo_move_to(cr, x, y + 7);
    cairo_line_to(cr, x + box.advance + 30, y + 7);
    SetColour(cr, TechGlow(), 0.5);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// The rules on the left, above the clock and the back button.
void Rules(Canvas& page, const PageTexts& texts) {
    cairo_t* cr = page.cr;
    const double x = PicX(26), y = PicY(186), w = PicX(300) - x, h = PicY(598) - y;
    GlassPanel(cr, x, y, w, h, 14, TechGlow(), 0.85);
    Heading(cr, texts.rulesHeading, x + 20, y + 40);
    double line = y + 78;
    for (const char* rule : texts.rules) {
        Sparkle(cr, x + 24, line - 7, 9, TechGlow(), 0.9);
        UseFont(cr, Face::Condensed, 19.5);
        SetColour(cr, Hex(0xe4ecff));
        line = FillParagraph(cr, rule, x + 38, line, w - 52, 23) + 9;
    }
}

void Paylines(Canvas& page, const PageTexts& texts) {
    cairo_t* cr = page.cr;
    const double x = PicX(900), y = PicY(486), w = PicX(1266) - x, h = PicY(650) - y;
    GlassPanel(cr, x, y, w, h, 14, TechGlow(), 0.85);
    Heading(cr, texts.linesHeading, x + 20, y + 34);
    const double cell = 14, gridW = cell * 5, gridH = cell * 3;
    for (int line = 0; line < 10; ++line) {
        const double gx = x + 26 + (line % 5) * (gridW + 16), gy = y + 62 + (line / 5) * (gridH + 34);
        for (int reel = 0; reel < 5; ++reel)
            for (int row = 0; row < 3; ++row) {
                cairo_rectangle(cr, gx + reel * cell + 1, gy + row * cell + 1, cell - 2, cell - 2);
                SetColour(cr, Hex(0x1c2a50), 0.9);
                cairo_fill(cr);
            }
        const Rgb colour = Lighten(Hex(kLineColours[line]), 0.2);
        cairo_new_path(cr);
        for (int reel = 0; reel < 5; ++reel)
            cairo_line_to(cr, gx + (reel + 0.5) * cell, gy + (kLineRows[line][reel] + 0.5) * cell);
        SetColour(cr, colour);
        cairo_set_line_width(cr, 3.5);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        UseFont(cr, Face::CondensedBold, 17);
        const std::string number = std::to_string(line + 1);
        SetColour(cr, Hex(0xc8d8f0));
        cairo_move_to(cr, gx + gridW / 2 - MeasureInk(cr, number).advance / 2, gy + gridH + 18);
        cairo_show_text(cr, number.c_str());
    }
}

// The level features along the bottom, each with its icon.
void Levels(Canvas& page, const PageTexts& texts) {
    cairo_t* cr = page.cr;
    const double x = PicX(330), y = PicY(664), w = PicX(1266) - x, h = PicY(748) - y;
    GlassPanel(cr, x, y, w, h, 14, TechGlow(), 0.85);
    UseFont(cr, Face::CondensedBold, 22);
    SetColour(cr, Hex(0x60e8ff));
    cairo_move_to(cr, x + 20, y + h / 2 + 8);
    cairo_show_text(cr, texts.levelsHeading);
    const double start = x + 205, slot = (w - 210) / 4;
    for (int level = 2; level <= 5; ++level) {
        const double sx = start + (level - 2) * slot;
        Canvas icon(91, LevelIconHeight(level));
        RenderLevelIcon(icon, level);
        PaintCanvas(cr, icon, sx, y + h / 2 - icon.height * 0.45, 0.9);
        UseFont(cr, Face::CondensedBold, 19);
        SetColour(cr, Hex(0x9ab8e0));
        cairo_move_to(cr, sx + 86, y + h / 2 - 6);
        cairo_show_text(cr, ("Level " + std::to_string(level)).c_str());
        FitFontSize(cr, Face::CondensedBold, texts.levels[level - 2], 22, slot - 96);
        SetColour(cr, Hex(0xffffff));
        cairo_move_to(cr, sx + 86, y + h / 2 + 20);
        cairo_show_text(cr, texts.levels[level - 2]);
    }
}

Picture Page(const PageTexts& texts) {
    Canvas page(FullWidth, FullHeight);
    NebulaStyle style;
    style.seed = 19;
    style.brightness = 0.75;
    PaintNebula(page, style);
    PaintStars(page, 1919, 700, 0.8);
    // A quiet left edge for the clock and the back button.
    cairo_pattern_t* calm = cairo_pattern_create_linear(0, 0, PicX(320), 0);
    AddStop(calm, 0, Hex(0x000000), 0.45);
    AddStop(calm, 1, Hex(0x000000), 0);
    cairo_set_source(page.cr, calm);
    cairo_paint(page.cr);
    cairo_pattern_destroy(calm);
    Title(page, texts);
    Rules(page, texts);
    for (const PayGroup& group : kGroups) DrawGroup(page, group);
    Paylines(page, texts);
    Levels(page, texts);
    return page.ToPicture();
}

const JobRegistrar kGermanPage("paytable-de", [] {
    return std::vector<Asset>{CataloguePicture("sprite", 19, 0, Page(kGerman))};
});
const JobRegistrar kEnglishPage("paytable-en", [] {
    return std::vector<Asset>{CataloguePicture("sprite", 19, 1, Page(kEnglish))};
});

}  // namespace

}  // namespace forge::art
