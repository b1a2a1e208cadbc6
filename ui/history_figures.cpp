#include "ui/history_figures.h"

#include <algorithm>

#include "core/game_state.h"
#include "slot/paylines.h"
#include "ui/amount_text.h"

namespace {
constexpr uint32_t ScatterGold = 0xF2C94C;
}  // namespace

HistoryFigures AllTimeFigures(const std::vector<HistoryEntry>& entries, int64_t totalStaked,
                              int64_t totalWon) {
    HistoryFigures figures;
    figures.staked = totalStaked;
    figures.won = totalWon;
    for (const HistoryEntry& entry : entries) {
        if (entry.kind != HistoryKind::Game) continue;
        figures.games += 1;
        figures.largestWin = std::max(figures.largestWin, entry.win);
        // A game of the base game after which a series stands won that series.
        if (entry.freeGames == 0 && entry.seriesWon > 0) figures.freeSeries += 1;
    }
    return figures;
}

std::string PointsText(int64_t hundredths) { return AmountText(hundredths) + " P"; }

std::string ReturnText(int64_t staked, int64_t won) {
    if (staked <= 0) return "-";
    // Tenths of a percent, rounded half up, in whole numbers (no float drift).
    const int64_t tenths = (won * 2000 / staked + 1) / 2;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " %";
}

std::vector<size_t> GamesNewestFirst(const std::vector<HistoryEntry>& entries) {
    std::vector<size_t> games;
    for (size_t i = entries.size(); i-- > 0;)
        if (entries[i].kind == HistoryKind::Game) games.push_back(i);
    return games;
}

std::string GameTimeText(const HistoryEntry& game, bool german) {
    // The date is stored as yyyy/mm/dd.
    const std::string month = game.date.size() >= 10 ? game.date.substr(5, 2) : "--";
    const std::string day = game.date.size() >= 10 ? game.date.substr(8, 2) : "--";
    return (german ? day + "." + month + "." : month + "/" + day) + " " + game.time;
}

int64_t GameBalance(const HistoryEntry& game) {
    return game.fun ? game.account.funPoints : game.account.points;
}

std::string GameRowText(const HistoryEntry& game, bool german) {
    return GameTimeText(game, german) + "\t" + PointsText(game.stake) + "\t" + PointsText(game.win) + "\t" +
           PointsText(GameBalance(game));
}

std::vector<int64_t> PaylineCells(int64_t line) {
    if (line < 1 || line > PaylineCount) return {};
    const auto& cells = PaylineShapes[static_cast<size_t>(line - 1)].cells;
    return std::vector<int64_t>(cells.begin(), cells.end());
}

std::vector<int64_t> WinningCells(const HistoryEntry& game, const HistoryWin& win) {
    std::vector<int64_t> cells;
    if (win.line == 0) {
        for (int64_t cell = 0; cell < CellCount; ++cell)
            if (game.grid[static_cast<size_t>(cell)] == SymbolScatter) cells.push_back(cell);
        return cells;
    }
    cells = PaylineCells(win.line);
    cells.resize(
        std::min<size_t>(cells.size(), static_cast<size_t>(std::clamp<int64_t>(win.count, 0, ReelCount))));
    return cells;
}

uint32_t PaylineColour(int64_t line) {
    if (line < 1 || line > PaylineCount) return ScatterGold;
    const auto& colour = PaylineShapes[static_cast<size_t>(line - 1)].colour;
    return static_cast<uint32_t>(colour[0] << 16 | colour[1] << 8 | colour[2]);
}
