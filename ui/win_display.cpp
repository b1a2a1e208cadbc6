#include "ui/win_display.h"

#include <cmath>

#include "assets/bitmap_font.h"
#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "core/particles.h"
#include "platform/platform.h"
#include "slot/win_presentation.h"
#include "ui/amount_text.h"
#include "ui/line_frame.h"

namespace {

// One drifting sparkle a frame while fewer than 50 particles are alive.
void AddAmbientSparkle() {
    const float width = static_cast<float>(Game.ScreenWidth), height = static_cast<float>(Game.ScreenHeight);
    // The draws happen in this order, whatever order the arguments take.
    const int64_t alpha = std::lround(RandomBetween(100, 255));
    const int64_t blueEnd = RandomIntBetween(0, 200), greenEnd = RandomIntBetween(0, 200),
                  redEnd = RandomIntBetween(0, 200);
    const int64_t blue = RandomIntBetween(0, 200), green = RandomIntBetween(0, 200),
                  red = RandomIntBetween(0, 200);
    const float sizeEnd = RandomBetween(0.2f, 10), sizeStart = RandomBetween(0.2f, 5);
    const float vy = RandomBetween(-50, 50), vx = RandomBetween(-50, 50);
    const float y = RandomBetween(0, height), x = RandomBetween(0, width);
    AddParticle(10, 50, SpriteSparkle, SpriteSparkle, x, y, vx, vy, 0, sizeStart, sizeEnd, red, green, blue,
                redEnd, greenEnd, blueEnd, 0, 0, alpha);
}

void DrawBigWinBanner() {
    const float width = static_cast<float>(Game.ScreenWidth), height = static_cast<float>(Game.ScreenHeight);
    platform::DrawOptions lettering;
    lettering.intensity = static_cast<int>(std::min<int64_t>(Game.BigWinAlpha, 255));
    platform::DrawSprite(SpriteBigWinLettering, static_cast<int>(std::lround(0.2f * width)),
                         static_cast<int>(std::lround(0.4f * height)), lettering);

    if (Game.CurrentWin == Game.BigWinAmount || Game.CurrentWin == 0) {
        // The count-up has arrived: fade out, then the big win ends.
        if (Game.BigWinAlpha > 0) {
            Game.BigWinAlpha -= 4;
            if (Game.BigWinAlpha <= 0) {
                Game.BigWinAlpha = 0;
                if (Game.CurrentWin > 0) {
                    Game.DisplayedWin = Game.CurrentWin;
                } else if (Game.BigWinAmount > 0) {
                    Game.CurrentWin = Game.BigWinAmount;
                    Game.DisplayedWin = Game.CurrentWin;
                }
                Game.BigWinAmount = 0;
                Game.BigWinActive = 0;
            }
        }
    } else if (Game.BigWinAlpha < 255) {
        Game.BigWinAlpha += 8;
    }

    for (int i = 0; i < 51; ++i) {
        const float life = RandomBetween(0.3f, 1.0f);
        const float x = RandomBetween(0.21f * width, 0.21f * width + 650);
        const float y = RandomBetween(0.4f * height, 0.4f * height + 100);
        const float vx = RandomBetween(-50, 50), vy = RandomBetween(-50, 50);
        const float sizeStart = RandomBetween(0, 1), sizeEnd = RandomBetween(0, 20);
        AddParticle(life, 5000, SpriteSparkle, SpriteSparkle, x, y, vx, vy, 0, sizeStart, sizeEnd, 131, 209,
                    212, 255, 255, 255, 0, 0, Game.BigWinAlpha);
    }
    platform::SetSpriteQuality(1);
    platform::SetSpriteBlending(6, 7);
    platform::DrawOptions bar;
    bar.intensity = lettering.intensity;
    platform::DrawSprite(SpriteBigWinBar, static_cast<int>(std::lround(0.15f * width)),
                         static_cast<int>(std::lround(0.85f * height)), bar);
    DrawBitmapText(FontLarge, 0.3f * width, 0.9f * height, "WIN:", Game.BigWinAlpha, 0xFFFFFF);
    DrawBitmapText(FontLarge, 0.45f * width, 0.9f * height, AmountText(Game.BigWinAmount), Game.BigWinAlpha,
                   0xFF0000);
}

}  // namespace

void DrawWinDisplay(float) {
    Game.ParticleBlendSource = 6;
    Game.ParticleBlendDest = 1;
    if (Game.PaylineDemoRunning) {
        StepPaylineDemo();
        DrawPaylineDemoLine();
    }
    if (Game.AmbientSparklesOn == 1) AddAmbientSparkle();
    if (Game.BigWinActive == 1) DrawBigWinBanner();
}
