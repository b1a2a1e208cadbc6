#include "ui/mouse_input.h"

#include "assets/catalogue_numbers.h"
#include "assets/sound.h"
#include "core/game_state.h"
#include "core/window_events.h"
#include "platform/platform.h"
#include "slot/features.h"
#include "slot/risk_ladder.h"
#include "slot/stake.h"
#include "slot/win_presentation.h"
#include "ui/buttons.h"
#include "ui/layout.h"
#include "ui/paytable_page.h"

namespace {

constexpr int64_t StartGuardMs = 300;

bool AllEntriesPresented() {
    for (const Payline& entry : Game.WinLines)
        if (entry.presented == 0) return false;
    return true;
}

bool PresentationAtLastEntry() {
    return Game.WinLines.empty() || Game.WinLineCurrent == static_cast<int64_t>(Game.WinLines.size()) - 1;
}

// The wheel game ends: back to the settled phase and its music stops.
void LeaveWheel() {
    Game.GamePhase = PhaseSettled;
    StopMusic(SoundWheelMusic);
}

void StartWheelTurning(int64_t target) {
    Game.PrizeTarget = target;
    Game.GamePhase = PhaseWheelTurning;
    Game.PrizeDelay = 200;
    Game.PrizeLaps = 0;
}

void CaptureOrReleasePointer() {
    const int64_t wx = platform::WindowMouseX(0), wy = platform::WindowMouseY(0);
    if (wx > 0 && wx < Game.ScreenWidth - 1 && wy > 0 && wy < Game.ScreenHeight - 1 &&
        Game.MouseCaptured == 0) {
        platform::ReleaseMouse(false);
        platform::MouseLocate(static_cast<int>(wx), static_cast<int>(wy));
        Game.MouseCaptured = 1;
    }
    // Pushing the pointer against an edge of the screen gives it back to the desktop.
    const int64_t mx = platform::MouseX(), my = platform::MouseY();
    const bool onBorder = mx == 0 || my == 0 || mx == Game.ScreenWidth - 1 || my == Game.ScreenHeight - 1;
    if (onBorder && Game.MouseCaptured == 1) {
        platform::ReleaseMouse(true);
        Game.MouseCaptured = 0;
    }
}

// Returns false when the frame's mouse handling ends here.
bool AutoplayStep() {
    if (!(Game.Autoplay == 1 && AutoplayTick(Game.FrameTime) && PresentationAtLastEntry())) return true;
    if (!AllEntriesPresented()) return false;
    platform::Delay(10);
    if ((Game.GamePhase == PhaseSpinning || Game.GamePhase == PhaseSettled) && Game.RespinPending == 0 &&
        !Game.RespinAnimations.empty())
        Game.RespinAnimations.clear();
    if (Game.CurrentWin > 0) {
        RequestSpin(true);  // collects
        if (Game.GamePhase == PhaseWheelStopped) LeaveWheel();
    } else if (Game.GamePhase == PhaseWheelIdle) {
        StartWheelTurning(platform::Random(11));
    } else {
        if (Game.GamePhase == PhaseWheelTurning) LeaveWheel();
        Game.LadderFinished = 0;
        Game.CountUpRunning = 0;
        RequestSpin(true);
    }
    return true;
}

void StartOrTakeClick() {
    if (Game.CurrentWin > 0 && Game.CountUpRunning == 0) {
        RequestSpin(false);  // collects
        if (Game.GamePhase == PhaseWheelStopped) LeaveWheel();
    } else if (Game.GamePhase == PhaseWheelIdle) {
        Game.Autoplay = 0;
        int64_t target = 0;
        while (target == 0) target = platform::Random(11);
        StartWheelTurning(target);
    } else {
        Game.Autoplay = 0;
        // A turning wheel is abandoned without a prize; a stopped wheel without
        // a prize to collect is left too, so the game never stays on it.
        if (Game.GamePhase == PhaseWheelTurning || Game.GamePhase == PhaseWheelStopped) LeaveWheel();
        Game.LadderFinished = 0;
        Game.TimerGate = 0;
        RequestSpin(false);
    }
}

void DispatchClick() {
    if (Game.FunMode == 1 && Game.GamePhase == PhaseWildPick && Game.FunWildPicks != 3) PickWildPosition();
    if (Game.MessageOverlayOn > 0 && Game.CurrentWin == 0) Game.MessageOverlayOn = 0;
    Game.WinDisplayBlocked = 0;
    if (Game.PaylineDemoRunning) EndPaylineDemo();
    if (MouseIn(buttons::Info)) ShowAboutMessage();
    if (Game.LadderOpen == 0) {
        const int64_t phase = Game.GamePhase;
        const bool afterSpin = phase == PhaseSettled || phase == PhaseReady;
        if (MouseIn(buttons::Back) && phase == PhasePaytable) {
            Game.GamePhase = PhaseSettled;
            Game.Autoplay = 0;
            Game.InfoTextCurrent = 0;
        }
        if (MouseInUnshiftedX(buttons::DailyClick) && Game.DailyAvailable == 1 && afterSpin &&
            Game.CurrentWin == 0) {
            Game.Autoplay = 0;
            Game.GamePhase = PhaseWheelIdle;
            Game.PrizeFrame = 0;
            Game.DailyAvailable = 0;
            Game.LastDailyDate = platform::FormatDate("%yyyy/%mm/%dd", platform::CurrentDate());
            PlayMusic(SoundWheelMusic, platform::SoundLoop | platform::SoundMultiChannel);
        }
        if (MouseIn(buttons::PaytableClick) && afterSpin && Game.BigWinActive == 0 && Game.CurrentWin == 0) {
            Game.GamePhase = PhasePaytable;
            Game.Autoplay = 0;
        }
        if (MouseIn(buttons::Risk) && afterSpin && Game.RiskLadderOffered == 1 && Game.CountUpRunning == 0 &&
            Game.GameMode == ModeBaseGame && Game.BigWinActive == 0)
            StartRisk();
        // Just after START stopped meaning TAKE or collect, a press on it was
        // meant for what it was: it must not buy a spin.
        if (MouseIn(buttons::Start) && Game.FrameTime - Game.StartMeaningChanged >= StartGuardMs)
            StartOrTakeClick();
        if (MouseIn(buttons::ExtraWild) && Game.GameMode == ModeBaseGame) ToggleExtraWild();
        if (MouseIn(buttons::Bet)) {
            Game.Autoplay = 0;
            if (Game.GameMode == ModeBaseGame &&
                (Game.GamePhase == PhaseSettled || Game.GamePhase == PhaseReady))
                ChangeBet();
        }
    }
    // A click on GAMBLE that opened the ladder also takes the first step.
    if (Game.LadderOpen == 1) {
        Game.Autoplay = 0;
        if (MouseIn(buttons::LadderTake)) TakeRisk();
        if (MouseIn(buttons::Risk)) RiskStep();
    }
}

}  // namespace

