// Fun mode, a free-game series and autoplay, played with the mouse.
#include "assets/catalogue_numbers.h"
#include "core/text_table.h"
#include "platform/platform.h"
#include "slot/paylines.h"
#include "tests/support/scenario.h"
#include "ui/layout.h"

namespace {

constexpr std::array<int64_t, 3> Any{-1, -1, -1};
constexpr std::array<int64_t, 3> ScatterOnTop{10, -1, -1};

// Clicks the middle of cell `cell` of the reel window.
void ClickCell(int64_t cell) {
    ClickAt(static_cast<int>(CellX(cell) - Game.ShiftX + 100),
            static_cast<int>(CellY(cell) - Game.ShiftY + 80));
}

class FunModeTest : public ScenarioTest {
protected:
    void SetUp() override {
        funMode = 1;
        ScenarioTest::SetUp();
    }
};

}  // namespace

TEST_F(FunModeTest, ThreePickedWildsThenTheSpinIsStakedFromFunPoints) {
    EndDemoByClick();
    headless::ClearSpriteDrawLog();
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.GamePhase, PhaseWildPick);
    EXPECT_TRUE(MessageShown("Pick 3 Wildpositions"));
    ClickAt(600, 400);  // closes the message and picks the cell under the pointer
    ClickCell(0);
    ClickCell(14);
    EXPECT_EQ(Game.FunWildPicks, 3);
    ClickCell(6);  // a fourth pick is impossible
    EXPECT_EQ(Game.FunWildPicks, 3);
    int marked = 0;
    for (int64_t flag : Game.ExtraWildMap) marked += static_cast<int>(flag);
    EXPECT_EQ(marked, 3);
    EXPECT_EQ(Game.ExtraWildMap[0], 1);
    EXPECT_EQ(Game.ExtraWildMap[14], 1);

    const int64_t points = Game.Points, fun = Game.FunPoints;
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.FunWildPicks, 0);
    EXPECT_EQ(Game.FunPoints, fun - 10);
    EXPECT_EQ(Game.Points, points);
    ASSERT_TRUE(SettleSpin());
    // The picked cells were wilds of this spin.
    EXPECT_EQ(Game.SymbolGrid[0], SymbolWild);
    EXPECT_EQ(Game.SymbolGrid[14], SymbolWild);
}

TEST_F(FunModeTest, AClickOnAMarkedCellMarksTheNextOverlappingOne) {
    EndDemoByClick();
    ClickButton(buttons::Start);
    ClickAt(600, 400);  // closes the message (and picks cell 6 under it)
    const int64_t first = Game.FunWildPicks;
    // Near the bottom-right corner of cell 0 the enlarged rectangles of cells 0, 1, 3 and 4 overlap.
    const int x = static_cast<int>(CellX(0) - Game.ShiftX + 222),
              y = static_cast<int>(CellY(0) - Game.ShiftY + 175);
    ClickAt(x, y);
    EXPECT_EQ(Game.ExtraWildMap[0], 1);
    ClickAt(x, y);
    EXPECT_EQ(Game.ExtraWildMap[1], 1);
    EXPECT_EQ(Game.FunWildPicks, first + 2);
}

class FreeGamesTest : public ScenarioTest {};

