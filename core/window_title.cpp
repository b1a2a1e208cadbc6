#include "core/window_title.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "core/game_state.h"
#include "core/text_table.h"
#include "platform/platform.h"

namespace {

constexpr size_t TitleCapacity = 320;

// The title last handed to the main window by ComposeTitle.
char gShownTitle[TitleCapacity];

// Writes the title into `out` without allocating: amounts either divided by
// 100 in single precision with two decimals, or as whole hundredths.
void FormatTitle(char* out, size_t capacity, bool divided) {
    char points[40], bid[40], win[40];
    auto amount = [divided](char* text, int64_t value) {
        if (divided)
            snprintf(text, 40, "%.2f", static_cast<double>(static_cast<float>(value) / 100.0f));
        else
            snprintf(text, 40, "%" PRId64, value);
    };
    amount(points, Game.Points);
    amount(bid, Game.Bid);
    amount(win, Game.DisplayedWin);
    int used = snprintf(out, capacity, "Nebulor v2.5%s %s P%s%s P%s%s", Text(TextTitlePoints).c_str(), points,
                        Text(TextTitleBid).c_str(), bid, Text(TextTitleProfit).c_str(), win);
    if (Game.GameMode == ModeFreeGames && used > 0 && static_cast<size_t>(used) < capacity)
        snprintf(out + used, capacity - static_cast<size_t>(used), "%s %" PRId64 " von %" PRId64,
                 Text(TextTitleFreeGames).c_str(), Game.FreeGamesPlayed, Game.FreeGamesWon);
}

}  // namespace

std::string TitleText() {
    char title[TitleCapacity];
    FormatTitle(title, sizeof title, true);
    return title;
}

std::string StartupTitleText() {
    char title[TitleCapacity];
    FormatTitle(title, sizeof title, false);
    return title;
}

namespace {

// What the title was last built from: an unchanged title is not formatted again.
struct TitleInputs {
    int64_t points, bid, win, mode, played, won, language;
    bool operator==(const TitleInputs&) const = default;
};
TitleInputs gShownInputs{};
bool gShownInputsValid = false;

}  // namespace

void ComposeTitle() {
    // Looked at every frame, handed to the window system only when it changed.
    const TitleInputs inputs{Game.Points,          Game.Bid,          Game.DisplayedWin, Game.GameMode,
                             Game.FreeGamesPlayed, Game.FreeGamesWon, Game.Language};
    if (gShownInputsValid && inputs == gShownInputs) return;
    gShownInputs = inputs;
    gShownInputsValid = true;
    char title[TitleCapacity];
    FormatTitle(title, sizeof title, true);
    if (strcmp(title, gShownTitle) != 0) {
        memcpy(gShownTitle, title, sizeof title);
        platform::SetWindowTitle(0, title);
    }
}

void ComposeStartupTitle() {
    gShownTitle[0] = '\0';
    gShownInputsValid = false;
    platform::SetWindowTitle(0, StartupTitleText());
}
