#include "slot/stake.h"

#include <algorithm>

#include "core/account_keeper.h"
#include "core/count_up.h"
#include "core/game_state.h"
#include "slot/paylines.h"
#include "slot/reels.h"
#include "slot/risk_ladder.h"
#include "ui/messages.h"

namespace {

constexpr int64_t RefillAmount = 1000;
constexpr int64_t AutoplayGrant = 10000;
constexpr int64_t AutoplayPeriodMs = 2000;

bool ReelsAtRest() { return Game.GamePhase == PhaseSettled || Game.GamePhase == PhaseReady; }

// The win of the last spin is still owed: shown in CurrentWin or not yet presented.
bool WinPending() { return Game.CurrentWin > 0 || AnyEntryUnpaid(); }

bool AllCellsMarked() {
    for (int64_t marked : Game.ExtraWildMap)
        if (marked == 0) return false;
    return true;
}

void StartReels() {
    Game.SpinFinished = 0;
    StartSpin();
    Game.GamePhase = PhaseSpinning;
    NoteSpinStarted();  // the charge and the stops go to disk before the reels land
}

}  // namespace

void ChangeBet() {
    Game.Autoplay = 0;
    if (Game.GameMode != ModeBaseGame || !ReelsAtRest() || Game.LadderOpen == 1) return;
    // Lines still to be shown are paid on the bid and level they were won with.
    if (AnyEntryUnpaid()) return;
    if (Game.BetPerLine < 10)
        Game.BetPerLine += 1;
    else if (Game.BetPerLine < 20)
        Game.BetPerLine += 2;
    else
        Game.BetPerLine = 1;
    if (Game.Points < Game.BetPerLine * Game.Paylines) Game.BetPerLine = 1;
    if (Game.ExtraWildOn == 1) Game.ExtraWildCost = Game.BetPerLine * Game.Paylines;
    Game.Level = 1;
}

void ToggleExtraWild() {
    if (Game.GameMode != ModeBaseGame) return;
    // A running spin keeps the option it was charged for, and lines still to
    // be shown keep their bid.
    if (Game.GamePhase == PhaseSpinning || Game.LadderOpen == 1 || AnyEntryUnpaid()) return;
    if (Game.ExtraWildOn == 1) {
        Game.ExtraWildCost = 0;
        Game.ExtraWildOn = 0;
        ShowFeatureMessage("Extra Wild Deaktivatet");
    } else if (Game.Points > Game.BetPerLine * Game.Paylines) {
        Game.ExtraWildCost = Game.BetPerLine * Game.Paylines;
        Game.ExtraWildOn = 1;
        ShowFeatureMessage("Extra Wild Aktive");
    } else {
        Game.BetPerLine = 1;
        ShowFeatureMessage("Extra Wild Deaktivatet", "Not enough Points");
    }
}

void RequestSpin(bool automatic) {
    // The big-win count-up shows the win while it runs; the request waits for it.
    if (Game.BigWinActive == 1 || Game.LadderOpen == 1) return;
    if (!automatic) {
        // This press only collects; while a count-up runs it does nothing.
        if (WinPending()) {
            if (Game.CountUpRunning == 0) CollectWin(false);
            return;
        }
    } else {
        // Autoplay collects once the presentation has paid every line.
        if (AnyEntryUnpaid()) return;
        if (Game.CurrentWin > 0) {
            CollectWin(true);
            return;
        }
    }

    if (!automatic) Game.Autoplay = 0;
    Game.LadderFinished = 0;
    Game.LinesPresented = 0;
    Game.WinWeight = 0;

    if (Game.GameMode == ModeBaseGame && Game.Points < Game.Bid) {
        if (automatic) {
            Game.CurrentWin = AutoplayGrant;
            Game.DisplayedWin = AutoplayGrant;
            Game.CountUpRunning = 1;
        }
        return;
    }
    // A finished series starts no further free game; EndFreeGames closes it.
    if (Game.GameMode == ModeFreeGames && Game.FreeGamesPlayed >= Game.FreeGamesWon) return;

    if (Game.FunMode == 0) {
        if (!ReelsAtRest()) return;
        ChargeStake();
        PrepareSpin();
        StartReels();
    } else if (Game.FunWildPicks == 0 && ReelsAtRest()) {
        PrepareSpin();
        Game.PickMarkers.clear();
        Game.SymbolAnimations.clear();
        Game.FunWildPicks = 0;
        Game.GamePhase = PhaseWildPick;
        if (!automatic) ShowFeatureMessage("Pick 3 Wildpositions");
    } else if (Game.FunWildPicks == 3 || (Game.GamePhase == PhaseWildPick && AllCellsMarked())) {
        // All cells already wild (sticky free-game wilds): nothing is left to pick.
        Game.PickMarkers.clear();
        Game.SymbolAnimations.clear();
        Game.FunWildPicks = 0;
        ChargeStake();
        StartReels();
    }
}

