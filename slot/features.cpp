#include "slot/features.h"

#include <cinttypes>
#include <cstdio>
#include <string>

#include "assets/catalogue_numbers.h"
#include "assets/sound.h"
#include "core/game_state.h"
#include "core/text_table.h"
#include "platform/platform.h"
#include "slot/cell_effects.h"
#include "slot/paylines.h"
#include "ui/messages.h"

namespace {

// Turns cell `cell` into a level wild; a scatter it covers no longer counts.
void PlaceLevelWild(int64_t cell) {
    // Only a scatter that was counted (not already under an extra wild) is taken off the count.
    if (Game.SymbolGrid[cell] == SymbolScatter && Game.ExtraWildMap[cell] == 0) Game.ScatterCount -= 1;
    Game.SymbolGrid[cell] = SymbolWild;
    Game.ExtraWildMap[cell] = 1;
    SpawnCellSparkle(cell, 5000, 100, 255, 0, 0);
}

// The entry of a scatter win, inserted after the current entry of the list.
void InsertScatterEntry(const int64_t* cells, int64_t count, float payFactor, int64_t multiplier) {
    Payline entry;
    entry.lineNo = ScatterLineNo;
    entry.colour = {200, 200, 200};
    for (int64_t k = 0; k < count && k < ReelCount; ++k) {
        entry.cells[k] = cells[k];
        entry.counted[k] = 1;
        entry.winSymbols[k] = SymbolScatter;
    }
    entry.unpaid = 1;
    entry.symbol = SymbolScatter;
    entry.payFactor = payFactor;
    entry.multiplier = multiplier;
    entry.presented = 0;
    const int64_t at = Game.WinLineCurrent < 0 ? 0 : Game.WinLineCurrent + 1;
    Game.WinLines.insert(
        Game.WinLines.begin() + std::min<int64_t>(at, static_cast<int64_t>(Game.WinLines.size())), entry);
    if (Game.WinLineCurrent < 0) Game.WinLineCurrent = 0;
}

void ShowFreeGamesMessage(const std::string& second) {
    Game.MessageOverlayOn = 1;
    ShowMessage(Text(TextYouHave), second, "", "", 1, SystemFont20, SystemFont20, SystemFont15, SystemFont10);
}

std::string DisplayAmount(int64_t amount) {
    char text[40];
    const int64_t magnitude = amount < 0 ? -amount : amount;
    snprintf(text, sizeof text, "%s%" PRId64 ".%02" PRId64, amount < 0 ? "-" : "", magnitude / 100,
             magnitude % 100);
    return text;
}

}  // namespace

const char* FeatureName(int64_t level) {
    switch (level) {
        case 2: return Text(TextRespin).c_str();
        case 3: return Text(TextRandomWild).c_str();
        case 4: return Text(TextExpandingWild).c_str();
        case 5: return Text(TextWinningsDoubled).c_str();
        default: return "";
    }
}

void ApplyLevelWilds(int64_t level) {
    if (level == 3) {
        // Half the spins get one wild on a uniformly chosen cell.
        if (platform::Random(1) != 0) PlaceLevelWild(platform::Random(CellCount - 1));
        return;
    }
    if (level != 4 && level != 5) return;
    for (int64_t cell = 0; cell < CellCount; ++cell) {
        if (Game.SymbolGrid[cell] != SymbolWild) continue;
        // The two other cells of the reel; wilds made here are met again
        // later in the pass and only sparkle once more.
        const int64_t top = cell - cell % RowCount;
        for (int64_t other = top; other < top + RowCount; ++other)
            if (other != cell) PlaceLevelWild(other);
    }
}

void ApplyScatterOutcome() {
    const int64_t n = Game.ScatterCount;
    int64_t cells[CellCount];
    int64_t found = 0;
    for (int64_t cell = 0; cell < CellCount; ++cell)
        if (Game.SymbolGrid[cell] == SymbolScatter) cells[found++] = cell;

    if (n == 2 && Game.GameMode == ModeBaseGame) {
        for (int64_t k = 0; k < found; ++k)
            AddCellAnimation(Game.SymbolAnimations, SpriteSymbolFirst + SymbolScatter, cells[k], 25, 5);
        InsertScatterEntry(cells, found, 0.1f, 0);
        if (Game.Level < 5) {
            Game.Autoplay = 0;
            Game.Level += 1;
            ShowFeatureMessage(Text(TextLevelUp), "Level: " + std::to_string(Game.Level),
                               std::string("Feature: ") + FeatureName(Game.Level));
        }
    } else if (n == 2 && Game.GameMode == ModeFreeGames) {
        Game.FreeGamesWon += 1;
        ShowFreeGamesMessage(Text(TextOneFreeGameWon));
        for (int64_t k = 0; k < found; ++k)
            AddCellAnimation(Game.FreeGameAnimations, SpriteScatterEffect, cells[k], 25, 5);
        InsertScatterEntry(cells, found, 0.1f, 0);
    } else if (n >= 3) {
        const int64_t multiplier = n == 3 ? 1 : n == 4 ? 4 : 20;
        const int64_t games = n == 3 ? 10 : n == 4 ? 20 : 30;
        Game.FreeGamesWon += games;
        ShowFreeGamesMessage(std::to_string(Game.FreeGamesWon) + Text(TextFreeGamesWon));
        Game.ExtraWildMap.fill(0);
        Game.GameMode = ModeFreeGames;
        Game.Autoplay = 0;
        Game.Level = 1;
        for (int64_t k = 0; k < found; ++k)
            AddCellAnimation(Game.FreeGameAnimations, SpriteScatterEffect, cells[k], 25, 5);
        InsertScatterEntry(cells, found, static_cast<float>(multiplier), multiplier);
    }
    Game.ScatterCount = 0;
}

void PickWild(int64_t cell) {
    if (Game.GamePhase != PhaseWildPick || cell < 0 || cell >= CellCount) return;
    if (Game.ExtraWildMap[cell] == 0) {
        Game.ExtraWildMap[cell] = 1;
        Game.FunWildPicks += 1;
    }
    for (int64_t i = 0; i < CellCount && Game.FunWildPicks > 3; ++i) {
        if (Game.ExtraWildMap[i] != 1) continue;
        Game.ExtraWildMap[i] = 0;
        Game.FunWildPicks -= 1;
    }
}

void EndFreeGames() {
    if (!Game.SymbolAnimations.empty() || !Game.FreeGameAnimations.empty()) return;
    if (Game.GameMode != ModeFreeGames || Game.CurrentWin != 0 || Game.GamePhase != PhaseSettled ||
        Game.BigWinActive != 0)
        return;
    if (Game.FreeGamesPlayed < Game.FreeGamesWon || AnyEntryUnpaid()) return;
    Game.MessageOverlayOn = 1;
    ShowMessage(Text(TextFreeGamesEnd), Text(TextYouHave), DisplayAmount(Game.FreeGamesWin), Text(TextWon), 1,
                SystemFont20, SystemFont20, SystemFont15, SystemFont10);
    Game.FreeGamesWin = 0;
    Game.FreeGamesWon = 0;
    Game.FreeGamesPlayed = 0;
    Game.TimerGate = 0;
    Game.Level = 1;
    Game.GameMode = ModeBaseGame;
    StopMusic(SoundFreeGamesMusic);
    Game.ExtraWildMap.fill(0);
}
