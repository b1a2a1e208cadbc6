// Quitting never loses the player's points: what is in play is settled and saved.
#include "core/startup.h"
#include "persist/save_file.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "slot/risk_ladder.h"
#include "tests/support/scenario.h"

namespace {

constexpr std::array<int64_t, 3> AllOnes{1, 1, 1};
constexpr std::array<int64_t, 3> AllTwos{2, 2, 2};

class ShutdownTest : public ScenarioTest {
protected:
    // The points the save file holds after a normal end.
    int64_t SavedPointsAfterQuit() {
        headless::PressKey(platform::KeyEscape);
        RunFrames(1);
        headless::ReleaseKey(platform::KeyEscape);
        RunFrames(1);
        EXPECT_EQ(Game.GamePhase, PhaseQuit);
        Shutdown();
        InitGameState(platform::ElapsedMilliseconds(), 0);
        LoadSettings();
        return Game.Points;
    }
};

}  // namespace

TEST_F(ShutdownTest, AWinStillShownIsCollectedIntoTheSave) {
    EndDemoByClick();
    ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
    ClickButton(buttons::Start);
    ASSERT_TRUE(SettleSpin());
    RunFrames(3);  // one line shown and paid, nine still to come
    ASSERT_EQ(Game.CurrentWin, 5);
    EXPECT_EQ(SavedPointsAfterQuit(), 1000 - 10 + 50);
}

TEST_F(ShutdownTest, ASpinInProgressRunsToItsEndAndItsWinIsKept) {
    EndDemoByClick();
    ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
    ClickButton(buttons::Start);
    RunFrames(10);
    ASSERT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(SavedPointsAfterQuit(), 1000 - 10 + 50);
}

TEST_F(ShutdownTest, AnOpenLadderIsTakenAndACountUpArrivesInFull) {
    EndDemoByClick();
    ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
    ClickButton(buttons::Start);
    ASSERT_TRUE(SettleSpin());
    ASSERT_TRUE(RunUntil([] { return Game.CurrentWin == 50; }, 1000));
    ClickButton(buttons::Risk);  // rung 0, then one step up with the pinned source
    ASSERT_EQ(Game.LadderOpen, 1);
    ASSERT_EQ(Game.LadderRung, 1);
    EXPECT_EQ(SavedPointsAfterQuit(), 1000 - 10 + LadderValue(1));
}
