// The game history "History.dat" beside the save: one text line per game
// (and per spin started, and per change of the account outside a game),
// append-only, each line sealed with a CRC-32 so that a torn or damaged line
// is dropped rather than trusted. The newest 1,000 lines are kept.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr size_t HistoryKeptLines = 1000;
// Lines past the kept ones before the file is rewritten with the newest 1,000.
constexpr size_t HistorySlack = 100;
// Longer lines are not ours: dropped unread.
constexpr size_t HistoryLineLimit = 2048;

enum class HistoryKind { Spin, Game, Account };

// A winning line or the scatter entry of a game: line 0 is the scatter.
struct HistoryWin {
    int64_t line = 0, symbol = 0, count = 0, pay = 0;
};

// The player's five saved values after a line's event.
struct HistoryAccount {
    int64_t points = 0, funPoints = 0, staked = 0, won = 0;
    std::string daily = "0";
    bool operator==(const HistoryAccount&) const = default;
};

struct HistoryEntry {
    int64_t sequence = 0;
    HistoryKind kind = HistoryKind::Game;
    std::string date, time;               // "%yyyy/%mm/%dd", "%hh:%ii:%ss"
    int64_t fun = 0;                      // played with fun points
    int64_t freeGame = 0, freeGames = 0;  // free game n of m; 0 of 0 in the base game
    int64_t level = 1, betPerLine = 1, stake = 0, bid = 0, extraWild = 0;
    std::array<int64_t, 5> stops{};           // the reels' stop targets (spin lines)
    std::array<int64_t, 15> grid{};           // symbols after the level wilds (game lines)
    std::array<int64_t, 15> sticky{};         // the free games' sticky wilds after the event
    int64_t seriesPlayed = 0, seriesWon = 0;  // the free-game series after the event; 0, 0 without one
    std::vector<HistoryWin> wins;
    int64_t scatters = 0;      // scatters in the window
    int64_t freeGamesWin = 0;  // the series' win so far, after the event
    bool gambled = false;
    int64_t ladderStart = 0, ladderEnd = 0, ladderValue = 0;
    int64_t landed = 0;  // spin lines: the reels had stopped on `grid`
    int64_t win = 0;     // collected by this game; owed by a landed spin
    HistoryAccount account;
};

// CRC-32 (the zlib polynomial) of `text`.
uint32_t HistoryCrc(std::string_view text);

// The line for `entry`, with its CRC and the newline.
std::string FormatHistoryLine(const HistoryEntry& entry);
// The entry of one line (without its newline); nothing for a line that is
// torn, damaged, too long, binary or not ours.
std::optional<HistoryEntry> ParseHistoryLine(std::string_view line);

// The intact entries in `bytes`, oldest first, at most the newest `most`:
// damaged lines are dropped one by one, and so is a line whose sequence does
// not follow the one before. `cutFront`: the bytes start inside the file, so
// their first piece is no whole line.
std::vector<HistoryEntry> ParseHistory(std::string_view bytes, bool cutFront, size_t most = HistoryKeptLines);

// The history file: reads only its tail, appends lines, rewrites itself with
// the newest lines when it has grown past the kept ones.
class HistoryFile {
public:
    explicit HistoryFile(std::string path) : path_(std::move(path)) {}
    // Reads the newest intact entries (a huge file is read from its end only).
    std::vector<HistoryEntry> Load();
    // Appends whole lines and flushes them; false when they could not be written.
    bool Append(const std::vector<std::string>& lines);
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::deque<std::string> recent_;  // the newest lines as written
    size_t linesInFile_ = 0;
    bool mustRewrite_ = false;  // the file holds more than the kept lines, or damage
};

// Full path of the history file: the settings folder plus "History.dat".
std::string HistoryFilePath();
