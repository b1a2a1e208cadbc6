// The account on disk after every game, and what a start makes of a run that
// ended without a shutdown.
#include <chrono>
#include <filesystem>

#include "core/account_keeper.h"
#include "core/text_table.h"
#include "persist/history.h"
#include "persist/save_file.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "tests/support/scenario.h"

namespace {

constexpr std::array<int64_t, 3> AllOnes{1, 1, 1};
constexpr std::array<int64_t, 3> AllTwos{2, 2, 2};

class AccountKeepingTest : public ScenarioTest {
protected:
    int64_t SavedPoints() {
        const auto contents = ReadSaveFile(SaveFilePath());
        EXPECT_TRUE(contents && contents->decoded);
        return contents ? SaveFieldNumber(contents->record, SavePointsAt) : -1;
    }
    std::vector<HistoryEntry> History() { return HistoryFile(HistoryFilePath()).Load(); }
    // The process ends here without a shutdown; a new one reads what is on disk.
    std::string Restart() {
        FinishAccountKeeping();  // nothing is left to write: every pass wrote its own
        InitGameState(platform::ElapsedMilliseconds(), 0);
        LoadSettings();
        FillTextTable(Game.Language);
        return StartAccountKeeping(SaveLoadState());
    }
    void SpinWinningFifty() {
        EndDemoByClick();
        ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
        ClickButton(buttons::Start);
    }
};

}  // namespace

TEST_F(AccountKeepingTest, EveryGameIsSavedAsItEndsWithItsCountUpArrived) {
    SpinWinningFifty();
    RunFrames(2);
    EXPECT_EQ(SavedPoints(), 990);  // the stake is on disk while the reels turn
    ASSERT_TRUE(SettleSpin());
    ASSERT_TRUE(RunUntil([] { return Game.CurrentWin == 50; }, 1000));
    ClickButton(buttons::Start);  // collect: the count-up starts
    RunFrames(1);
    ASSERT_FALSE(Game.CountUps.empty());
    EXPECT_LT(Game.Points, 1040);
    EXPECT_EQ(SavedPoints(), 1040);  // saved as it will arrive
    const std::vector<HistoryEntry> history = History();
    ASSERT_FALSE(history.empty());
    const HistoryEntry& game = history.back();
    EXPECT_EQ(game.kind, HistoryKind::Game);
    EXPECT_EQ(game.stake, 10);
    EXPECT_EQ(game.win, 50);
    EXPECT_EQ(game.account.points, 1040);
    EXPECT_EQ(game.grid[0], 1);
    EXPECT_EQ(game.grid[14], 2);
    ASSERT_FALSE(game.wins.empty());
    int64_t paid = 0;
    for (const HistoryWin& win : game.wins) paid += win.pay;
    EXPECT_EQ(paid, 50);
}

TEST_F(AccountKeepingTest, ASpinCutShortGivesItsStakeBack) {
    SpinWinningFifty();
    RunFrames(10);
    ASSERT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Restart(), "");
    EXPECT_EQ(Game.Points, 1000);
    EXPECT_EQ(Game.TotalStaked, 0);
    EXPECT_EQ(SavedPoints(), 1000);
    EXPECT_EQ(History().back().kind, HistoryKind::Account);
}

TEST_F(AccountKeepingTest, ASpinThatLandedIsPaidWhatItLandedOnOnce) {
    SpinWinningFifty();
    ASSERT_TRUE(SettleSpin());
    Restart();
    EXPECT_EQ(Game.Points, 1040);
    EXPECT_EQ(Game.TotalWon, 50);
    EXPECT_EQ(SavedPoints(), 1040);
    // Settled once: a second start changes nothing.
    Restart();
    EXPECT_EQ(Game.Points, 1040);
}

TEST_F(AccountKeepingTest, ADamagedSaveIsRestoredFromTheHistoryOrStartsFromZeroAndTheCopyStays) {
    SpinWinningFifty();
    ASSERT_TRUE(SettleSpin());
    ClickButton(buttons::Start);
    ASSERT_TRUE(FinishCountUps());
    RunFrames(2);
    const std::string path = SaveFilePath();
    const uint8_t junk[4] = {9, 9, 9, 9};
    ASSERT_TRUE(platform::WriteWholeFile(path, junk, 4));
    const std::string restored = Restart();
    EXPECT_EQ(restored, Text(TextSaveRestored));
    EXPECT_EQ(Game.Points, 1040);
    EXPECT_EQ(Game.TotalWon, 50);
    EXPECT_EQ(SavedPoints(), 1040);
    EXPECT_EQ(platform::FileSize(path + ".damaged"), 4);

    std::filesystem::remove(HistoryFilePath());
    ASSERT_TRUE(platform::WriteWholeFile(path, junk, 3));
    EXPECT_EQ(Restart(), Text(TextSaveLost));
    EXPECT_EQ(Game.Points, 0);
    EXPECT_EQ(platform::FileSize(path + ".damaged.2"), 3);
}

