#include "ui/game_screen.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "assets/bitmap_font.h"
#include "assets/catalogue_numbers.h"
#include "assets/sound.h"
#include "core/game_state.h"
#include "core/text_table.h"
#include "platform/platform.h"
#include "ui/amount_text.h"
#include "ui/layout.h"
#include "ui/paytable_page.h"

namespace {

void DrawFullScreen(int sprite, bool opaque) {
    platform::DrawOptions options;
    options.width = static_cast<int>(Game.ScreenWidth);
    options.height = static_cast<int>(Game.ScreenHeight);
    options.opaque = opaque;
    platform::DrawSprite(sprite, static_cast<int>(-Game.ShiftX), static_cast<int>(-Game.ShiftY), options);
}

void DrawInfoText(const InfoText& entry) {
    DrawBitmapText(entry.font, entry.x - static_cast<float>(Game.ShiftX),
                   entry.y - static_cast<float>(Game.ShiftY), entry.text, entry.alpha, entry.colour,
                   static_cast<float>(entry.size));
}

// The shown entry changes every 10 seconds, in list order.
void RotateInfoTexts() {
    if (Game.InfoTexts.empty()) return;
    if (Game.InfoTextTimerOn == 0) {
        Game.InfoTextTimerOn = 1;
        Game.InfoTextTimerStart = Game.FrameTime;
    }
    if (Game.FrameTime - Game.InfoTextTimerStart >= 10000) {
        Game.InfoTextTimerOn = 0;
        const int64_t last = static_cast<int64_t>(Game.InfoTexts.size()) - 1;
        Game.InfoTextCurrent = Game.InfoTextCurrent >= last ? 0 : Game.InfoTextCurrent + 1;
    }
}

void DrawTopLine() {
    if (Game.GamePhase == PhasePaytable) {
        Game.InfoTextCurrent = 0;
        if (!Game.InfoTexts.empty()) DrawInfoText(Game.InfoTexts[0]);
    } else if (Game.GameMode == ModeBaseGame) {
        RotateInfoTexts();
        if (Game.InfoTextCurrent >= 0 && Game.InfoTextCurrent < static_cast<int64_t>(Game.InfoTexts.size()))
            DrawInfoText(Game.InfoTexts[static_cast<size_t>(Game.InfoTextCurrent)]);
    } else if (Game.GameMode == ModeFreeGames) {
        char counter[96];
        snprintf(counter, sizeof counter, "%" PRId64 " von %" PRId64 "%s", Game.FreeGamesPlayed,
                 Game.FreeGamesWon, Text(TextTitleFreeGames).c_str());
        DrawBitmapText(FontLarge,
                       0.3f * static_cast<float>(Game.ScreenWidth) - static_cast<float>(Game.ShiftX),
                       0.05f * static_cast<float>(Game.ScreenHeight) - static_cast<float>(Game.ShiftY),
                       counter, 255, 0xFFFFFF, 1.0f);
    }
}

bool CountersShown() {
    switch (Game.GamePhase) {
        case PhaseSpinning:
        case PhaseSettled:
        case PhaseReady:
        case PhaseWildPick:
        case PhaseWheelIdle:
        case PhaseWheelTurning:
        case PhaseWheelStopped: return true;
        default: return false;
    }
}

void DrawCounters() {
    if (Game.FunMode == 1) {
        DrawBitmapText(FontSmall, static_cast<float>(LayoutX(8)), static_cast<float>(LayoutY(86)),
                       Text(TextFunPoints));
        DrawRightAligned(LayoutX(19), LayoutY(90), AmountText(Game.FunPoints), 0, FontSmall);
    } else {
        DrawBitmapText(FontSmall, static_cast<float>(LayoutX(8)), static_cast<float>(LayoutY(86)),
                       Text(TextPointMemory));
        const bool warning = Game.Points <= Game.Bid + Game.ExtraWildCost;
        DrawRightAligned(LayoutX(19), LayoutY(91), AmountText(Game.Points), warning ? 1 : 0, FontSmall);
        // Drawing is where autoplay stops for lack of points.
        if (warning) Game.Autoplay = 0;
    }
    DrawBitmapText(FontSmall, static_cast<float>(LayoutX(27)), static_cast<float>(LayoutY(86)),
                   Text(TextPoints));
    DrawRightAligned(LayoutX(39), LayoutY(91), AmountText(Game.DisplayedWin), 0, FontSmall);
    DrawBitmapText(FontSmall, static_cast<float>(LayoutX(51)), static_cast<float>(LayoutY(86)),
                   Text(TextBet));
    if (Game.ExtraWildOn == 1)
        DrawRightAligned(LayoutX(58.75f), LayoutY(91),
                         AmountText(Game.Bid) + "+" + AmountText(Game.ExtraWildCost), 0, FontSmall);
    else
        DrawRightAligned(LayoutX(55), LayoutY(91), AmountText(Game.Bid), 0, FontSmall);
}

void DrawStatusTexts() {
    auto at = [](float x, float y, int64_t font, TextKey key) {
        DrawBitmapText(font, static_cast<float>(LayoutX(x)), static_cast<float>(LayoutY(y)), Text(key));
    };
    if (Game.Autoplay == 1) at(0, 5, FontSmall, TextAutoplay);
    if (Game.SoundOn == 0) at(0, 3, FontSmall, TextSoundOff);
    if (Game.Points < Game.Bid && Game.MessageOverlayOn == 0 && Game.CurrentWin == 0 &&
        Game.SpinFinished == 1)
        at(15, 40, FontLarge, TextNotEnoughPoints);
}

void DrawLevelPlanets() {
    const float column = Game.GraphicsOn == 0 ? 89.0f : 88.5f;
    auto planet = [](int sprite, float x, float y) {
        platform::DrawSprite(sprite, static_cast<int>(LayoutX(x)), static_cast<int>(LayoutY(y)));
    };
    if (Game.Level >= 2) planet(SpriteLevelIconFirst, 88.5f, 36.5f);
    if (Game.Level == 3) planet(SpriteLevelIconFirst + 1, column, 47.5f);
    if (Game.Level >= 4) planet(SpriteLevelIconFirst + 2, column, 47.5f);
    if (Game.Level == 5) planet(SpriteLevelIconFirst + 3, column, 58);
}

void DrawSideColumn() {
    DrawBitmapText(FontCredits, static_cast<float>(-Game.ShiftX), static_cast<float>(LayoutY(96)),
                   CreditLine(), 255, 0xFFFFFF, 1.0f);
    SetFontSize(FontSmall, 0.8f);
    SetFontColour(FontSmall, 0xFFFFFF);
    char level[32];
    snprintf(level, sizeof level, "Level: %" PRId64, Game.Level);
    DrawBitmapText(FontSmall, static_cast<float>(LayoutX(91)), static_cast<float>(LayoutY(78)), level);
    DrawLevelPlanets();
    const int64_t now = platform::CurrentDate();
    DrawBitmapText(FontSmall, static_cast<float>(LayoutX(91)), static_cast<float>(LayoutY(80)),
                   platform::FormatDate("%yyyy/%mm/%dd", now));
    DrawBitmapText(FontSmall, static_cast<float>(LayoutX(91)), static_cast<float>(LayoutY(82)),
                   platform::FormatDate("%hh:%ii:%ss", now));
}

}  // namespace

