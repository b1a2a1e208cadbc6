#include "ui/messages.h"

#include "core/game_state.h"
#include "platform/platform.h"
#include "ui/layout.h"

namespace {
constexpr int MessageSprite = 72;
constexpr int MessageImage = 57;
constexpr int MessageWidth = 875, MessageHeight = 405;
constexpr int RimOffsets[8][2] = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}, {-2, -2}, {2, -2}, {-2, 2}, {2, 2}};
}  // namespace

void ShowMessage(const std::string& line1, const std::string& line2, const std::string& line3,
                 const std::string& line4, int64_t background, int64_t font1, int64_t font2, int64_t font3,
                 int64_t font4) {
    if (!platform::CreateBlankSprite(MessageSprite, MessageWidth, MessageHeight)) return;
    if (!platform::StartSpriteDrawing(MessageSprite)) return;
    if (background == 1)
        platform::SpriteDrawImage(MessageImage, 0, 0);
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
    ShowMessage(line1, line2, line3, line4, 0, 3, 3, 2, 1);
}

int64_t DrawMessageOverlay(int64_t alpha) {
    const bool wanted = Game.MessageOverlayOn > 0 && Game.SpinFinished == 1 && Game.CurrentWin == 0;
    if (wanted) {
        if (!platform::SpriteExists(MessageSprite)) Game.MessageOverlayOn = 0;
        if (alpha < 250) alpha += 5;
    } else if (alpha > 0) {
        alpha -= 5;
        if (alpha <= 0) {
            alpha = 0;
            // Only a pending win hides a message that is still wanted: keep its
            // picture so that it shows again once the win is collected. A click
            // or a new spin ends it here.
            const bool hiddenByWin = Game.MessageOverlayOn > 0 && Game.SpinFinished == 1;
            if (!hiddenByWin) platform::FreeSprite(MessageSprite);
        }
    }
    if (platform::SpriteExists(MessageSprite)) {
        platform::DrawOptions options;
        options.intensity = static_cast<int>(alpha);
        platform::DrawSprite(MessageSprite, static_cast<int>(LayoutX(30)), static_cast<int>(LayoutY(30)), options);
    }
    return alpha;
}

void DrawCellFrame(int64_t cell, int64_t red, int64_t green, int64_t blue) {
    // The same pixels as a transparent cell-sized picture with a 5-pixel frame
    // set in by 5, drawn as four rectangles so that no picture is made per frame.
    const int x = static_cast<int>(CellX(cell) - Game.ShiftX);
    const int y = static_cast<int>(CellY(cell) - Game.ShiftY);
    const int w = static_cast<int>(Game.CellWidth), h = static_cast<int>(Game.CellHeight);
    const uint32_t rgb = static_cast<uint32_t>(((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF));
    platform::DrawScreenRect(x + 5, y + 5, w - 10, 5, rgb, 255);
    platform::DrawScreenRect(x + 5, y + 5, 5, h - 10, rgb, 255);
    platform::DrawScreenRect(x + w - 10, y + 5, 5, h - 10, rgb, 255);
    platform::DrawScreenRect(x + 5, y + h - 10, w - 10, 5, rgb, 255);
}