TEST_F(FreeGamesTest, ThreeScattersStartASeriesThatEndsWithItsMessage) {
    EndDemoByClick();
    ArrangeNextSpin({ScatterOnTop, ScatterOnTop, ScatterOnTop, Any, Any});
    ClickButton(buttons::Start);
    ASSERT_TRUE(SettleSpin());
    EXPECT_EQ(Game.GameMode, ModeFreeGames);
    EXPECT_EQ(Game.FreeGamesWon, 10);
    EXPECT_EQ(Game.Level, 1);

    // Play the series out: each press collects a win or starts the next free game.
    headless::PinCryptRandomToZero(false);
    headless::SeedCryptRandom(7);
    const int64_t staked = Game.TotalStaked;
    int presses = 0;
    headless::ClearSpriteDrawLog();
    while (Game.GameMode == ModeFreeGames && presses < 400) {
        ASSERT_TRUE(RunUntil(
            [] {
                return Game.GamePhase != PhaseSpinning && Game.CountUps.empty() &&
                       Game.FreeGameAnimations.empty();
            },
            3000));
        // Let every line be shown before pressing.
        RunUntil(
            [] {
                for (const Payline& entry : Game.WinLines)
                    if (entry.presented == 0) return false;
                return Game.BigWinActive == 0;
            },
            3000);
        if (Game.GameMode != ModeFreeGames) break;
        ClickButton(buttons::Start);
        ++presses;
        RunFrames(2);
    }
    ASSERT_EQ(Game.GameMode, ModeBaseGame);
    EXPECT_EQ(Game.FreeGamesPlayed, 0);
    EXPECT_EQ(Game.FreeGamesWon, 0);
    EXPECT_TRUE(MessageShown(Text(TextFreeGamesEnd)));
    EXPECT_GE(Game.TotalStaked - staked, 10 * 10);  // free spins count their bid as staked
}

// Autoplay off, reels and count-ups at rest, nothing pending.
static bool StopAndSettle() {
    Game.Autoplay = 0;
    if (!RunUntil([] { return Game.GamePhase != PhaseSpinning && Game.CountUps.empty(); })) return false;
    if (Game.CurrentWin > 0) {
        RunFrames(20);
        ClickButton(buttons::Start);
    }
    RunFrames(30);
    return RunUntil([] { return Game.CountUps.empty() && Game.CurrentWin == 0; });
}

class AutoplayTest : public ScenarioTest {
protected:
    // A real double-click as SDL reports it: press, release, then a press that
    // carries the double-click (with its event) and its release, a frame apart.
    // `eventFirst` delivers the event a pass before that press is read, as it
    // happens when the window event step is the one that pumps it.
    void DoubleClickStart(bool eventFirst) {
        headless::SetMouse(CentreX(65, 75), CentreY(88, 94));
        headless::SetMouseButton(true);
        RunFrames(1);
        headless::SetMouseButton(false);
        RunFrames(1);
        headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
        if (eventFirst) RunFrames(1);
        headless::SetMouseButton(true, 2);
        RunFrames(1);
        headless::SetMouseButton(false);
        RunFrames(1);
    }
};

TEST_F(AutoplayTest, ARealDoubleClickTogglesAutoplayWhicheverComesFirst) {
    EndDemoByClick();
    headless::PinCryptRandomToZero(false);
    for (bool eventFirst : {false, true}) {
        ASSERT_TRUE(StopAndSettle());
        const int64_t staked = Game.TotalStaked;
        DoubleClickStart(eventFirst);
        EXPECT_EQ(Game.Autoplay, 1) << eventFirst;
        EXPECT_EQ(Game.TotalStaked - staked, 10) << eventFirst;  // the first press's spin only
        // Autoplay then spins by itself.
        ASSERT_TRUE(SettleSpin());
        const int64_t afterFirst = Game.TotalStaked;
        RunFrames(60 * 6);
        EXPECT_GE(Game.TotalStaked - afterFirst, 2 * 10) << eventFirst;
        // A double-click while it runs switches it off again.
        ASSERT_TRUE(RunUntil([] { return Game.GamePhase != PhaseSpinning && Game.CurrentWin == 0; }));
        DoubleClickStart(eventFirst);
        EXPECT_EQ(Game.Autoplay, 0) << eventFirst;
        ASSERT_TRUE(StopAndSettle());
        const int64_t stopped = Game.TotalStaked;
        RunFrames(60 * 5);
        EXPECT_EQ(Game.TotalStaked, stopped) << eventFirst;
    }
}

TEST_F(AutoplayTest, ADoubleClickElsewhereOrInFunModeStaysTwoClicks) {
    EndDemoByClick();
    // On the bet counter both presses count.
    Game.Points = 100000;
    headless::SetMouse(CentreX(49, 58), CentreY(87, 94));
    headless::SetMouseButton(true);
    RunFrames(1);
    headless::SetMouseButton(false);
    RunFrames(1);
    headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
    headless::SetMouseButton(true, 2);
    RunFrames(1);
    headless::SetMouseButton(false);
    RunFrames(1);
    EXPECT_EQ(Game.BetPerLine, 3);
    EXPECT_EQ(Game.Autoplay, 0);
}

