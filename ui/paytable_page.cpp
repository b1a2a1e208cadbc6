#include "ui/paytable_page.h"

#include <cstdio>

#include "assets/bitmap_font.h"
#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "ui/layout.h"
#include "ui/messages.h"

namespace {

struct PayEntry {
    float x, y;
    const char* label;
    int k;  // the pay in half-bids
};

// The four pay classes (factor 1, 3, 2 and 20) times three, four and five of a
// kind; "2 x " of the last column is the two-scatter pay, the bid.
constexpr PayEntry kEntries[] = {
    {51, 43, "3 x ", 1},   {51, 45, "4 x ", 4},  {51, 47, "5 x ", 20}, {57, 67, "3 x ", 3},
    {57, 69, "4 x ", 12},  {57, 71, "5 x ", 60}, {75, 54, "3 x ", 2},  {75, 56, "4 x ", 8},
    {75, 58, "5 x ", 40},  {79, 31, "2 x ", 2},  {79, 33, "3 x ", 20}, {79, 35, "4 x ", 80},
    {79, 37, "5 x ", 400},
};

}  // namespace

void DrawPaytablePage() {
    const int64_t now = platform::CurrentDate();
    DrawBitmapText(FontDate, static_cast<float>(LayoutX(3)), static_cast<float>(LayoutY(82)),
                   platform::FormatDate("%yyyy/%mm/%dd", now));
    DrawBitmapText(FontDate, static_cast<float>(LayoutX(3)), static_cast<float>(LayoutY(84)),
                   platform::FormatDate("%hh:%ii:%ss", now));
    for (const PayEntry& entry : kEntries) {
        const float amount = static_cast<float>(Game.Bid) / 2.0f * static_cast<float>(entry.k) / 100.0f;
        char text[48];
        snprintf(text, sizeof text, "%s%.2f P", entry.label, static_cast<double>(amount));
        DrawBitmapText(FontCredits, static_cast<float>(LayoutX(entry.x)),
                       static_cast<float>(LayoutY(entry.y)), text);
    }
}

void ShowAboutMessage() {
    Game.MessageOverlayOn = 1;
    ShowMessage("Nebulor 2 - Dax-Fenno 2026", "Graphics design: Dax-Fenno Studio",
                "Music and sound effects: Dax-Fenno Studio", "Planet pictures: Dax-Fenno Studio", 1, 1, 1, 1,
                1);
    Game.Autoplay = 0;
}
