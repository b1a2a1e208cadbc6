// The game's language-dependent words, German or English, as Latin-1 bytes.
#pragma once

#include <cstdint>
#include <string>

enum TextKey : int {
    TextNotEnoughPoints,
    TextChooseWildPositions,
    TextAutoplay,
    TextTitlePoints,
    TextTitleBid,
    TextTitleProfit,
    TextTitleFreeGames,
    TextPointMemory,
    TextPoints,
    TextFunPoints,
    TextBet,
    TextSoundOff,
    TextLevelUp,
    TextRespin,
    TextRandomWild,
    TextExpandingWild,
    TextWinningsDoubled,
    TextYouHave,
    TextFreeGamesWon,
    TextOneFreeGameWon,
    TextFreeGamesEnd,
    TextWon,
    // The account on disk (not part of the original table).
    TextCannotSave,
    TextCannotSaveWhere,
    TextSavingAgain,
    TextSaveRestored,
    TextSaveLost,
    TextHistory,
    TextWheelPrize,
    // The history window.
    TextHistoryThisSession,
    TextHistoryAllTime,
    TextHistoryGames,
    TextHistoryStaked,
    TextHistoryWon,
    TextHistoryReturn,
    TextHistoryLargestWin,
    TextHistoryFreeSeries,
    TextHistoryNote,
    TextHistoryTime,
    TextHistoryStake,
    TextHistoryWin,
    TextHistoryBalance,
    TextHistoryNoGames,
    TextHistoryBaseGame,
    TextHistoryFreeGame,
    TextHistoryFunGame,
    TextHistoryLevel,
    TextHistoryBetPerLine,
    TextHistoryLine,
    TextHistoryScatter,
    TextHistoryNoWin,
    TextHistoryLadder,
    TextKeyCount
};

// Fills every entry from one column: 0 German, any other value English.
// Called once by start-up before the first window opens.
void FillTextTable(int64_t language);

// The entry for `key` in the chosen language.
const std::string& Text(TextKey key);
