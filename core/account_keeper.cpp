#include "core/account_keeper.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "core/text_table.h"
#include "persist/save_file.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "slot/paylines.h"
#include "ui/messages.h"

namespace {

// ---------------------------------------------------------------- writer

// Lines waiting for the disk and the newest save record. Lines are never
// dropped: a failed write keeps them for the next try.
struct Writer {
    std::mutex lock;
    std::condition_variable wake, idle;
    std::vector<std::string> lines;
    SaveRecord record{};
    bool recordWaiting = false;
    bool busy = false;
    bool stop = false;
    std::thread thread;
    std::atomic<int> failing{0};  // 1 after a failed write, 0 after a good one
    bool inlineWrites = true;     // the game's own program starts the thread
    HistoryFile* history = nullptr;
    std::string savePath;
};

Writer gWriter;
HistoryFile* gHistory = nullptr;

// One write of what is waiting; runs on the writer thread (or inline).
bool WriteOnce(std::vector<std::string>& lines, const SaveRecord& record) {
    // The history first: it is the journal the start-up trusts when the save
    // lags behind it.
    if (!gWriter.history->Append(lines)) return false;
    lines.clear();
    return WriteSaveFile(record, gWriter.savePath);
}

void WriterLoop() {
    std::unique_lock<std::mutex> guard(gWriter.lock);
    for (;;) {
        gWriter.wake.wait(guard, [] { return gWriter.stop || gWriter.recordWaiting; });
        if (!gWriter.recordWaiting && gWriter.stop) break;
        std::vector<std::string> lines;
        lines.swap(gWriter.lines);
        const SaveRecord record = gWriter.record;
        gWriter.recordWaiting = false;
        gWriter.busy = true;
        guard.unlock();
        const bool ok = WriteOnce(lines, record);
        guard.lock();
        gWriter.busy = false;
        if (!ok) {
            // Kept for the next try, in front of anything newer.
            lines.insert(lines.end(), gWriter.lines.begin(), gWriter.lines.end());
            gWriter.lines.swap(lines);
        }
        gWriter.failing = ok ? 0 : 1;
        gWriter.idle.notify_all();
        if (gWriter.stop && !gWriter.recordWaiting) break;
    }
}

void Hand(std::vector<std::string> lines, const SaveRecord& record) {
    if (gWriter.inlineWrites || !gWriter.thread.joinable()) {
        gWriter.lines.insert(gWriter.lines.end(), lines.begin(), lines.end());
        std::vector<std::string> waiting;
        waiting.swap(gWriter.lines);
        const bool ok = WriteOnce(waiting, record);
        if (!ok) gWriter.lines.swap(waiting);
        gWriter.failing = ok ? 0 : 1;
        return;
    }
    {
        std::lock_guard<std::mutex> guard(gWriter.lock);
        gWriter.lines.insert(gWriter.lines.end(), lines.begin(), lines.end());
        gWriter.record = record;
        gWriter.recordWaiting = true;
    }
    gWriter.wake.notify_one();
}

// ------------------------------------------------------------- the journal

int64_t gSequence = 0;
HistoryAccount gWritten;  // the account of the last line handed to the writer
bool gWrittenKnown = false;
std::vector<std::string> gPending;  // lines of this pass
std::vector<HistoryEntry> gRecent;
SessionFigures gSession;
int gToldFailing = 0;      // 1 once the player was told that saving fails
int64_t gOwnMessage = -1;  // MessagesBuilt() right after the keeper's last message

// The spin in play: its line, filled in as it goes.
bool gSpinOpen = false, gOutcomeKnown = false;
HistoryEntry gSpin;
int64_t gWonAtStart = 0;

int64_t Arriving(const int64_t* target) {
    int64_t value = *target;
    for (const CountUp& countUp : Game.CountUps)
        if (countUp.target == target) value += countUp.remaining;
    return value;
}

HistoryAccount ArrivedAccount() {
    HistoryAccount account;
    account.points = Arriving(&Game.Points);
    account.funPoints = Arriving(&Game.FunPoints);
    account.staked = Game.TotalStaked;
    account.won = Game.TotalWon;
    account.daily = Game.LastDailyDate;
    return account;
}

SaveRecord RecordOf(const HistoryAccount& account) {
    SaveRecord record{};
    PutSaveField(record, SavePointsAt, std::to_string(account.points));
    PutSaveField(record, SaveDailyDateAt, account.daily);
    PutSaveField(record, SaveFunPointsAt, std::to_string(account.funPoints));
    PutSaveField(record, SaveStakedAt, std::to_string(account.staked));
    PutSaveField(record, SaveWonAt, std::to_string(account.won));
    return record;
}

HistoryEntry Stamp(HistoryKind kind) {
    HistoryEntry entry;
    entry.kind = kind;
    const int64_t now = platform::CurrentDate();
    entry.date = platform::FormatDate("%yyyy/%mm/%dd", now);
    entry.time = platform::FormatDate("%hh:%ii:%ss", now);
    entry.fun = Game.FunMode;
    entry.level = Game.Level;
    entry.betPerLine = Game.BetPerLine;
    entry.extraWild = Game.ExtraWildOn;
    return entry;
}

void Queue(HistoryEntry entry) {
    entry.sequence = ++gSequence;
    entry.account = ArrivedAccount();
    // Where a free-game series stands, so that a crash does not end it.
    const bool series = Game.GameMode == ModeFreeGames;
    entry.seriesPlayed = series ? Game.FreeGamesPlayed : 0;
    entry.seriesWon = series ? Game.FreeGamesWon : 0;
    entry.freeGamesWin = series ? Game.FreeGamesWin : 0;
    for (int64_t cell = 0; cell < CellCount; ++cell)
        entry.sticky[static_cast<size_t>(cell)] = series ? Game.ExtraWildMap[cell] : 0;
    gPending.push_back(FormatHistoryLine(entry));
    gRecent.push_back(std::move(entry));
    if (gRecent.size() > HistoryKeptLines) gRecent.erase(gRecent.begin(), gRecent.begin() + HistorySlack);
}

void CloseGame() {
    HistoryEntry game = gSpin;
    game.kind = HistoryKind::Game;
    game.win = Game.TotalWon - gWonAtStart;
    gSession.games += 1;
    gSession.staked += game.stake;
    gSession.won += game.win;
    gSession.largestWin = std::max(gSession.largestWin, game.win);
    if (game.freeGames == 0 && Game.GameMode == ModeFreeGames) gSession.freeSeries += 1;
    gSpinOpen = false;
    gOutcomeKnown = false;
    Queue(std::move(game));
}

bool GameComplete() {
    return gSpinOpen && gOutcomeKnown && (Game.GamePhase == PhaseSettled || Game.GamePhase == PhaseReady) &&
           Game.CurrentWin == 0 && Game.LadderOpen == 0 && !AnyEntryUnpaid();
}

// The save's folder as the message shows it: a path too wide for the
// message's text column loses its front to "...", so that its end (the
// game's own folders) always shows whole.
std::string SaveFolderForMessage() {
    constexpr int Widest = 380;  // pixels of the column, centred in the picture
    const std::string folder = SettingsFolder();
    if (platform::SystemTextWidth(SystemFont15, folder) <= Widest) return folder;
    std::string tail = folder;
    while (tail.size() > 1 && platform::SystemTextWidth(SystemFont15, "..." + tail) > Widest)
        tail.erase(0, 1);
    return "..." + tail;
}

// A free-game series the last line left open goes on with its count, its
// sticky wilds and its win so far.
void ResumeSeries(const HistoryEntry& last) {
    if (last.seriesWon <= 0 || last.seriesPlayed < 0 || last.seriesPlayed >= last.seriesWon) return;
    Game.GameMode = ModeFreeGames;
    Game.FreeGamesPlayed = last.seriesPlayed;
    Game.FreeGamesWon = last.seriesWon;
    Game.FreeGamesWin = last.freeGamesWin;
    Game.Level = 1;
    for (int64_t cell = 0; cell < CellCount; ++cell)
        Game.ExtraWildMap[cell] = last.sticky[static_cast<size_t>(cell)] ? 1 : 0;
}

}  // namespace

