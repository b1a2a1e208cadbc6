// The history window played through the menu: it opens on command 2, shows
// the figures and the games of the history, draws the game selected in its
// list, and leaves the game exactly as it goes on behind it.
#include "ui/history_window.h"

#include <string>
#include <vector>

#include "assets/catalogue_numbers.h"
#include "core/account_keeper.h"
#include "persist/history.h"
#include "persist/save_file.h"
#include "platform/platform.h"
#include "tests/support/scenario.h"

namespace {

using headless::GadgetRecord;

constexpr std::array<int64_t, 3> AllOnes{1, 1, 1};
constexpr std::array<int64_t, 3> AllTwos{2, 2, 2};

// What the game is doing, without the clock: opening, using and closing the
// window must leave every one of these as the game alone would.
struct Play {
    int64_t points, funPoints, staked, won, phase, currentWin, level, bet, extraWild, autoplay, mode;
    std::array<int64_t, 5> rests;
    bool operator==(const Play&) const = default;
};

Play Now() {
    Play play{Game.Points, Game.FunPoints,  Game.TotalStaked, Game.TotalWon, Game.GamePhase, Game.CurrentWin,
              Game.Level,  Game.BetPerLine, Game.ExtraWildOn, Game.Autoplay, Game.GameMode,  {}};
    for (size_t r = 0; r < 5; ++r) play.rests[r] = Game.Reels[r].restOffset;
    return play;
}

void MenuCommand(int command) {
    headless::PushEvent(platform::Event{platform::EventKind::Menu, WindowMain, command});
    RunFrames(1);
}

std::vector<std::string> Rows(int gadget) { return headless::GadgetShown(gadget).rows; }

class HistoryWindowTest : public ScenarioTest {
protected:
    // One game that wins 50 (four lines of ones and twos), collected and counted in.
    void PlayWinningGame() {
        ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
        ClickButton(buttons::Start);
        ASSERT_TRUE(SettleSpin());
        ASSERT_TRUE(RunUntil([] { return Game.CurrentWin == 50; }, 1000));
        ClickButton(buttons::Start);
        ASSERT_TRUE(FinishCountUps());
        RunFrames(3);
    }
};

}  // namespace

TEST_F(HistoryWindowTest, CommandTwoOpensItOnceAndTheGameGoesOnUnchangedBehindIt) {
    const auto items = headless::WindowMenuItems(WindowMain);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], (std::pair<int, std::string>{CommandSettings, "Settings"}));
    EXPECT_EQ(items[1], (std::pair<int, std::string>{CommandHistory, "Verlauf"}));

    EndDemoByClick();
    PlayWinningGame();
    const Play before = Now();
    const int64_t clock = Game.FrameTime;
    MenuCommand(CommandHistory);
    ASSERT_TRUE(platform::WindowExists(WindowHistory));
    EXPECT_EQ(platform::WindowTitle(WindowHistory), "Verlauf");
    const std::vector<std::string> games = Rows(GadgetHistoryGames);
    ASSERT_EQ(games.size(), 2u);  // the heads and the one game
    EXPECT_NE(games[1].find("\t0.10 P\t0.50 P\t10.40 P"), std::string::npos) << games[1];
    EXPECT_EQ(platform::GetGadgetState(GadgetHistoryGames), 0);  // the newest is selected

    // A second request raises the one window; clicking its row and closing
    // it touch nothing of the game, while the clock runs on.
    const size_t gadgets = headless::WindowGadgets(WindowHistory).size();
    MenuCommand(CommandHistory);
    EXPECT_EQ(headless::WindowGadgets(WindowHistory).size(), gadgets);
    headless::ClickListRow(GadgetHistoryGames, 0);
    RunFrames(30);
    EXPECT_EQ(Now(), before);
    EXPECT_GT(Game.FrameTime, clock);

    // A game played while it is open: the reels turn and stop, the win is
    // paid, and the game appears on top of the list with the selection
    // staying on the game it was on.
    const int64_t selected = HistoryWindowSelectedSequence();
    PlayWinningGame();
    EXPECT_EQ(Game.Points, before.points + 40);
    const std::vector<std::string> after = Rows(GadgetHistoryGames);
    ASSERT_EQ(after.size(), 3u);
    EXPECT_NE(after[1].find("\t10.80 P"), std::string::npos) << after[1];
    EXPECT_EQ(HistoryWindowSelectedSequence(), selected);
    EXPECT_EQ(platform::GetGadgetState(GadgetHistoryGames), 1);
    EXPECT_EQ(Rows(GadgetHistoryFigures)[1], "Spiele\t2\t2");

    const Play playing = Now();
    headless::PushEvent(platform::Event{platform::EventKind::CloseWindow, WindowHistory, 0});
    RunFrames(1);
    EXPECT_FALSE(platform::WindowExists(WindowHistory));
    EXPECT_TRUE(platform::WindowExists(WindowMain));
    EXPECT_EQ(Now(), playing);
    EXPECT_NE(Game.GamePhase, PhaseQuit);
}

