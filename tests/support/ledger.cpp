#include "tests/support/ledger.h"

#include "core/game_state.h"
#include "core/main_loop.h"

void Ledger::Begin() {
    start = Held();
    wonAtStart = Game.TotalWon;
    charged = refills = spins = 0;
}

void Ledger::Frame() {
    const int64_t points = Game.Points, phase = Game.GamePhase, bid = Game.Bid, extra = Game.ExtraWildCost;
    const int64_t mode = Game.GameMode, fun = Game.FunMode;
    RunMainLoopPass();
    if (phase == PhaseSpinning || Game.GamePhase != PhaseSpinning) return;
    spins += 1;
    if (mode != ModeBaseGame) return;  // a free game costs nothing
    // The stake leaves the wallet; points at or below the bid are refilled.
    charged += bid + extra;
    const int64_t pointsAfter = fun == 1 ? points : points - bid - extra;
    if (pointsAfter - bid <= 0) refills += 1000;
}

int64_t Ledger::Expected() const { return start - charged + (Game.TotalWon - wonAtStart) + refills; }

int64_t Ledger::Held() {
    int64_t held = Game.Points + Game.FunPoints;
    for (const CountUp& countUp : Game.CountUps)
        if (countUp.target == &Game.Points || countUp.target == &Game.FunPoints) held += countUp.remaining;
    return held;
}
