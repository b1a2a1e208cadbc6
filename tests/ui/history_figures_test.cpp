// The history window's arithmetic: the figures of all time, the return, the
// order and wording of the rows, and the cells a win ran through.
#include "ui/history_figures.h"

#include <gtest/gtest.h>

#include "core/game_state.h"

namespace {

HistoryEntry Line(HistoryKind kind, int64_t win, int64_t freeGames = 0, int64_t seriesWon = 0) {
    HistoryEntry entry;
    entry.kind = kind;
    entry.win = win;
    entry.freeGames = freeGames;
    entry.seriesWon = seriesWon;
    return entry;
}

}  // namespace

TEST(HistoryFiguresTest, AllTimeCountsOnlyGameLinesAndTakesTheTotalsOfTheSave) {
    const std::vector<HistoryEntry> entries = {
        Line(HistoryKind::Spin, 0),
        Line(HistoryKind::Spin, 9000),         // a landed spin owes, it is no game
        Line(HistoryKind::Game, 250, 0, 10),   // won a series
        Line(HistoryKind::Game, 40, 1, 10),    // a free game of it
        Line(HistoryKind::Game, 700, 10, 20),  // retriggered inside the series: no new series
        Line(HistoryKind::Account, 5000),
        Line(HistoryKind::Game, 0),
    };
    const HistoryFigures figures = AllTimeFigures(entries, 777, 555);
    EXPECT_EQ(figures.games, 4);
    EXPECT_EQ(figures.largestWin, 700);
    EXPECT_EQ(figures.freeSeries, 1);
    EXPECT_EQ(figures.staked, 777);
    EXPECT_EQ(figures.won, 555);

    const HistoryFigures none = AllTimeFigures({}, 0, 0);
    EXPECT_EQ(none.games, 0);
    EXPECT_EQ(none.largestWin, 0);
}

TEST(HistoryFiguresTest, ReturnIsRoundedToTenthsAndNeedsAStake) {
    EXPECT_EQ(ReturnText(0, 0), "-");
    EXPECT_EQ(ReturnText(0, 500), "-");
    EXPECT_EQ(ReturnText(-10, 5), "-");
    EXPECT_EQ(ReturnText(3, 2), "66.7 %");  // 66.666...
    EXPECT_EQ(ReturnText(1000, 0), "0.0 %");
    EXPECT_EQ(ReturnText(2000, 1999), "100.0 %");  // 99.95 rounds up
    EXPECT_EQ(ReturnText(2000, 1998), "99.9 %");
    EXPECT_EQ(ReturnText(10, 35), "350.0 %");
    // Totals of a long life do not overflow on the way.
    EXPECT_EQ(ReturnText(400000000000000, 300000000000000), "75.0 %");
    EXPECT_EQ(PointsText(123456), "1234.56 P");
    EXPECT_EQ(PointsText(5), "0.05 P");
}

TEST(HistoryFiguresTest, RowsAreTheGamesNewestFirstWithTheirBalanceInTheirMode) {
    std::vector<HistoryEntry> entries = {Line(HistoryKind::Game, 10), Line(HistoryKind::Spin, 0),
                                         Line(HistoryKind::Game, 20), Line(HistoryKind::Account, 0),
                                         Line(HistoryKind::Game, 30)};
    EXPECT_EQ(GamesNewestFirst(entries), (std::vector<size_t>{4, 2, 0}));
    EXPECT_TRUE(GamesNewestFirst({Line(HistoryKind::Spin, 0)}).empty());

    HistoryEntry game = Line(HistoryKind::Game, 120);
    game.date = "2026/01/31";
    game.time = "23:59:58";
    game.stake = 40;
    game.account.points = 1999;
    game.account.funPoints = 4321;
    EXPECT_EQ(GameTimeText(game, true), "31.01. 23:59:58");
    EXPECT_EQ(GameTimeText(game, false), "01/31 23:59:58");
    EXPECT_EQ(GameRowText(game, true), "31.01. 23:59:58\t0.40 P\t1.20 P\t19.99 P");
    game.fun = 1;
    EXPECT_EQ(GameBalance(game), 4321);
    game.date = "bad";
    EXPECT_EQ(GameTimeText(game, false), "--/-- 23:59:58");
}

TEST(HistoryFiguresTest, AWinRunsThroughTheFirstCellsOfItsLineOrEveryScatter) {
    HistoryEntry game;
    game.grid.fill(0);
    game.grid[2] = game.grid[7] = game.grid[12] = SymbolScatter;
    EXPECT_EQ(WinningCells(game, {0, SymbolScatter, 3, 10}), (std::vector<int64_t>{2, 7, 12}));
    // Line 2 is the middle row, line 4 the V from the top.
    EXPECT_EQ(WinningCells(game, {2, 1, 3, 10}), (std::vector<int64_t>{1, 4, 7}));
    EXPECT_EQ(WinningCells(game, {4, 1, 5, 10}), (std::vector<int64_t>{0, 4, 8, 10, 12}));
    EXPECT_EQ(WinningCells(game, {4, 1, 9, 10}).size(), 5u);  // a count past the reels stops at five
    EXPECT_TRUE(WinningCells(game, {11, 1, 3, 10}).empty());
    EXPECT_TRUE(WinningCells(game, {-1, 1, 3, 10}).empty());
    EXPECT_EQ(PaylineCells(10), (std::vector<int64_t>{2, 4, 7, 10, 12}));
    // Every payline steps one reel at a time, from reel 0 to reel 4.
    for (int64_t line = 1; line <= 10; ++line) {
        const std::vector<int64_t> cells = PaylineCells(line);
        ASSERT_EQ(cells.size(), 5u);
        for (size_t reel = 0; reel < 5; ++reel) EXPECT_EQ(cells[reel] / RowCount, static_cast<int64_t>(reel));
    }
    EXPECT_EQ(PaylineColour(1), 0xFFFFFFu);
    EXPECT_EQ(PaylineColour(3), 0xA3401Au);
    EXPECT_EQ(PaylineColour(0), PaylineColour(99));  // the scatter's own colour
    EXPECT_NE(PaylineColour(0), PaylineColour(1));
}