// A save that differs from the history's last line: older than the history it
// was cut off by a crash, and the history holds the points; newer, it was
// written by a copy of the game that keeps no history, and it holds them.
TEST_F(AccountKeepingTest, ASaveAndTheHistoryThatDisagreeTrustTheNewerFile) {
    SpinWinningFifty();
    ASSERT_TRUE(SettleSpin());
    ClickButton(buttons::Start);
    ASSERT_TRUE(FinishCountUps());
    RunFrames(2);
    ASSERT_EQ(SavedPoints(), 1040);
    const std::string path = SaveFilePath();
    auto writeSavedPoints = [&](const char* points) {
        auto contents = ReadSaveFile(path);
        ASSERT_TRUE(contents && contents->decoded);
        PutSaveField(contents->record, SavePointsAt, points);
        ASSERT_TRUE(WriteSaveFile(contents->record, path));
    };
    namespace fs = std::filesystem;
    const auto historyTime = fs::last_write_time(HistoryFilePath());

    writeSavedPoints("1500");  // an older copy of the game played on
    fs::last_write_time(path, historyTime + std::chrono::seconds(5));
    Restart();
    EXPECT_EQ(Game.Points, 1500);
    RunFrames(2);
    EXPECT_EQ(History().back().account.points, 1500);  // the history has caught up

    writeSavedPoints("700");  // the save of the last game never arrived
    fs::last_write_time(path, fs::last_write_time(HistoryFilePath()) - std::chrono::seconds(5));
    Restart();
    EXPECT_EQ(Game.Points, 1500);
}

TEST_F(AccountKeepingTest, ASaveThatFailsIsSaidOnceAndCaughtUpWhenWritingWorksAgain) {
    // Something in the way of the history: nothing can be written.
    const std::string history = HistoryFilePath();
    std::filesystem::remove(history);
    std::filesystem::create_directory(history);
    headless::ClearSpriteDrawLog();
    SpinWinningFifty();
    RunFrames(2);
    EXPECT_TRUE(AccountSaveFailing());
    EXPECT_FALSE(MessageShown(Text(TextCannotSave)));  // not over the turning reels
    EXPECT_EQ(SavedPoints(), 1000);                    // the old save survives
    ASSERT_TRUE(SettleSpin());
    ASSERT_TRUE(RunUntil([] { return Game.CurrentWin == 50; }, 1000));
    EXPECT_FALSE(MessageShown(Text(TextCannotSave)));  // nor over the win still to collect
    ClickButton(buttons::Start);                       // collect: the game is over
    ASSERT_TRUE(FinishCountUps());
    RunFrames(2);
    EXPECT_TRUE(MessageShown(Text(TextCannotSave)));
    EXPECT_EQ(SavedPoints(), 1000);
    headless::ClearSpriteDrawLog();
    RunFrames(400);  // the writes are tried again every five seconds
    EXPECT_TRUE(AccountSaveFailing());
    EXPECT_FALSE(MessageShown(Text(TextCannotSave)));  // once, not at every try

    std::filesystem::remove(history);  // the next try catches up
    ASSERT_TRUE(RunUntil([] { return !AccountSaveFailing(); }, 1000));
    RunFrames(2);
    EXPECT_TRUE(MessageShown(Text(TextSavingAgain)));
    EXPECT_EQ(SavedPoints(), 1040);
    const std::vector<HistoryEntry> lines = History();
    ASSERT_GE(lines.size(), 2u);  // the spin's lines were kept and written late
    EXPECT_EQ(lines.front().kind, HistoryKind::Spin);
    EXPECT_EQ(lines.back().account.points, 1040);
}

TEST_F(AccountKeepingTest, ACannotSaveMessageNeverTakesThePlaceOfOneThePlayerHasNotSeen) {
    const std::string history = HistoryFilePath();
    std::filesystem::remove(history);
    std::filesystem::create_directory(history);
    EndDemoByClick();
    headless::ClearSpriteDrawLog();
    // The spin whose stake cannot be saved wins free games.
    constexpr std::array<int64_t, 3> Any{-1, -1, -1};
    constexpr std::array<int64_t, 3> ScatterOnTop{SymbolScatter, -1, -1};
    ArrangeNextSpin({ScatterOnTop, ScatterOnTop, ScatterOnTop, Any, Any});
    ClickButton(buttons::Start);
    ASSERT_TRUE(SettleSpin());
    ASSERT_EQ(Game.GameMode, ModeFreeGames);
    RunFrames(60);
    EXPECT_TRUE(AccountSaveFailing());
    EXPECT_TRUE(MessageShown(Text(TextYouHave)));
    EXPECT_FALSE(MessageShown(Text(TextCannotSave)));

    // Played on, the player is told as soon as nothing else is on the screen.
    headless::PinCryptRandomToZero(false);
    headless::SeedCryptRandom(3);
    bool told = false;
    for (int presses = 0; presses < 30 && !told; ++presses) {
        ClickButton(buttons::Start);
        ASSERT_TRUE(RunUntil([] { return Game.GamePhase != PhaseSpinning && Game.CountUps.empty(); }, 3000));
        RunFrames(60);
        told = MessageShown(Text(TextCannotSave));
    }
    EXPECT_TRUE(told);
}
