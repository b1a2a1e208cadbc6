// The player's account as a test keeps it: every point that must have left
// (stakes) or arrived (collected wins, refills) while frames run. At any frame
// the balances plus what is still being counted into them must match it.
#pragma once

#include <cstdint>

struct Ledger {
    int64_t start = 0;       // points + fun points when the ledger began
    int64_t wonAtStart = 0;  // TotalWon then
    int64_t charged = 0;
    int64_t refills = 0;
    int64_t spins = 0;

    // Opens the account on the game state as it is now.
    void Begin();
    // Runs one frame of the game and books a spin that started in it.
    void Frame();
    // What points + fun points (with their count-ups) must be now.
    int64_t Expected() const;
    // Points + fun points + what is still being counted into them.
    static int64_t Held();
};