void NoteSpinStarted() {
    if (gSpinOpen && gOutcomeKnown) CloseGame();  // the last game is over once the next one starts
    gSpin = Stamp(HistoryKind::Spin);
    gSpin.bid = Game.Bid;
    const bool freeGame = Game.GameMode == ModeFreeGames;
    gSpin.stake = freeGame ? 0 : Game.Bid + Game.ExtraWildCost;
    gSpin.freeGame = freeGame ? Game.FreeGamesPlayed : 0;
    gSpin.freeGames = freeGame ? Game.FreeGamesWon : 0;
    for (int64_t r = 0; r < ReelCount; ++r) gSpin.stops[static_cast<size_t>(r)] = Game.Reels[r].targetOffset;
    gWonAtStart = Game.TotalWon;
    gSpinOpen = true;
    gOutcomeKnown = false;
    Queue(gSpin);
}

void NoteSpinOutcome() {
    if (!gSpinOpen) return;
    for (int64_t cell = 0; cell < CellCount; ++cell)
        gSpin.grid[static_cast<size_t>(cell)] = Game.SymbolGrid[cell];
    gSpin.wins.clear();
    gSpin.scatters = 0;
    for (int64_t cell = 0; cell < CellCount; ++cell) gSpin.scatters += Game.SymbolGrid[cell] == SymbolScatter;
    // Valued the way PayEntry will pay them, without touching the series' win.
    const int64_t keep = Game.FreeGamesWin;
    for (const Payline& entry : Game.WinLines) {
        int64_t count = 0;
        for (const int64_t counted : entry.counted) count += counted;
        gSpin.wins.push_back(
            {entry.symbol == SymbolScatter && entry.lineNo == ScatterLineNo ? 0 : entry.lineNo + 1,
             entry.symbol, count, LinePay(entry.symbol, entry.payFactor)});
    }
    Game.FreeGamesWin = keep;
    for (int64_t r = 0; r < ReelCount; ++r) gSpin.stops[static_cast<size_t>(r)] = Game.Reels[r].restOffset;
    gOutcomeKnown = true;
    // What the reels landed on is owed from now on, should the game not get
    // as far as collecting it.
    HistoryEntry landed = gSpin;
    landed.landed = 1;
    landed.win = 0;
    for (const HistoryWin& win : landed.wins) landed.win += win.pay;
    Queue(std::move(landed));
}

