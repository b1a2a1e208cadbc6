#include "ui/control_panel.h"

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "ui/buttons.h"
#include "ui/layout.h"

namespace {

struct Button {
    int normal;
    int hover;  // -1: none
    int width, height;
    float x, y;  // drawn at (x %, y %)
};

constexpr Button kStart{SpriteSpinPlain, SpriteSpinLit, 140, 50, 65, 88};
constexpr Button kStartInactive{SpriteSpinRed, -1, 140, 50, 65, 88};
constexpr Button kTake{SpriteTakePlain, SpriteTakeLit, 140, 50, 65, 87};
constexpr Button kRisk{SpriteGamblePlain, SpriteGambleLit, 140, 50, 78, 87};
constexpr Button kPaytable{SpritePaytablePlain, SpritePaytableLit, 85, 33, 7, 9};
constexpr Button kDaily{SpriteMinigamePlain, SpriteMinigameLit, 85, 33, 14, 9};
constexpr Button kInfo{SpriteInfoPlain, SpriteInfoLit, 85, 33, 93, 1};

// The pictures say what they show: BACK is drawn plain and lit on hover,
// Extra Wild plain while off and red while active.

void DrawAt(int sprite, int x, int y, int width, int height) {
    platform::DrawOptions options;
    if (width > 0) {
        options.width = width;
        options.height = height;
    }
    platform::DrawSprite(sprite, x, y, options);
}

// A button and, while the mouse is over its hover rectangle, its hover picture.
void Draw(const Button& button, const PercentRect* hover, bool unshiftedX = false) {
    const int x = static_cast<int>(unshiftedX ? ScalePercent(Game.ScreenWidth, button.x) : LayoutX(button.x));
    const int y = static_cast<int>(LayoutY(button.y));
    DrawAt(button.normal, x, y, button.width, button.height);
    if (button.hover >= 0 && hover && (unshiftedX ? MouseInUnshiftedX(*hover) : MouseIn(*hover)))
        DrawAt(button.hover, x, y, button.width, button.height);
}

}  // namespace

bool MouseIn(const PercentRect& rect) {
    return InPercentRect(platform::MouseX(), platform::MouseY(), rect.x1, rect.x2, rect.y1, rect.y2);
}

bool MouseInUnshiftedX(const PercentRect& rect) {
    const int64_t mx = platform::MouseX(), my = platform::MouseY();
    return ScalePercent(Game.ScreenWidth, rect.x1) <= mx && mx <= ScalePercent(Game.ScreenWidth, rect.x2) &&
           LayoutY(rect.y1) <= my && my <= LayoutY(rect.y2);
}

void DrawControlPanel() {
    if (Game.GamePhase == PhasePaytable) {
        // The back button is drawn at its own size: the plain picture, and the
        // highlighted one while the pointer is over it.
        const int x = static_cast<int>(LayoutX(4)), y = static_cast<int>(LayoutY(87));
        DrawAt(SpriteBackPlain, x, y, -1, -1);
        if (MouseIn(buttons::Back)) DrawAt(SpriteBackLit, x, y, -1, -1);
        return;
    }
    const bool offerRisk = (Game.CurrentWin > 0 || Game.LadderOpen == 1) && Game.RiskLadderOffered == 1 &&
                           Game.CountUpRunning == 0 && Game.BigWinActive == 0;
    if (offerRisk) {
        if (Game.GamePhase != PhaseWheelStopped && Game.CurrentWin < 15000 && Game.GameMode == ModeBaseGame)
            Draw(kRisk, &buttons::Risk);
        Draw(kTake, &buttons::Start);
    } else if (Game.RiskLadderOffered == 0 && Game.CurrentWin > 0) {
        Draw(kTake, &buttons::Start);
    } else if (Game.GamePhase == PhaseSpinning || Game.GamePhase == PhaseWheelTurning) {
        Draw(kStartInactive, nullptr);
    } else {
        Draw(kStart, &buttons::Start);
    }
    const int64_t phase = Game.GamePhase;
    if ((phase == PhaseSettled || phase == PhaseReady || phase == PhaseWildPick) && Game.DailyAvailable == 1)
        Draw(kDaily, &buttons::DailyHover, true);
    Draw(kInfo, &buttons::Info);
    if ((Game.DisplayedWin == 0 && phase == PhaseSettled) || phase == PhaseReady || phase == PhaseWildPick) {
        if (Game.GameMode == ModeBaseGame) {
            platform::DrawOptions options;
            options.width = 85;
            options.height = 33;
            platform::DrawSprite(Game.ExtraWildOn ? SpriteExtraWildActive : SpriteExtraWildPlain,
                                 static_cast<int>(LayoutX(83)), static_cast<int>(LayoutY(9)), options);
        }
        Draw(kPaytable, &buttons::PaytableHover);
    }
}
