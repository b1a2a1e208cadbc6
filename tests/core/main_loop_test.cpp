#include "core/main_loop.h"

#include "core/developer_keys.h"
#include "core/startup.h"
#include "core/text_table.h"
#include "core/window_events.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"
#include "ui/layout.h"

class MainLoopTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        FillTextTable(0);
        OpenMainWindowForTest();
    }
};

TEST_F(MainLoopTest, FirstPassHasNoFrameDeltaThenFollowsTheClock) {
    headless::SetFrameStep(0);
    RunFrames(1);
    EXPECT_EQ(Game.FrameDelta, 0.0f);
    headless::AdvanceClock(50);
    RunFrames(1);
    EXPECT_NEAR(Game.FrameDelta, 0.051f, 1e-4);  // 50 ms plus the 1 ms rest of the idle pass
}

TEST_F(MainLoopTest, BidFollowsTheBetAndThePaylineCounter) {
    Game.Paylines = 0;
    RunFrames(1);
    EXPECT_EQ(Game.Bid, 0);
    Game.Paylines = 10;
    Game.BetPerLine = 3;
    RunFrames(1);
    EXPECT_EQ(Game.Bid, 30);
}

TEST_F(MainLoopTest, DeveloperKeysActOnRelease) {
    headless::PressKey(platform::KeyEscape);
    RunFrames(1);
    EXPECT_NE(Game.GamePhase, PhaseQuit);
    headless::ReleaseKey(platform::KeyEscape);
    RunFrames(1);
    EXPECT_EQ(Game.GamePhase, PhaseQuit);
    EXPECT_TRUE(MainLoopFinished());

    // The blending keys act on release too (the win display sets the
    // particles' blending again later in each frame, so read them right away).
    Game.GamePhase = PhaseReady;
    Game.ParticleBlendSource = 9;
    headless::PressKey(platform::Key1);
    headless::PressKey(platform::Key2);
    DeveloperKeys();
    EXPECT_EQ(Game.ParticleBlendSource, 9);
    headless::ReleaseKey(platform::Key1);
    headless::ReleaseKey(platform::Key2);
    DeveloperKeys();
    EXPECT_EQ(Game.ParticleBlendSource, 0);  // wraps after 9
    EXPECT_EQ(Game.ParticleBlendDest, 2);
}

TEST_F(MainLoopTest, KeyEStartsABigWinCountUp) {
    headless::PressKey(platform::KeyE);
    RunFrames(1);
    headless::ReleaseKey(platform::KeyE);
    RunFrames(1);
    EXPECT_EQ(Game.BigWinActive, 1);
    EXPECT_EQ(Game.CurrentWin, 100000);
    // Without win lines the count-up shows what is still to come in the displayed win.
    EXPECT_EQ(Game.DisplayedWin + Game.BigWinAmount, 100000);
    EXPECT_GT(Game.DisplayedWin, 0);
    RunFrames(600);  // over 10 s of 17 ms frames
    EXPECT_EQ(Game.BigWinAmount, 100000);
    EXPECT_EQ(Game.CountUpRunning, 0);
}

TEST_F(MainLoopTest, BigWinStartsOnTheLastLineEvenWhileThePresentationIsBlocked) {
    Game.WinDisplayBlocked = 1;
    Game.WinLines.resize(2);
    Game.WinLineCurrent = 0;
    Game.WinWeight = 11;
    Game.CurrentWin = 400;
    RunFrames(1);
    EXPECT_EQ(Game.BigWinActive, 0);
    Game.WinLineCurrent = 1;
    RunFrames(1);
    EXPECT_EQ(Game.BigWinActive, 1);
    EXPECT_EQ(Game.WinWeight, 0);
    EXPECT_EQ(Game.DisplayedWin, 400);
    ASSERT_EQ(Game.CountUps.size(), 1u);
    EXPECT_EQ(Game.CountUps[0].target, &Game.BigWinAmount);

    Game.BigWinActive = 0;  // weight 10 is not enough
    Game.WinWeight = 10;
    RunFrames(1);
    EXPECT_EQ(Game.BigWinActive, 0);
}

TEST_F(MainLoopTest, ClosingTheMainWindowEndsTheLoop) {
    headless::PushEvent({platform::EventKind::CloseWindow, 0, 0});
    RunFrames(1);
    EXPECT_FALSE(platform::WindowExists(0));
    EXPECT_TRUE(MainLoopFinished());
}

TEST_F(MainLoopTest, DoubleClickOnTheStartButtonTogglesAutoplay) {
    RunFrames(1);
    headless::SetMouse(CentreX(65, 75), CentreY(88, 94));
    headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
    RunFrames(1);
    EXPECT_EQ(Game.Autoplay, 1);
    headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
    RunFrames(1);
    EXPECT_EQ(Game.Autoplay, 0);

    // Outside the button nothing happens.
    headless::SetMouse(PercentX(64) - 1, CentreY(88, 94));
    headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
    RunFrames(1);
    EXPECT_EQ(Game.Autoplay, 0);
}

TEST_F(MainLoopTest, DoubleClickIsIgnoredInFunModeAndOnTheWheel) {
    RunFrames(1);
    headless::SetMouse(CentreX(65, 75), CentreY(88, 94));
    for (auto [funMode, phase] :
         {std::pair<int64_t, int64_t>{1, PhaseReady}, {0, PhaseWheelIdle}, {0, PhaseWheelTurning}}) {
        Game.FunMode = funMode;
        Game.GamePhase = phase;
        headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
        RunFrames(1);
        EXPECT_EQ(Game.Autoplay, 0) << funMode << " " << phase;
    }
    Game.FunMode = 0;
    Game.GamePhase = PhaseWheelStopped;  // phase 12 does not block it
    headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
    RunFrames(1);
    EXPECT_EQ(Game.Autoplay, 1);
}

TEST_F(MainLoopTest, AutoplayRectangleMovesWithTheWindowShift) {
    headless::SetClientSize(1080, 668);
    RunFrames(1);
    UpdateWindowShift();
    EXPECT_TRUE(OnAutoplayButton(ScalePercent(1280, 65) - 200, ScalePercent(768, 88) - 100));
    EXPECT_FALSE(OnAutoplayButton(ScalePercent(1280, 75), ScalePercent(768, 94)));
}

TEST_F(MainLoopTest, IdlePassesSleepSoTheLoopNeverSpins) {
    headless::SetFrameStep(0);
    const int64_t before = headless::Clock();
    RunFrames(10);
    EXPECT_EQ(headless::Clock() - before, 10);  // one millisecond of sleep per pass without an event
}