void NoteLadderResult(int64_t startRung, int64_t endRung, int64_t value) {
    if (!gSpinOpen) return;
    gSpin.gambled = true;
    gSpin.ladderStart = startRung;
    gSpin.ladderEnd = endRung;
    gSpin.ladderValue = value;
}

void KeepAccount() {
    if (!gHistory) return;
    if (GameComplete()) CloseGame();
    const HistoryAccount now = ArrivedAccount();
    if (gPending.empty() && (!gWrittenKnown || !(now == gWritten))) Queue(Stamp(HistoryKind::Account));
    if (!gPending.empty()) {
        gWritten = now;
        gWrittenKnown = true;
        std::vector<std::string> lines;
        lines.swap(gPending);
        Hand(std::move(lines), RecordOf(now));
    }
    // Said once when saving stops working, and once when it works again, when
    // the message has the screen to itself: not over turning reels or a win
    // still to collect, and never in place of a message the player has not
    // seen yet (free games won, a level up), which would swallow it.
    const int failing = gWriter.failing.load();
    // The keeper's own message may give way to its news.
    const bool overlayFree = Game.MessageOverlayOn == 0 || MessagesBuilt() == gOwnMessage;
    const bool screenFree = Game.SpinFinished == 1 && Game.CurrentWin == 0 && overlayFree;
    if (failing != gToldFailing && screenFree) {
        gToldFailing = failing;
        if (failing)
            ShowMessage(Text(TextCannotSave), Text(TextCannotSaveWhere), SaveFolderForMessage(), "", 1,
                        SystemFont20, SystemFont20, SystemFont15, SystemFont10);
        else
            ShowMessage(Text(TextSavingAgain), "", "", "", 1, SystemFont20, SystemFont20, SystemFont15,
                        SystemFont10);
        Game.MessageOverlayOn = 1;
        gOwnMessage = MessagesBuilt();
    }
    // A failed write is tried again after a while even when nothing changes.
    static int64_t retryAt = 0;
    if (failing && Game.FrameTime >= retryAt) {
        retryAt = Game.FrameTime + 5000;
        Hand({}, RecordOf(now));
    }
}

