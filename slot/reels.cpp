#include "slot/reels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "assets/catalogue_numbers.h"
#include "assets/sound.h"
#include "core/account_keeper.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "slot/cell_effects.h"
#include "slot/features.h"
#include "slot/paylines.h"
#include "slot/reel_strips.h"
#include "slot/win_presentation.h"

namespace {

// Sets the motion of a reel that travels `stops` stops from where it rests.
void LaunchReel(ReelState& reel, double tau, int64_t stops) {
    reel.spinning = 1;
    reel.tau = tau;
    reel.startTime = platform::ElapsedMilliseconds();
    reel.distance = stops * ReelStep();
    reel.targetOffset = reel.restOffset - reel.distance;
    reel.duration = std::llround(2.0 * tau * std::log(static_cast<double>(reel.distance - 1)));
}

bool AnyReelSpinning() {
    return std::any_of(Game.Reels.begin(), Game.Reels.end(),
                       [](const ReelState& reel) { return reel.spinning == 1; });
}

void StopReel(int64_t r) {
    ReelState& reel = Game.Reels[r];
    reel.spinning = 0;
    reel.restOffset = reel.targetOffset;
    reel.displayOffset = reel.targetOffset;
    const bool respinActive = Game.Level > 1 && Game.GameMode == ModeBaseGame && Game.FunMode == 0;
    for (int64_t row = 0; row < RowCount; ++row) {
        const int64_t cell = r * RowCount + row;
        if (ReelSymbol(r, reel.restOffset, row) != SymbolScatter || Game.ExtraWildMap[cell] != 0) continue;
        PlayEffect(SoundScatterLanding);
        if (!respinActive) continue;
        Game.ScattersLanded += 1;
        reel.held = 1;
        // The second scatter sends the reels to its right round once more.
        if (Game.ScattersLanded == 2 && r < ReelCount - 1 && Game.RespinPending == 0) {
            for (int64_t right = r + 1; right < ReelCount; ++right) Game.Reels[right].respinRequest = 1;
            Game.RespinPending = 1;
        }
    }
    Game.RespinRunning = Game.RespinPending;
    Game.AllReelsStopped = AnyReelSpinning() ? 0 : 1;
}

void FinishSpin() {
    Game.SpinFinished = 1;
    Game.RespinPending = 0;
    StopEffect(SoundRespin);
    Game.RespinRunning = 0;
    Game.GamePhase = PhaseSettled;
    CaptureGrid();
    EvaluateWindow();
    NoteSpinOutcome();
}

}  // namespace

void EvaluateWindow() {
    ApplyLevelWilds(Game.Level);
    EvaluateLines();
    ApplyScatterOutcome();
}

void PrepareSpin() {
    EndPaylineDemo();
    Game.Paylines = PaylineCount;
    Game.WinLines.clear();
    Game.WinLineCurrent = -1;
    Game.LineCycleOn = 0;
    Game.SymbolAnimations.clear();
    Game.FreeGameAnimations.clear();
    Game.RespinAnimations.clear();
    Game.PickMarkers.clear();
    // The pause of the free-game effects ends with them.
    Game.TimerGate = 0;
    if (Game.FunMode == 1) Game.FunWildPicks = 0;
    Game.WinCellMap.fill(0);
    Game.WildOverlayAlpha = 0;
    // Sticky wilds stay from one free game to the next.
    if (Game.GameMode == ModeBaseGame || Game.Level > 2) Game.ExtraWildMap.fill(0);
}

namespace {

// How many stops reel `r` travels: 20 + 10 r and a random 0..9, or after the
// developer key S, on the first two reels the shortest travel from 20 + 10 r
// on that brings a scatter into view.
int64_t Travel(int64_t r, const ReelState& reel) {
    const int64_t least = 10 * r + 20;
    if (Game.DeveloperScatters == 1 && r < 2)
        for (int64_t extra = 0; extra < StripLength; ++extra)
            for (int64_t row = 0; row < 3; ++row)
                if (ReelSymbol(r, reel.restOffset - (least + extra) * ReelStep(), row) == SymbolScatter)
                    return least + extra;
    return least + platform::CryptRandom(10);
}

}  // namespace

void StartSpin() {
    Game.RespinPending = 0;
    Game.RespinDone = 0;
    Game.ScattersLanded = 0;
    Game.SpinLevel = Game.Level;
    SpinMusic();
    for (int64_t r = 0; r < ReelCount; ++r) {
        ReelState& reel = Game.Reels[r];
        LaunchReel(reel, 30.0 * static_cast<double>(r) + 70.0, Travel(r, reel));
        reel.alpha = 255;
        reel.held = 0;
        reel.respinRequest = 0;
    }
    Game.DeveloperScatters = 0;
}

void UpdateReels() {
    if (Game.GamePhase != PhaseSpinning) return;
    Game.AllReelsStopped = 0;
    for (int64_t r = 0; r < ReelCount; ++r) {
        ReelState& reel = Game.Reels[r];
        if (reel.spinning == 0) {
            reel.displayOffset = reel.restOffset;
            continue;
        }
        const int64_t e = Game.FrameTime - reel.startTime;
        const double duration = static_cast<double>(std::max<int64_t>(reel.duration, 1));
        // Dims to 50 at half time and brightens again.
        reel.alpha = static_cast<float>(
            (std::cos(2.0 * std::numbers::pi / duration * static_cast<double>(e)) + 1.0) * 102.5 + 50.0);
        if (e >= reel.duration - (reel.duration / 100) * 5) {
            StopReel(r);
            continue;
        }
        const double x = -(static_cast<double>(e) - static_cast<double>(reel.duration / 2)) / reel.tau;
        reel.displayOffset = static_cast<int64_t>(std::floor(
            static_cast<double>(reel.restOffset) - static_cast<double>(reel.distance) / (std::exp(x) + 1.0)));
    }
    // A spin whose reels all rest (however it got there) is over.
    if (Game.AllReelsStopped == 1 || !AnyReelSpinning()) {
        Game.AllReelsStopped = 0;
        if (Game.RespinPending == 1 && Game.RespinDone == 0 && Game.ScattersLanded == 2) {
            StartRespin();
        } else {
            Game.RespinPending = 0;
            FinishSpin();
        }
    }
}

void StartRespin() {
    for (ReelState& reel : Game.Reels)
        if (reel.respinRequest == 1 && reel.held == 1) reel.respinRequest = 0;
    Game.RespinDone = 1;
    Game.RespinAnimations.clear();
    for (int64_t r = 0; r < ReelCount; ++r) {
        ReelState& reel = Game.Reels[r];
        if (reel.respinRequest != 1) continue;
        AddCellAnimation(Game.RespinAnimations, SpriteRespinSheet, r * RowCount, 70, 9);
        LaunchReel(reel, 30.0 * static_cast<double>(r) + 50.0, 10 * r + platform::CryptRandom(5) + 10);
    }
}

int64_t ReelStopTime(int64_t reel) {
    const ReelState& state = Game.Reels[reel];
    if (state.spinning == 0) return state.startTime;
    return state.startTime + state.duration - (state.duration / 100) * 5;
}