void ChargeStake() {
    Game.TotalStaked += Game.Bid;
    if (Game.GameMode == ModeBaseGame) {
        int64_t& balance = Game.FunMode == 1 ? Game.FunPoints : Game.Points;
        balance -= Game.Bid + Game.ExtraWildCost;
        if (Game.Points - Game.Bid <= 0) StartCountUp(&Game.Points, RefillAmount, 1000);
    } else {
        Game.FreeGamesPlayed += 1;
    }
}

void CollectWin(bool automatic) {
    if (Game.GamePhase == PhaseSpinning || Game.LadderOpen == 1)
        return;  // nothing is pending yet, or the ladder holds it
    if (!automatic)
        for (int64_t i = 0; i < static_cast<int64_t>(Game.WinLines.size()); ++i) PayEntry(i);
    PrepareSpin();
    if (!automatic) Game.Autoplay = 0;
    StartCountUp(Game.FunMode == 1 ? &Game.FunPoints : &Game.Points, Game.CurrentWin, 1000);
    Game.TotalWon += Game.CurrentWin;
    Game.CurrentWin = 0;
    Game.StartMeaningChanged = Game.FrameTime;
    Game.BigWinActive = 0;
    if (!automatic)
        Game.WinWeight = 0;
    else
        Game.TimerGate = 0;
}

bool AutoplayTick(int64_t frameTime) {
    if (Game.CurrentWin > 0) {
        Game.AutoplayWaitStart = -1;
        return true;
    }
    if (Game.Autoplay != 1) {
        Game.AutoplayWaitStart = -1;
        return false;
    }
    if (Game.AutoplayWaitStart < 0) Game.AutoplayWaitStart = frameTime;
    if (frameTime - Game.AutoplayWaitStart < AutoplayPeriodMs) return false;
    Game.AutoplayWaitStart = -1;
    return true;
}

void SettleAccountsForSave() {
    const int64_t soundOn = Game.SoundOn, phase = Game.GamePhase;
    Game.SoundOn = 0;  // nothing is heard while the game closes
    // The reels' stops were decided when they started: let them arrive (a
    // respin may follow, so a few rounds).
    auto spinning = [] {
        for (const ReelState& reel : Game.Reels)
            if (reel.spinning) return true;
        return false;
    };
    for (int round = 0; round < 4 && spinning(); ++round) {
        Game.GamePhase = PhaseSpinning;
        int64_t end = Game.FrameTime;
        for (int64_t r = 0; r < ReelCount; ++r) end = std::max(end, ReelStopTime(r));
        Game.FrameTime = end;
        UpdateReels();
    }
    if (Game.LadderOpen == 1) TakeRisk();
    if (Game.CurrentWin > 0 || AnyEntryUnpaid()) {
        Game.CountUpRunning = 0;
        if (Game.GamePhase == PhaseSpinning || Game.GamePhase >= PhaseWheelIdle)
            Game.GamePhase = PhaseSettled;
        CollectWin(false);
    }
    for (CountUp& countUp : Game.CountUps) *countUp.target += countUp.remaining;
    Game.CountUps.clear();
    Game.SoundOn = soundOn;
    if (phase == PhaseQuit) Game.GamePhase = PhaseQuit;
}