namespace {

// A player with a known past: 123.45 P staked and 110.00 P won in all, and
// three games in the history, one of which won a free-game series.
class KnownHistoryWindowTest : public HistoryWindowTest {
protected:
    void BeforeStartup() override {
        HistoryAccount account{980, 5000, 12100, 10810, "0"};
        std::string lines;
        auto add = [&lines](HistoryEntry entry) { lines += FormatHistoryLine(entry); };
        HistoryEntry first = Entry(1, "21:05:09", 20, 0, account);
        add(first);

        HistoryEntry second = Entry(2, "21:06:10", 20, 150, {1110, 5000, 12120, 10960, "0"});
        second.grid = {10, 3, 2, 4, 3, 5, 0, 3, 10, 6, 5, 1, 7, 6, 10};
        second.wins = {{2, 3, 3, 130}, {0, SymbolScatter, 3, 20}};
        second.scatters = 3;
        second.seriesWon = 10;
        add(second);

        HistoryEntry spin = Entry(3, "21:07:25", 0, 0, {1110, 5000, 12345, 10960, "0"});
        spin.kind = HistoryKind::Spin;
        add(spin);
        HistoryEntry free = Entry(4, "21:07:30", 0, 40, {1150, 5000, 12345, 11000, "0"});
        free.freeGame = free.freeGames = free.seriesPlayed = free.seriesWon = 10;
        add(free);
        ASSERT_TRUE(platform::WriteWholeFile(HistoryFilePath(),
                                             reinterpret_cast<const uint8_t*>(lines.data()), lines.size()));

        SaveRecord record{};
        PutSaveField(record, SavePointsAt, "1150");
        PutSaveField(record, SaveDailyDateAt, "0");
        PutSaveField(record, SaveFunPointsAt, "5000");
        PutSaveField(record, SaveStakedAt, "12345");
        PutSaveField(record, SaveWonAt, "11000");
        ASSERT_TRUE(WriteSaveFile(record, SaveFilePath()));
    }

    static HistoryEntry Entry(int64_t sequence, const char* time, int64_t stake, int64_t win,
                              HistoryAccount account) {
        HistoryEntry entry;
        entry.sequence = sequence;
        entry.kind = HistoryKind::Game;
        entry.date = "2026/12/08";
        entry.time = time;
        entry.betPerLine = 2;
        entry.bid = 20;
        entry.stake = stake;
        entry.win = win;
        entry.grid.fill(4);
        entry.account = std::move(account);
        return entry;
    }
};

}  // namespace

TEST_F(KnownHistoryWindowTest, ShowsTheFiguresAndTheGamesOfTheHistory) {
    ASSERT_EQ(Game.TotalStaked, 12345);
    MenuCommand(CommandHistory);
    ASSERT_TRUE(platform::WindowExists(WindowHistory));
    const std::vector<std::string> figures = Rows(GadgetHistoryFigures);
    const std::vector<std::string> expected = {
        "\tDiese Sitzung\tInsgesamt",
        "Spiele\t0\t3",
        "Einsatz gesamt\t0.00 P\t123.45 P",
        "Gewinn gesamt\t0.00 P\t110.00 P",
        "Auszahlung\t-\t89.1 %",
        "H\xf6"
        "chster Gewinn\t0.00 P\t1.50 P",
        "Freispiel-Serien\t0\t1",
    };
    EXPECT_EQ(figures, expected);
    EXPECT_FALSE(headless::GadgetShown(GadgetHistoryFigures).closed);  // the figures are no choice

    const std::vector<std::string> games = Rows(GadgetHistoryGames);
    const std::vector<std::string> rows = {
        "Zeit\tEinsatz\tGewinn\tKontostand",
        "08.12. 21:07:30\t0.00 P\t0.40 P\t11.50 P",
        "08.12. 21:06:10\t0.20 P\t1.50 P\t11.10 P",
        "08.12. 21:05:09\t0.20 P\t0.00 P\t9.80 P",
    };
    EXPECT_EQ(games, rows);
    EXPECT_EQ(headless::GadgetText(GadgetHistoryHeading),
              "08.12. 21:07:30   \xb7   Freispiel 10 / 10   \xb7   Level 1");
}

