// What the history window shows, worked out from the game history: the
// statistics of all time, the rows of the last games and where a game's
// winning lines ran through its grid. Nothing here draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "persist/history.h"

// Games played, staked, won, the largest win and the free-game series won.
struct HistoryFigures {
    int64_t games = 0, staked = 0, won = 0, largestWin = 0, freeSeries = 0;
};

// All time: staked and won are the save's totals (every game ever played);
// games, the largest win and the series are counted over the game lines of
// `entries` (the history keeps only the newest lines).
HistoryFigures AllTimeFigures(const std::vector<HistoryEntry>& entries, int64_t totalStaked,
                              int64_t totalWon);

// "12.34 P".
std::string PointsText(int64_t hundredths);
// The return, won per staked: "96.5 %"; "-" when nothing was staked.
std::string ReturnText(int64_t staked, int64_t won);

// The places in `entries` of its game lines, newest first.
std::vector<size_t> GamesNewestFirst(const std::vector<HistoryEntry>& entries);

// When a game was played, short: "09.12. 10:31:05" (German) or "12/09 10:31:05".
std::string GameTimeText(const HistoryEntry& game, bool german);
// The balance after the game: points, or fun points for a game in fun mode.
int64_t GameBalance(const HistoryEntry& game);
// One row of the list: time, stake, win and balance, separated by tabs.
std::string GameRowText(const HistoryEntry& game, bool german);

// The cells (0..14, reel by reel, top to bottom) that won with `win`: the
// first `count` cells of its payline, or every scatter of the grid for the
// scatter entry (line 0). Empty for a line number that is no payline.
std::vector<int64_t> WinningCells(const HistoryEntry& game, const HistoryWin& win);
// Every cell of payline `line` (1..10), reel 0 to 4; empty for any other number.
std::vector<int64_t> PaylineCells(int64_t line);
// The colour of payline `line` (1..10) as 0xRRGGBB; the scatter's gold otherwise.
uint32_t PaylineColour(int64_t line);
