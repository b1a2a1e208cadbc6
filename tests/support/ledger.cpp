#include "tests/support/ledger.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/game_state.h"
#include "core/main_loop.h"
#include "slot/paylines.h"
#include "slot/risk_ladder.h"

namespace {

constexpr int64_t RefillAmount = 1000;
constexpr int64_t AutoplayGrant = 10000;  // what autoplay gives a player who cannot cover the bid

// What an entry of the payline list is worth, from the paytable: a line pays
// half the bid times its symbol's class factor, once, 4 or 20 times for
// three, four or five of a kind; two scatters pay the bid, more pay like that
// many scatter symbols on a line. A spin started at level 5 pays double.
int64_t Worth(const Payline& entry, int64_t bid, int64_t level) {
    constexpr int64_t classFactor[12] = {1, 1, 1, 1, 3, 3, 2, 2, 2, 2, 20, 20};
    constexpr int64_t ofAKind[6] = {0, 0, 0, 1, 4, 20};
    int64_t count = 0;
    for (int64_t counted : entry.counted) count += counted;
    int64_t pay = 0;
    if (entry.lineNo == ScatterLineNo && count == 2)
        pay = bid;
    else if (entry.symbol >= 0 && entry.symbol < 12)
        pay = bid / 2 * classFactor[entry.symbol] * ofAKind[count];
    return level == 5 ? 2 * pay : pay;
}

}  // namespace

void Ledger::Begin() {
    start = Held();
    wonAtStart = Game.TotalWon;
    charged = refills = spins = chargedSpins = 0;
    lineWins = scatterWins = gambles = wheelPrizes = grants = 0;
    spinBid = Game.BetPerLine * Game.Paylines;
    spinLevel = Game.SpinLevel;
    ladderStake = 0;
    booked = Owed();  // a win already pending is owed from the start
}

void Ledger::Frame() {
    const int64_t points = Game.Points, phase = Game.GamePhase, bid = Game.Bid, extra = Game.ExtraWildCost;
    const int64_t mode = Game.GameMode, fun = Game.FunMode, ladderOpen = Game.LadderOpen,
                  ladderFinished = Game.LadderFinished;
    const int64_t owed = Owed();
    // Autoplay that finds the points below the bid grants a win instead of a spin (even while reels still
    // run).
    const bool grantPossible = Game.Autoplay == 1 && mode == ModeBaseGame && owed == 0 &&
                               Game.Points < Game.BetPerLine * Game.Paylines;
    RunMainLoopPass();

    const bool started = phase != PhaseSpinning && Game.GamePhase == PhaseSpinning;
    const bool evaluated = phase == PhaseSpinning && Game.GamePhase == PhaseSettled;
    const bool prized = phase == PhaseWheelTurning && Game.GamePhase == PhaseWheelStopped;
    if (started) {
        spins += 1;
        spinBid = Game.BetPerLine * Game.Paylines;
        spinLevel = Game.Level;
        if (mode == ModeBaseGame) {  // a free game costs nothing
            // The stake leaves the wallet; points at or below the bid are refilled.
            charged += bid + extra;
            chargedSpins += 1;
            const int64_t pointsAfter = fun == 1 ? points : points - bid - extra;
            if (pointsAfter - bid <= 0) refills += RefillAmount;
        }
    }
    if (evaluated) {
        for (const Payline& entry : Game.WinLines) {
            booked += Worth(entry, spinBid, spinLevel);
            (entry.lineNo == ScatterLineNo ? scatterWins : lineWins) += 1;
        }
    }
    // The click that opens the ladder also takes its first step, which may end the gamble at once.
    const bool gambled =
        ladderOpen == 0 && (Game.LadderOpen == 1 || (ladderFinished == 0 && Game.LadderFinished == 1));
    if (gambled) {
        // The whole win goes up the ladder, lines not yet shown included.
        ladderStake = owed;
        EXPECT_LE(std::abs(Game.LadderRung - StartingRung(ladderStake)), 1) << "a gamble on " << ladderStake;
    }
    if ((ladderOpen == 1 || gambled) && Game.LadderOpen == 0) {
        // Taken, lost, timed out or the jackpot: the win is the value of the rung the ladder ended on.
        EXPECT_EQ(Game.CurrentWin, LadderValue(Game.LadderRung))
            << "the ladder ended on rung " << Game.LadderRung;
        booked += Game.CurrentWin - ladderStake;
        ladderStake = 0;
        gambles += 1;
    }
    if (prized) {
        EXPECT_TRUE(Game.CurrentWin >= 0 && Game.CurrentWin <= 1100 && Game.CurrentWin % 100 == 0)
            << "a wheel prize of " << Game.CurrentWin;
        booked += Game.CurrentWin;
        wheelPrizes += 1;
    }
    if (grantPossible && !started && !prized && Game.CurrentWin == AutoplayGrant) {
        booked += AutoplayGrant;
        grants += 1;
    }
}

int64_t Ledger::Expected() const { return start - charged + refills + booked - Owed(); }

int64_t Ledger::Owed() const {
    if (Game.LadderOpen == 1) return ladderStake;
    if (Game.BigWinActive == 1) {
        // The banner counts the win into BigWinAmount and hands it back when it
        // ends; meanwhile CurrentWin only shows what is still to be counted.
        int64_t win = Game.BigWinAmount;
        for (const CountUp& countUp : Game.CountUps)
            if (countUp.target == &Game.BigWinAmount) win += countUp.remaining;
        return win + UnpaidLinesValue();
    }
    return Game.CurrentWin + UnpaidLinesValue();
}

int64_t Ledger::Held() {
    int64_t held = Game.Points + Game.FunPoints;
    for (const CountUp& countUp : Game.CountUps)
        if (countUp.target == &Game.Points || countUp.target == &Game.FunPoints) held += countUp.remaining;
    return held;
}