const std::string& CreditLine() {
    static const std::string line = "Nebulor 2  \xa9 2026 Dax-Fenno";
    return line;
}

void DrawOutlinedText(int64_t font, float x, float y, const std::string& text, float size) {
    // A dark rim on all sides lets white text read on any picture.
    static constexpr float Offsets[8][2] = {{-2, 0},  {2, 0},  {0, -2}, {0, 2},
                                            {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    const float rim = size < 0.9f ? 0.5f : 1.0f;
    for (const auto& offset : Offsets)
        DrawBitmapText(font, x + offset[0] * rim, y + offset[1] * rim, text, 200, 0x000000, size);
    DrawBitmapText(font, x, y, text, 255, 0xFFFFFF, size);
}

void DrawRightAligned(int64_t x, int64_t y, const std::string& text, int64_t warning, int64_t font) {
    if (text.empty()) return;
    const int64_t width = std::lround(TextWidth(font, text));
    SetFontColour(font, warning ? WarningColour : 0xFFFFFF);
    DrawBitmapText(font, static_cast<float>(x - width), static_cast<float>(y), text);
    SetFontColour(font, 0xFFFFFF);
}

void AdvancePrizeWheel() {
    const int64_t phase = Game.GamePhase;
    if (phase != PhaseWheelIdle && phase != PhaseWheelTurning) return;
    if (Game.TimerGate == 0) {
        Game.TimerGate = 1;
        Game.TickStart = Game.FrameTime;
    }
    const int64_t wait = phase == PhaseWheelTurning ? Game.PrizeDelay : Game.PrizeDelay + 600;
    if (Game.FrameTime - Game.TickStart <= wait) return;
    Game.TimerGate = 0;
    Game.PrizeFrame += 1;
    PlayEffect(SoundWheelTick);
    if (Game.PrizeFrame > 11) {
        Game.PrizeFrame = 0;
        Game.PrizeLaps += 1;
    }
    if (phase != PhaseWheelTurning) return;
    // Five fast turns, then it slows by 20 ms a frame until the target comes round.
    if (Game.PrizeLaps > 4) {
        Game.PrizeDelay += 20;
        if (Game.PrizeLaps >= 5 && Game.PrizeFrame == Game.PrizeTarget) {
            Game.PrizeDelay = 200;
            Game.CurrentWin = Game.PrizeFrame * 100;
            Game.GamePhase = PhaseWheelStopped;
        }
    } else if (Game.PrizeDelay > 40) {
        Game.PrizeDelay -= 5;
    }
}

void DrawLadder() {
    if (Game.LadderOpen != 1 && Game.LadderFinished != 1) return;
    platform::DrawOptions options;
    options.width = static_cast<int>(ScalePercent(181, static_cast<float>(Game.LadderScaleX)));
    options.height = static_cast<int>(ScalePercent(807, static_cast<float>(Game.LadderScaleY)));
    const int x = static_cast<int>(Game.LadderX - Game.ShiftX),
              y = static_cast<int>(Game.LadderY - Game.ShiftY);
    platform::DrawSprite(SpriteLadderFrame, x, y, options);
    const int64_t rung =
        Game.LadderShownRung < 0 ? 0 : (Game.LadderShownRung > 15 ? 15 : Game.LadderShownRung);
    platform::DrawSprite(SpriteLadderRungFirst + static_cast<int>(rung), x, y, options);
    char countdown[48];
    snprintf(countdown, sizeof countdown, "Zeit:%.1f Sek.",
             static_cast<double>(Game.LadderCountdown) / 1000.0);
    DrawOutlinedText(FontSmall, static_cast<float>(x + 4), static_cast<float>(y + 5), countdown, 0.6f);
}

void DrawWildPickHint() {
    if (Game.GamePhase != PhaseWildPick) return;
    DrawBitmapText(FontSmall, static_cast<float>(LayoutX(9)), static_cast<float>(LayoutY(80)),
                   Text(TextChooseWildPositions), 255, 0xFFFFFF, 1.0f);
}

void DrawWheelPrize() {
    if (Game.GamePhase != PhaseWheelStopped) return;
    const std::string text = Text(TextWheelPrize) + AmountText(Game.CurrentWin) + " P";
    // Centred on the wheel's hub, which the full-screen picture puts at (50 %, 47.4 %); the
    // font hangs its line centred on y already.
    const float x = 0.5f * static_cast<float>(Game.ScreenWidth) - TextWidth(FontLarge, text, 1.0f) / 2;
    const float y = 0.474f * static_cast<float>(Game.ScreenHeight);
    DrawOutlinedText(FontLarge, x - static_cast<float>(Game.ShiftX), y - static_cast<float>(Game.ShiftY),
                     text, 1.0f);
}

void DrawGameScreen(float) {
    UpdateWindowShift();
    DrawFullScreen(SpriteBackground, false);
    if (Game.GamePhase == PhasePaytable) {
        DrawFullScreen(SpritePaytablePage, true);
        DrawPaytablePage();
    }
    DrawTopLine();
    SetFontSize(FontSmall, 1.0f);
    if (CountersShown()) DrawCounters();
    DrawStatusTexts();
    if (Game.GamePhase != PhasePaytable) DrawSideColumn();
    if (Game.GamePhase >= PhaseWheelIdle && Game.GamePhase <= PhaseWheelStopped) {
        AdvancePrizeWheel();
        DrawFullScreen(SpriteWheelFrameFirst + static_cast<int>(Game.PrizeFrame % SpriteWheelFrameCount),
                       false);
        DrawWheelPrize();
    }
}
