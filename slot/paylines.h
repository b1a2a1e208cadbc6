// The ten paylines, the evaluation of a stopped window and the paytable.
#pragma once

#include <array>
#include <cstdint>

#include "core/game_state.h"

constexpr int PaylineCount = 10;
constexpr int64_t ScatterLineNo = 10;  // lineNo of a scatter entry

// Shape and colour of one payline.
struct PaylineShape {
    std::array<int64_t, 5> cells;   // cell on reel 0..4
    std::array<int64_t, 3> colour;  // red, green, blue of its frame and sparkles
};

// The ten paylines in evaluation order.
extern const std::array<PaylineShape, PaylineCount> PaylineShapes;

// A payline entry for line `lineNo` (0..9) with its cells and colour, nothing counted.
Payline MakePaylineEntry(int64_t lineNo);

// End of a spin, after the level wilds: turns extra wilds into grid wilds
// (fun mode, free games), makes new sticky wilds in free games, matches the
// ten lines and leaves only the winning ones in the list, the first current.
void EvaluateLines();

// Pay of one entry in points: half the bid times the symbol's class factor,
// `payFactor` times; a scatter entry with factor 0.1 pays exactly the bid.
// Adds the pay to FreeGamesWin in free games; doubled for a spin started at level 5.
int64_t LinePay(int64_t symbol, float payFactor);

// Pay class factor of a symbol: 1, 2, 3 or 20; 0 outside 0..11.
int64_t SymbolPayFactor(int64_t symbol);

// Presentation weight of a paying symbol (1, 2, 3 or 4), summed into WinWeight.
int64_t SymbolWeight(int64_t symbol);

// Pays entry `index` into CurrentWin if it is still unpaid and marks it
// presented; returns the pay (0 when it had been paid).
int64_t PayEntry(int64_t index);

// True while an entry of the payline list has not been paid.
bool AnyEntryUnpaid();

// What the unpaid entries would pay, without paying them (FreeGamesWin is left as it was).
int64_t UnpaidLinesValue();