std::string StartAccountKeeping(SaveState save) {
    const bool saveDamaged = save == SaveState::Damaged;
    FinishAccountKeeping();
    static HistoryFile history("");
    history = HistoryFile(HistoryFilePath());
    gHistory = &history;
    gWriter.history = gHistory;
    gWriter.savePath = SaveFilePath();
    gWriter.failing = 0;
    gWriter.lines.clear();
    gPending.clear();
    gToldFailing = 0;
    gOwnMessage = -1;
    gSpinOpen = gOutcomeKnown = false;
    gSession = {};
    gRecent = history.Load();
    gSequence = gRecent.empty() ? 0 : gRecent.back().sequence;

    std::string message;
    const HistoryAccount saved = ArrivedAccount();
    if (!gRecent.empty()) {
        const HistoryEntry& last = gRecent.back();
        // The history is written before the save: a save that differs from
        // the last line and is older than it was cut off by a crash (or is
        // damaged). A save newer than the history was written by a copy of
        // the game that keeps no history: it holds the player's latest points.
        const bool historyNewer = platform::FileModifiedNanoseconds(HistoryFilePath()) >
                                  platform::FileModifiedNanoseconds(SaveFilePath());
        if (saveDamaged || (save == SaveState::Decoded && !(last.account == saved) && historyNewer)) {
            Game.Points = last.account.points;
            Game.FunPoints = last.account.funPoints;
            Game.TotalStaked = last.account.staked;
            Game.TotalWon = last.account.won;
            Game.LastDailyDate = last.account.daily;
            Game.DailyAvailable =
                Game.LastDailyDate == platform::FormatDate("%yyyy/%mm/%dd", platform::CurrentDate()) ? 0 : 1;
        }
        // The history catches up with a newer save, so that a later crash
        // does not take the player back to the older line.
        if (!saveDamaged && save == SaveState::Decoded && !(last.account == saved) && !historyNewer)
            Queue(Stamp(HistoryKind::Account));
        if (saveDamaged) message = Text(TextSaveRestored);
        // A spin in flight is settled: one whose reels had stopped is paid
        // what it landed on (the win before any gamble), one still turning
        // gives its stake back.
        if (last.kind == HistoryKind::Spin && save != SaveState::Missing) {
            HistoryEntry settled = last;
            settled.kind = HistoryKind::Account;
            int64_t& balance = last.fun ? Game.FunPoints : Game.Points;
            if (last.landed) {
                balance += last.win;
                Game.TotalWon += last.win;
            } else {
                balance += last.stake;
                Game.TotalStaked -= last.bid;
                settled.win = 0;
            }
            // A free game still turning is played again.
            if (!last.landed && last.freeGames > 0) settled.seriesPlayed -= 1;
            ResumeSeries(settled);
            Queue(settled);
        } else if (save != SaveState::Missing) {
            ResumeSeries(last);
        }
    } else if (saveDamaged) {
        message = Text(TextSaveLost);
    }
    if (!gWriter.inlineWrites) {
        gWriter.stop = false;
        gWriter.thread = std::thread(WriterLoop);
    }
    // The disk catches up with what the history said; a start that changed
    // nothing writes nothing.
    gWritten = ArrivedAccount();
    gWrittenKnown = true;
    if (!gPending.empty()) {
        KeepAccount();
    } else if (!(gWritten == saved) || saveDamaged) {
        Hand({}, RecordOf(gWritten));
    }
    return message;
}

void WaitForAccountWrites() {
    if (!gWriter.thread.joinable()) return;
    std::unique_lock<std::mutex> guard(gWriter.lock);
    gWriter.idle.wait(guard, [] { return !gWriter.recordWaiting && !gWriter.busy; });
}

void FinishAccountKeeping() {
    if (gHistory && gSpinOpen && gOutcomeKnown && Game.CurrentWin == 0 && !AnyEntryUnpaid()) CloseGame();
    if (gHistory) KeepAccount();
    if (gWriter.thread.joinable()) {
        {
            std::lock_guard<std::mutex> guard(gWriter.lock);
            gWriter.stop = true;
        }
        gWriter.wake.notify_one();
        gWriter.thread.join();
    }
    gWriter.stop = false;
    gHistory = nullptr;
}

void WriteAccountInline(bool inlineWrites) { gWriter.inlineWrites = inlineWrites; }

const std::vector<HistoryEntry>& RecentHistory() { return gRecent; }
const SessionFigures& SessionStatistics() { return gSession; }
bool AccountSaveFailing() { return gWriter.failing.load() != 0; }
