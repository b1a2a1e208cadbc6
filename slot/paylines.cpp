#include "slot/paylines.h"

#include <algorithm>
#include <cmath>

#include "assets/catalogue_numbers.h"
#include "slot/cell_effects.h"
#include "slot/line_match.h"

const std::array<PaylineShape, PaylineCount> PaylineShapes = {{
    {{0, 3, 6, 9, 12}, {255, 255, 255}},
    {{1, 4, 7, 10, 13}, {0, 183, 192}},
    {{2, 5, 8, 11, 14}, {163, 64, 26}},
    {{0, 4, 8, 10, 12}, {166, 38, 31}},
    {{2, 4, 6, 10, 14}, {116, 22, 148}},
    {{1, 5, 8, 11, 13}, {156, 142, 20}},
    {{1, 3, 6, 9, 13}, {45, 159, 26}},
    {{2, 5, 7, 9, 12}, {43, 95, 163}},
    {{0, 3, 7, 11, 14}, {83, 64, 178}},
    {{2, 4, 7, 10, 12}, {164, 56, 112}},
}};

namespace {

// The longest textual match of a line's three, four and five symbols; the
// calls run in that order, so the multiplier ends as that of the longest.
LineMatch MatchLineTexts(const int64_t* symbols, Payline& entry) {
    LineMatch match;
    for (int64_t length = 3; length <= ReelCount; ++length)
        match.count = std::max(match.count, MatchLine(LineText(symbols, length), entry));
    if (match.count > 0) {
        match.multiplier = entry.multiplier;
        match.symbol = PayingSymbol(symbols, match.count, Game.ExtraWildOn);
    }
    return match;
}

}  // namespace

Payline MakePaylineEntry(int64_t lineNo) {
    Payline entry;
    entry.lineNo = lineNo;
    entry.cells = PaylineShapes[lineNo].cells;
    entry.colour = PaylineShapes[lineNo].colour;
    return entry;
}

void EvaluateLines() {
    const bool freeGames = Game.GameMode == ModeFreeGames;
    if (Game.FunMode == 1 || freeGames)
        for (int64_t cell = 0; cell < CellCount; ++cell)
            if (Game.ExtraWildMap[cell] == 1) Game.SymbolGrid[cell] = SymbolWild;
    if (freeGames) {
        // Every wild that lands in free games stays for the rest of the series.
        for (int64_t cell = 0; cell < CellCount; ++cell) {
            if (Game.SymbolGrid[cell] != SymbolWild || Game.ExtraWildMap[cell] != 0) continue;
            Game.ExtraWildMap[cell] = 1;
            AddCellAnimation(Game.FreeGameAnimations, SpriteWildEffect, cell, 25, 5);
        }
    }

    Game.WinLines.clear();
    for (int64_t line = 0; line < PaylineCount; ++line) Game.WinLines.push_back(MakePaylineEntry(line));

    const bool fast = FastLineMatchInUse();
    for (size_t i = 0; i < Game.WinLines.size(); ++i) {
        Payline& entry = Game.WinLines[i];
        int64_t symbols[ReelCount];
        for (int64_t k = 0; k < ReelCount; ++k) symbols[k] = Game.SymbolGrid[entry.cells[k]];
        LineMatch match;
        if (fast) {
            match = MatchSymbols(symbols, Game.ExtraWildOn);
            if (match.count > 0) entry.multiplier = match.multiplier;
        } else {
            match = MatchLineTexts(symbols, entry);
        }
        if (match.count >= 1) {
            entry.symbol = match.symbol;
            entry.payFactor = static_cast<float>(entry.multiplier);
            entry.presented = 0;
            for (int64_t k = 0; k < match.count; ++k) {
                const int64_t cell = entry.cells[k];
                entry.winSymbols[k] = Game.SymbolGrid[cell];
                AddCellAnimation(Game.SymbolAnimations, SpriteSymbolFirst + Game.SymbolGrid[cell], cell, 25,
                                 5);
                entry.counted[k] = 1;
                Game.WinCellMap[cell] = 1;
            }
            entry.unpaid = 1;
        }
        if (static_cast<int64_t>(i) + 1 == Game.Paylines) break;
    }

    std::erase_if(Game.WinLines, [](const Payline& entry) { return entry.counted[0] == 0; });
    Game.WinLineCurrent = Game.WinLines.empty() ? -1 : 0;
    Game.LineCycleOn = 0;
}

int64_t SymbolPayFactor(int64_t symbol) {
    if (symbol >= 0 && symbol <= 3) return 1;
    if (symbol == 4 || symbol == 5) return 3;
    if (symbol >= 6 && symbol <= 9) return 2;
    if (symbol == SymbolScatter || symbol == SymbolWild) return 20;
    return 0;
}

int64_t SymbolWeight(int64_t symbol) {
    if (symbol >= 0 && symbol <= 3) return 1;
    if (symbol >= 6 && symbol <= 9) return 2;
    if (symbol == 4 || symbol == 5) return 3;
    if (symbol == SymbolScatter || symbol == SymbolWild) return 4;
    return 0;
}

int64_t LinePay(int64_t symbol, float payFactor) {
    const int64_t u = Game.Bid / 2;
    // k runs from 0 up to and including payFactor - 1, rounded.
    const int64_t times = std::llround(static_cast<double>(payFactor) - 1.0) + 1;
    int64_t pay = times > 0 ? u * SymbolPayFactor(symbol) * times : 0;
    if (payFactor == 0.1f)
        pay = std::llround(static_cast<double>(Game.Bid) / 2.0 * 2.0 + static_cast<double>(pay));
    if (Game.GameMode == ModeFreeGames) Game.FreeGamesWin += pay;
    if (Game.SpinLevel == 5) pay *= 2;
    return pay;
}

int64_t PayEntry(int64_t index) {
    if (index < 0 || index >= static_cast<int64_t>(Game.WinLines.size())) return 0;
    Payline& entry = Game.WinLines[index];
    entry.presented = 1;
    if (entry.unpaid == 0) return 0;
    entry.unpaid = 0;
    const int64_t pay = LinePay(entry.symbol, entry.payFactor);
    Game.CurrentWin += pay;
    return pay;
}

bool AnyEntryUnpaid() {
    return std::any_of(Game.WinLines.begin(), Game.WinLines.end(),
                       [](const Payline& entry) { return entry.unpaid == 1; });
}

int64_t UnpaidLinesValue() {
    int64_t total = 0;
    const int64_t keep = Game.FreeGamesWin;
    for (const Payline& entry : Game.WinLines)
        if (entry.unpaid == 1) total += LinePay(entry.symbol, entry.payFactor);
    Game.FreeGamesWin = keep;
    return total;
}
