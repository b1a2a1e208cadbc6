// The player's account as a test keeps it, frame by frame: every point that
// must have left (stakes) or arrived (refills, and every win the game
// evaluated). The ledger values each evaluated line and scatter entry with
// its own copy of the paytable, not with the game's pay procedure, and lets
// only the risk ladder's result change a win once it is booked; daily-wheel
// prizes and the autoplay grant are booked as what they are. At any frame the
// balances plus what is still being counted into them must be what the ledger
// says minus what the game still owes, so a win that was evaluated but never
// paid shows at once.
#pragma once

#include <cstdint>

struct Ledger {
    int64_t start = 0;       // points + fun points when the ledger began
    int64_t wonAtStart = 0;  // TotalWon then
    int64_t charged = 0;
    int64_t refills = 0;
    int64_t spins = 0;
    int64_t chargedSpins = 0;  // spins that took a stake (not free games)
    int64_t booked = 0;        // wins: evaluated pays, changed by ladder results, wheel prizes, grants

    // What the ledger has seen, so a test can show which paths its run went through.
    int64_t lineWins = 0, scatterWins = 0, gambles = 0, wheelPrizes = 0, grants = 0;

    // Opens the account on the game state as it is now.
    void Begin();
    // Runs one frame of the game and books the stake and the wins it brought.
    void Frame();
    // What points + fun points (with their count-ups) must be now.
    int64_t Expected() const;
    // What the game still owes of the wins booked: the win shown, the lines
    // not yet shown, or the stake while the ladder is open.
    int64_t Owed() const;
    // Points + fun points + what is still being counted into them.
    static int64_t Held();

private:
    int64_t spinBid = 0, spinLevel = 1;  // the running spin's stake and level
    int64_t ladderStake = 0;             // what went up the open ladder
};
