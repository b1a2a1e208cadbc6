// The risk ladder: a pending win becomes a rung of a 16-rung prize ladder;
// each step goes one rung up or down with even odds, the player may take the
// current rung's value, rung 0 loses all, the top rung is the jackpot, and
// the whole gamble ends after five seconds.
#pragma once

#include <cstdint>

constexpr int64_t LadderTopRung = 15;

// Value of rung `rung` (0..15) in points; 0 outside the ladder.
int64_t LadderValue(int64_t rung);

// The rung a gamble on a win of `win` starts on.
int64_t StartingRung(int64_t win);

// The risk button while the ladder is closed: puts the whole pending win of a
// settled base-game spin on the ladder.
void StartRisk();

// The risk button while the ladder is open: one rung up or down (secure source).
void RiskStep();

// The take button while the ladder is open: the current rung's value becomes the pending win.
void TakeRisk();

// Every frame without a click while the ladder is open: the countdown, the
// tick sound and the flicker of the highlighted rung.
void TickRisk();
