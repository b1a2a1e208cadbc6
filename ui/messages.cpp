#include "ui/messages.h"

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "ui/layout.h"

namespace {
constexpr int MessageWidth = 875, MessageHeight = 405;
constexpr int RimOffsets[8][2] = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}, {-2, -2}, {2, -2}, {-2, 2}, {2, 2}};
int64_t gMessagesBuilt = 0;
}  // namespace

int64_t MessagesBuilt() { return gMessagesBuilt; }

void ShowMessage(const std::string& line1, const std::string& line2, const std::string& line3,
                 const std::string& line4, int64_t background, int64_t font1, int64_t font2, int64_t font3,
                 int64_t font4) {
    ++gMessagesBuilt;
    if (!platform::CreateBlankSprite(SpriteMessage, MessageWidth, MessageHeight)) return;
    if (!platform::StartSpriteDrawing(SpriteMessage)) return;
    if (background == 1)
        platform::SpriteDrawImage(ImageMessageBox, 0, 0);
    else
        platform::SpriteFillRect(0, 0, MessageWidth, MessageHeight, 0, 0);
    const std::string* lines[4] = {&line1, &line2, &line3, &line4};
    const int64_t fonts[4] = {font1, font2, font3, font4};
    const int rows[4] = {50, 100, 130, 150};
    for (int k = 0; k < 4; ++k) {
        if (lines[k]->empty()) continue;
        const int font = static_cast<int>(fonts[k]);
        const int width = platform::SystemTextWidth(font, *lines[k]);
        const int x = 220 - width / 2;
        // Without the box picture the text stands straight over the symbols:
        // a dark rim makes it read on any of them.
        if (background != 1)
            for (const auto& offset : RimOffsets)
                platform::SpriteDrawText(font, x + offset[0], rows[k] + offset[1], *lines[k], 0x000000, 170);
        platform::SpriteDrawText(font, x, rows[k], *lines[k], 0xFFFFFF, 255);
    }
    platform::StopSpriteDrawing();
}

void ShowFeatureMessage(const std::string& line1, const std::string& line2, const std::string& line3,
                        const std::string& line4) {
    Game.MessageOverlayOn = 1;
    ShowMessage(line1, line2, line3, line4, 0, SystemFont20, SystemFont20, SystemFont15, SystemFont10);
}

int64_t DrawMessageOverlay(int64_t alpha) {
    const bool wanted = Game.MessageOverlayOn > 0 && Game.SpinFinished == 1 && Game.CurrentWin == 0;
    if (wanted) {
        if (!platform::SpriteExists(SpriteMessage)) Game.MessageOverlayOn = 0;
        if (alpha < 250) alpha += 5;
    } else if (alpha > 0) {
        alpha -= 5;
        if (alpha <= 0) {
            alpha = 0;
            // Only a pending win hides a message that is still wanted: keep its
            // picture so that it shows again once the win is collected. A click
            // or a new spin ends it here.
            const bool hiddenByWin = Game.MessageOverlayOn > 0 && Game.SpinFinished == 1;
            if (!hiddenByWin) platform::FreeSprite(SpriteMessage);
        }
    }
    if (platform::SpriteExists(SpriteMessage)) {
        platform::DrawOptions options;
        options.intensity = static_cast<int>(alpha);
        platform::DrawSprite(SpriteMessage, static_cast<int>(LayoutX(30)), static_cast<int>(LayoutY(30)),
                             options);
    }
    return alpha;
}
