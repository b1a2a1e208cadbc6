// The money side: the bet, the Extra Wild option, what a spin request does
// (collect a pending win, or charge the stake and start the reels), the
// automatic refill and autoplay.
#pragma once

#include <cstdint>

// The bet control (base game, reels at rest): 1..10, 12..20, back to 1;
// falls back to 1 when the points cannot cover the bid; resets the level.
void ChangeBet();

// The Extra Wild control (base game, reels at rest): switches the surcharge
// on or off with its message; refused when the points do not exceed the bid.
void ToggleExtraWild();

// The spin control (automatic false) or autoplay (automatic true): collects a
// pending win, or charges the stake and starts the reels (or the wild pick
// of fun mode). The daily wheel's phases are dealt with by the caller.
void RequestSpin(bool automatic);

// Charges one spin: the bid (plus the Extra Wild surcharge) from the points
// or fun points, a free game's count in free games; queues the refill when
// the points fall to the bid or below.
void ChargeStake();

// Pays what is still unpaid (manual only), prepares the next spin and counts
// the win into the balance over one second.
void CollectWin(bool automatic);

// Polled every frame while autoplay is on: true at once when a win is
// pending, else true every 2000 ms.
bool AutoplayTick(int64_t frameTime);

// Shutdown, before the save: a spin in progress runs to its end, an open
// ladder is taken, a pending win is collected and every count-up arrives, so
// that quitting never loses the player's points.
void SettleAccountsForSave();
