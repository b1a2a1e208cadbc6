// Matching the symbols of one payline. The definition is textual: the
// symbols are written as decimal numbers separated by single spaces, every
// wild (11, and the scatter 10 while Extra Wild is on) is replaced by a
// candidate symbol with a regular-expression replace, and the result is
// compared with the candidate written three, four or five times. An exact
// symbol-level equivalent serves where speed matters.
#pragma once

#include <cstdint>
#include <string>

#include "core/game_state.h"

// The textual match of a three-, four- or five-symbol line text: returns 0,
// 3, 4 or 5 and on a match stores 1, 4 or 20 in entry.multiplier. The wild
// pattern follows ExtraWildOn. Called by EvaluateLines.
int64_t MatchLine(const std::string& text, Payline& entry);

// Writes the first `length` symbols as MatchLine's text ("3 11 3").
std::string LineText(const int64_t* symbols, int64_t length);

// Result of matching one whole payline.
struct LineMatch {
    int64_t count = 0;       // 0, 3, 4 or 5 symbols from the left
    int64_t multiplier = 0;  // 1, 4 or 20 for the longest match
    int64_t symbol = 0;      // the paying symbol when count > 0
};

// The symbol-level equivalent of matching the three, four and five texts of
// a line with MatchLine and choosing the paying symbol; `extraWild` 1 lets
// the scatter stand in as a wild.
LineMatch MatchSymbols(const int64_t* symbols, int64_t extraWild);

// The multiplier of a match of `count` symbols (1, 4, 20; 0 for no match).
int64_t CountMultiplier(int64_t count);

// The paying symbol of a line matched over `count` symbols: the first that
// is not a wild (nor, with Extra Wild, a scatter); the last counted one when all are.
int64_t PayingSymbol(const int64_t* symbols, int64_t count, int64_t extraWild);

// Chooses how EvaluateLines matches: false (the default) runs the textual
// definition, true the symbol-level equivalent. The spin simulator and the
// benchmarks switch it; the two give identical results on every line.
void UseFastLineMatch(bool fast);
bool FastLineMatchInUse();