TEST_F(KnownHistoryWindowTest, TheSelectedGameIsDrawnAsItsGridWithItsWinningLines) {
    MenuCommand(CommandHistory);
    // Every symbol's first frame was handed to the window at cell size.
    for (int symbol = 0; symbol < 12; ++symbol) {
        const auto size = headless::WindowPictureSize(WindowHistory, HistoryCellPictureFirst + symbol);
        EXPECT_EQ(size, (std::pair<int, int>{80, 64})) << symbol;
    }
    headless::ClickListRow(GadgetHistoryGames, 1);
    RunFrames(1);
    EXPECT_NE(headless::GadgetText(GadgetHistoryHeading).find("21:06:10"), std::string::npos);
    const std::array<int64_t, 15> grid = {10, 3, 2, 4, 3, 5, 0, 3, 10, 6, 5, 1, 7, 6, 10};
    int top = 1 << 20, left = 1 << 20;
    for (int cell = 0; cell < 15; ++cell) {
        const GadgetRecord picture = headless::GadgetShown(GadgetHistoryCellFirst + cell);
        ASSERT_EQ(picture.kind, GadgetRecord::Kind::Picture) << cell;
        EXPECT_EQ(picture.picture, HistoryCellPictureFirst + grid[static_cast<size_t>(cell)]) << cell;
        top = std::min(top, picture.y);
        left = std::min(left, picture.x);
    }
    // Reel by reel, top to bottom: cell 4 is reel 1's middle.
    const GadgetRecord cell4 = headless::GadgetShown(GadgetHistoryCellFirst + 4);
    EXPECT_GT(cell4.x, left);
    EXPECT_GT(cell4.y, top);
    EXPECT_EQ(headless::GadgetShown(GadgetHistoryCellFirst + 3).x, cell4.x);

    // Line 2 is the middle row: drawn level through the middle of its cells
    // in its own colour, from one edge of the grid to the other.
    const GadgetRecord line = headless::GadgetShown(GadgetHistoryLineFirst);
    ASSERT_EQ(line.kind, GadgetRecord::Kind::Line);
    EXPECT_EQ(line.rgb, 0x00B7C0u);
    ASSERT_EQ(line.points.size(), 14u);
    for (size_t p = 1; p < line.points.size(); p += 2) EXPECT_EQ(line.points[p], cell4.y + cell4.h / 2);
    EXPECT_EQ(line.points[4], cell4.x + cell4.w / 2);
    EXPECT_LT(line.points[0], left);

    // The three scatters are framed; the cells that won nothing step back.
    int frames = 0;
    for (int i = 0; i < 15; ++i) frames += headless::GadgetExists(GadgetHistoryFrameFirst + i);
    EXPECT_EQ(frames, 3);
    for (int cell : {0, 1, 4, 7, 8, 14})
        EXPECT_FALSE(headless::GadgetExists(GadgetHistoryDimFirst + cell)) << cell;
    for (int cell : {2, 3, 5, 6, 9, 10, 11, 12, 13})
        EXPECT_TRUE(headless::GadgetExists(GadgetHistoryDimFirst + cell)) << cell;

    EXPECT_EQ(headless::GadgetText(GadgetHistoryKeyTextFirst), "Linie 2:   3 x   1.30 P");
    EXPECT_EQ(headless::GadgetText(GadgetHistoryKeyTextFirst + 1), "Scatter:   3 x   0.20 P");
    EXPECT_EQ(headless::GadgetShown(GadgetHistoryKeySymbolFirst).picture, HistoryKeyPictureFirst + 3);
    EXPECT_EQ(headless::GadgetText(GadgetHistoryResult), "Gewinn 1.50 P   \xb7   Kontostand 11.10 P");

    // A game without a win: nothing drawn over the grid, "no win" said.
    headless::ClickListRow(GadgetHistoryGames, 2);
    RunFrames(1);
    EXPECT_FALSE(headless::GadgetExists(GadgetHistoryLineFirst));
    EXPECT_FALSE(headless::GadgetExists(GadgetHistoryFrameFirst));
    EXPECT_FALSE(headless::GadgetExists(GadgetHistoryDimFirst));
    EXPECT_EQ(headless::GadgetText(GadgetHistoryKeyTextFirst), "Kein Gewinn");
}

namespace {
class EnglishHistoryWindowTest : public HistoryWindowTest {
protected:
    void SetUp() override {
        language = 1;
        HistoryWindowTest::SetUp();
    }
};
}  // namespace

TEST_F(EnglishHistoryWindowTest, AnEmptyHistorySaysSoInEnglish) {
    EXPECT_EQ(headless::WindowMenuItems(WindowMain).back().second, "History");
    MenuCommand(CommandHistory);
    EXPECT_EQ(platform::WindowTitle(WindowHistory), "History");
    EXPECT_EQ(Rows(GadgetHistoryGames), std::vector<std::string>{"Time\tStake\tWin\tBalance"});
    EXPECT_EQ(platform::GetGadgetState(GadgetHistoryGames), -1);
    EXPECT_EQ(headless::GadgetText(GadgetHistoryEmpty), "No games in the history yet.");
    EXPECT_EQ(Rows(GadgetHistoryFigures)[4], "Return\t-\t-");
    EXPECT_FALSE(headless::GadgetExists(GadgetHistoryCellFirst));
}
