// Keeps the player's account on disk as it changes: every spin started, every
// game finished and every other change of the account is a line of the game
// history, followed by the save file with the values as they will arrive
// (a count-up still running is counted as arrived). Both are written by a
// writer thread that always takes the newest record, so a slow disk never
// costs a frame; a write that fails is said once in the game and tried again
// at the next change.
#pragma once

#include <cstdint>
#include <vector>

#include "persist/history.h"
#include "persist/save_file.h"

// Start-up, after the save is read: reads the history, takes the account from
// its last intact line when the save is damaged or lags behind it, settles a
// spin that was in flight, and starts the writer. `save`: what the save's
// reader found (a new player keeps the new player's values). Returns the
// message for the player, empty when none.
std::string StartAccountKeeping(SaveState save);

// A spin was charged and its reels started (RequestSpin).
void NoteSpinStarted();
// The reels stopped and the window was evaluated (the end of a spin).
void NoteSpinOutcome();
// The ladder closed: the rung it started on, the rung it ended on, its value.
void NoteLadderResult(int64_t startRung, int64_t endRung, int64_t value);

// End of every main-loop pass: writes what changed since the last pass and
// tells the player when saving fails or works again.
void KeepAccount();

// Waits until every record handed to the writer is written (or failed).
void WaitForAccountWrites();
// Shutdown: writes what is left and stops the writer.
void FinishAccountKeeping();
// Whether the writes happen on the calling thread (the default: tests and
// tools) or on the writer thread (the game, which calls this with false).
void WriteAccountInline(bool inlineWrites);

// The newest history entries, oldest first (the history window).
const std::vector<HistoryEntry>& RecentHistory();
// Games played, staked, won and the largest win since this run started.
struct SessionFigures {
    int64_t games = 0, staked = 0, won = 0, largestWin = 0, freeSeries = 0;
};
const SessionFigures& SessionStatistics();
// True while the last write failed.
bool AccountSaveFailing();