void HandleMouse() {
    CaptureOrReleasePointer();
    if (!AutoplayStep()) return;
    if (!platform::ExamineMouse()) return;
    const bool down = platform::MouseButtonLeft();
    if (!down && Game.MouseWasDown == 1) Game.MouseWasDown = 0;
    if (down && Game.MouseWasDown == 0) {
        // A click counts on the frame the button goes down; holding it does not repeat.
        Game.MouseWasDown = 1;
        // The second press of a double-click on the autoplay button belongs to
        // the double-click: as a start click it would undo the toggle.
        if (platform::MouseDoubleClickPress() && DoubleClickTogglesAutoplay()) return;
        const int64_t autoplay = Game.Autoplay;
        DispatchClick();
        // Only a press on the autoplay button can be the first of a double-click on it.
        if (autoplay == 1 && Game.Autoplay == 0 && OnAutoplayButton(platform::MouseX(), platform::MouseY()))
            Game.AutoplayStoppedByPress = Game.FrameTime;
    } else if (Game.LadderOpen == 1) {
        TickRisk();
    }
}

void PickWildPosition() {
    const int64_t mx = platform::MouseX(), my = platform::MouseY();
    for (int64_t i = 0; i < CellCount; ++i) {
        const int64_t left = CellX(i) - Game.ShiftX, top = CellY(i) - Game.ShiftY;
        // The hit rectangles are 250 x 200 on a 200 x 160 pitch: the lowest unmarked cell wins.
        if (mx > left && mx < left + 250 && my > top && my < top + 200 &&
            Game.ExtraWildMap[static_cast<size_t>(i)] == 0) {
            PickWild(i);
            break;
        }
    }
    for (int64_t i = 0; i < CellCount; ++i) {
        auto& marked = Game.ExtraWildMap[static_cast<size_t>(i)];
        if (Game.FunWildPicks > 3 && marked == 1) {
            marked = 0;
            Game.FunWildPicks -= 1;
        }
        if (marked == 1) {
            SpriteAnimation marker;
            marker.sprite = 13;
            // Kept in design pixels like every sheet record: the drawing applies the shift.
            marker.x = CellX(i);
            marker.y = CellY(i);
            marker.startTime = Game.EffectTimestamp;
            marker.frameDuration = 40;
            marker.frameCount = 25;
            marker.columns = 5;
            marker.frameWidth = Game.CellWidth;
            marker.frameHeight = Game.CellHeight;
            Game.SymbolAnimations.push_back(marker);
        }
    }
}