TEST_F(AutoplayTest, ADoubleClickStartsAutoplayAndAClickStopsIt) {
    EndDemoByClick();
    headless::PinCryptRandomToZero(false);
    headless::SetMouse(CentreX(65, 75), CentreY(88, 94));
    headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
    RunFrames(1);
    ASSERT_EQ(Game.Autoplay, 1);
    const int64_t staked = Game.TotalStaked;
    RunFrames(60 * 15);  // a quarter of a minute of play
    EXPECT_EQ(Game.Autoplay, 1);
    EXPECT_GE(Game.TotalStaked - staked, 3 * 10);  // several spins started by themselves
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.Autoplay, 0);
    const int64_t stopped = Game.TotalStaked;
    ASSERT_TRUE(SettleSpin());
    RunFrames(60 * 5);
    EXPECT_LE(Game.TotalStaked - stopped, 10);  // at most the press's own spin
}

class DeveloperScattersTest : public ScenarioTest {};

TEST_F(DeveloperScattersTest, KeySLandsScattersOnTheFirstTwoReelsAndItsMessageFollowsTheCollectingPress) {
    EndDemoByClick();
    headless::PinCryptRandomToZero(false);
    int levelUps = 0;
    for (uint64_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        headless::SeedCryptRandom(seed);
        RunFrames(30);
        ASSERT_TRUE(RunUntil([] { return Game.CurrentWin == 0 && Game.CountUps.empty(); }));
        headless::PressKey(platform::KeyS);
        RunFrames(1);
        headless::ReleaseKey(platform::KeyS);
        RunFrames(1);
        const int64_t level = Game.Level;
        ClickButton(buttons::Start);
        ASSERT_EQ(Game.GamePhase, PhaseSpinning);
        ASSERT_TRUE(SettleSpin());
        for (int64_t reel = 0; reel < 2; ++reel) {
            bool scatter = false;
            for (int64_t row = 0; row < 3; ++row)
                scatter = scatter || Game.SymbolGrid[static_cast<size_t>(reel * 3 + row)] == SymbolScatter;
            EXPECT_TRUE(scatter) << "reel " << reel;
        }
        if (Game.GameMode != ModeBaseGame || Game.Level == level) break;  // three scatters: free games
        ++levelUps;
        // The scatters pay the bid: the level-up message waits behind the pending win...
        ASSERT_TRUE(RunUntil([] { return Game.CurrentWin > 0 && !AnyEntryUnpaid(); }));
        RunFrames(60);
        auto messageAlpha = [] {
            for (const headless::DrawRecord& r : headless::LastFrame())
                if (r.kind == headless::DrawKind::Sprite && r.id == SpriteMessage) return r.options.intensity;
            return 0;
        };
        EXPECT_EQ(messageAlpha(), 0);
        // ...and shows once the press has collected it.
        RunFrames(20);
        ClickButton(buttons::Start);
        ASSERT_EQ(Game.CurrentWin, 0);
        RunFrames(60);
        EXPECT_GT(messageAlpha(), 200);
        ClickAt(600, 400);  // a click ends the message
        if (Game.Level == 5) break;
    }
    EXPECT_GE(levelUps, 1);
    // Without the key the reels land as the secure source says.
    ClickAt(600, 400);
    RunFrames(30);
    ASSERT_TRUE(RunUntil([] { return Game.CurrentWin == 0 && Game.CountUps.empty(); }));
    headless::PinCryptRandomToZero(true);
    ArrangeNextSpin({ScatterOnTop, Any, Any, Any, Any});
    ClickButton(buttons::Start);
    ASSERT_TRUE(SettleSpin());
    EXPECT_EQ(Game.SymbolGrid[0], SymbolScatter);
}
