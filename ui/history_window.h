// The history window (window 5, "Options" > "History"): the statistics of
// this session and of all time, the last games newest first, and the game
// selected in that list drawn as its grid with its winning lines. It only
// reads: the game goes on behind it and nothing it does changes the game.
#pragma once

#include <cstdint>

// Gadget numbers of the history window (the settings window's are below 100).
enum HistoryGadget : int {
    GadgetHistoryFigures = 100,  // the statistics table
    GadgetHistoryNote,
    GadgetHistoryGames,  // the list of games
    GadgetHistoryEmpty,  // said while there is no game yet
    GadgetHistoryHeading = 110,
    GadgetHistoryDetails,
    GadgetHistoryLadder,
    GadgetHistoryResult,
    GadgetHistoryGridPanel = 120,
    GadgetHistoryCellFirst = 130,       // 15 cells
    GadgetHistoryDimFirst = 150,        // 15 veils over the cells that did not win
    GadgetHistoryLineFirst = 170,       // one line per winning entry
    GadgetHistoryFrameFirst = 190,      // a frame around each winning scatter
    GadgetHistoryKeyColourFirst = 210,  // the list of wins below the grid: its colour,
    GadgetHistoryKeySymbolFirst = 230,  // the symbol,
    GadgetHistoryKeyTextFirst = 250,    // and its line, count and pay
};

// Window picture numbers: the symbols at cell size, then at the size of the list of wins.
constexpr int HistoryCellPictureFirst = 0;
constexpr int HistoryKeyPictureFirst = 20;

// Menu command 2: opens the window with the newest game selected, or raises it when it is open.
void OpenHistoryWindow();
// The list's Gadget event: draws the game now selected.
void SelectHistoryGame();
// The close box or Escape.
void CloseHistoryWindow();
// Every main-loop pass: a game finished while the window is open appears in
// it (the selection stays on the game it was on). Costs nothing otherwise.
void RefreshHistoryWindow();
// The history sequence of the game the window shows; -1 for none.
int64_t HistoryWindowSelectedSequence();
