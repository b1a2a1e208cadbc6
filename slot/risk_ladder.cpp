#include "slot/risk_ladder.h"

#include <algorithm>

#include "assets/catalogue_numbers.h"
#include "assets/sound.h"
#include "core/account_keeper.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "slot/paylines.h"
#include "ui/messages.h"

namespace {

constexpr int64_t kLadderValues[LadderTopRung + 1] = {0,   15,   30,   60,   80,   120,  240,   400,
                                                      800, 1200, 2000, 3200, 5200, 8400, 14000, 20000};
constexpr int64_t GambleMs = 5000;
constexpr int64_t TickMs = 100;
constexpr int64_t HighestStake = 15000;  // wins from here on cannot be gambled

// Starting rungs, first matching row wins. Wins from 1501 to 1999 start on
// rung 9 with the wins just below them, rather than on the worthless rung 0.
struct RungRow {
    int64_t low, high, rung;
};
constexpr RungRow kStartingRungs[] = {
    {100, 200, 6},    {200, 500, 7},    {500, 1000, 8},   {1000, 1999, 9},   {2000, 5000, 10},
    {5000, 6000, 11}, {6000, 7000, 12}, {7000, 8000, 13}, {8000, 20000, 14},
};

// The rung the open ladder started on, for the game history.
int64_t gStartRung = 0;

void CloseLadder(int64_t win) {
    NoteLadderResult(gStartRung, Game.LadderRung, win);
    Game.LadderOpen = 0;
    Game.LadderFinished = 1;
    Game.StartMeaningChanged = Game.FrameTime;
    Game.CurrentWin = win;
    Game.DisplayedWin = win;
}

void PlayTick() {
    const int64_t shown = Game.LadderShownRung;
    if (shown >= 12)
        PlayEffect(SoundLadderTickTop);
    else if (shown >= 8)
        PlayEffect(SoundLadderTickHigh);
    else if (shown >= 4)
        PlayEffect(SoundLadderTickLow);
    else
        PlayEffect(SoundLadderTickBottom);
}

}  // namespace

int64_t LadderValue(int64_t rung) { return rung >= 0 && rung <= LadderTopRung ? kLadderValues[rung] : 0; }

int64_t StartingRung(int64_t win) {
    for (const RungRow& row : kStartingRungs)
        if (row.low <= win && win <= row.high) return row.rung;
    return 0;
}

void StartRisk() {
    if (Game.LadderOpen == 1 || Game.LadderFinished == 1) return;
    if (Game.GamePhase != PhaseSettled && Game.GamePhase != PhaseReady) return;
    if (Game.CountUpRunning != 0 || Game.GameMode != ModeBaseGame || Game.BigWinActive != 0) return;
    // The gamble is on the whole win of the spin, lines not yet shown included.
    const int64_t win = Game.CurrentWin + UnpaidLinesValue();
    if (win <= 0 || win >= HighestStake) return;
    for (int64_t i = 0; i < static_cast<int64_t>(Game.WinLines.size()); ++i) PayEntry(i);

    Game.Autoplay = 0;
    Game.TimerGate = 0;
    Game.LadderFinished = 0;
    Game.LadderOpen = 1;
    Game.LadderCountdown = GambleMs;
    Game.TickStart = Game.FrameTime;
    Game.LadderTicks = 0;
    Game.LadderFlicker = 0;
    Game.LadderRung = StartingRung(Game.CurrentWin);
    Game.LadderShownRung = Game.LadderRung;
    gStartRung = Game.LadderRung;
    // From now on the ladder holds the stake.
    Game.CurrentWin = 0;
    Game.DisplayedWin = 0;
}

void RiskStep() {
    if (Game.LadderOpen != 1) return;
    Game.Autoplay = 0;
    if (platform::CryptRandom(1000) <= 500) {  // 501 chances in 1001
        if (Game.LadderRung <= LadderTopRung) Game.LadderRung += 1;
        Game.LadderShownRung = Game.LadderRung;
        if (Game.LadderRung >= LadderTopRung) {
            Game.LadderRung = LadderTopRung;
            Game.LadderShownRung = LadderTopRung;
            ShowFeatureMessage("JACKPOT", "!! GRATULATION !!");
            CloseLadder(LadderValue(LadderTopRung));
        }
        return;
    }
    Game.LadderRung -= 1;
    Game.LadderShownRung = Game.LadderRung;
    if (Game.LadderRung <= 0) {
        Game.LadderRung = 0;
        Game.LadderShownRung = 0;
        CloseLadder(0);
    }
}

void TakeRisk() {
    if (Game.LadderOpen != 1) return;
    Game.LadderShownRung = Game.LadderRung;
    CloseLadder(LadderValue(Game.LadderRung));
}

void TickRisk() {
    if (Game.LadderOpen != 1) return;
    Game.Autoplay = 0;
    // Ticks keep to the clock, so the gamble lasts five seconds whatever the frame rate.
    while (Game.LadderOpen == 1 && Game.FrameTime - Game.TickStart >= TickMs) {
        Game.TickStart += TickMs;
        Game.LadderCountdown -= TickMs;
        if (Game.LadderCountdown <= 0) {
            Game.LadderCountdown = 0;
            Game.LadderRung = 0;
            Game.LadderShownRung = 0;
            CloseLadder(0);  // time ran out
            return;
        }
        Game.LadderTicks += 1;
        if (Game.LadderTicks < 2) continue;
        Game.LadderTicks = 0;
        PlayTick();
        Game.LadderFlicker = 1 - Game.LadderFlicker;
        Game.LadderShownRung =
            Game.LadderFlicker == 1 ? std::max<int64_t>(Game.LadderRung - 1, 0) : Game.LadderRung;
    }
}
