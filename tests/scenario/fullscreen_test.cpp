// Fullscreen: the whole screen with no shift, chosen with F11 or Alt+Enter at
// any moment without changing anything of the game, kept for the next start.
#include <vector>

#include "core/main_loop.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "persist/settings_window.h"
#include "platform/platform.h"
#include "tests/support/scenario.h"
#include "ui/layout.h"

namespace {

constexpr std::array<int64_t, 3> AllOnes{1, 1, 1};
constexpr std::array<int64_t, 3> AllTwos{2, 2, 2};

// What the player has and sees of the game in one frame.
struct Moment {
    int64_t points, currentWin, displayedWin, phase, ladderOpen, ladderRung, frameTime, message, settingsOpen,
        countUp, autoplay;
    bool operator==(const Moment&) const = default;
};

Moment Now() {
    return Moment{Game.Points,         Game.CurrentWin,       Game.DisplayedWin,
                  Game.GamePhase,      Game.LadderOpen,       Game.LadderRung,
                  Game.FrameTime,      Game.MessageOverlayOn, Game.SettingsWindowOpen,
                  Game.CountUpRunning, Game.Autoplay};
}

class FullscreenTest : public ScenarioTest {
protected:
    // Runs `frames` frames, recording each; while `toggling`, F11 or Alt+Enter
    // goes down and up again every few frames.
    void Frames(int frames) {
        for (int i = 0; i < frames; ++i, ++frame) {
            if (toggling && frame % 9 == 0) {
                const bool alt = frame % 18 == 0;
                if (alt) headless::PressKey(platform::KeyAlt);
                headless::PressKey(alt ? platform::KeyReturn : platform::KeyF11);
            }
            if (toggling && frame % 9 == 2) {
                headless::ReleaseKey(platform::KeyF11);
                headless::ReleaseKey(platform::KeyReturn);
                headless::ReleaseKey(platform::KeyAlt);
            }
            RunFrames(1);
            moments.push_back(Now());
            switches += platform::WindowFullscreen(0) != wasFullscreen;
            wasFullscreen = platform::WindowFullscreen(0);
            if (wasFullscreen) {
                EXPECT_EQ(Game.ShiftX, 0);  // the whole screen, nothing cut
                EXPECT_EQ(Game.ShiftY, 0);
            }
        }
    }
    void Click(const PercentRect& rect) {
        ClickButton(rect);
        moments.push_back(Now());
    }
    // A win and its presentation, the ladder's countdown, the count-up of the
    // win, an open message and the settings window.
    void Play() {
        EndDemoByClick();
        ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
        Click(buttons::Start);
        Frames(700);
        Click(buttons::Risk);
        Frames(120);
        Click(buttons::LadderTake);
        Frames(25);  // a press within 300 ms of the ladder closing buys nothing
        Click(buttons::Start);
        Frames(40);
        Click(buttons::Info);
        Frames(30);
        Click(buttons::Bet);  // closes the message
        headless::PushEvent(platform::Event{platform::EventKind::Menu, 0, 1});
        Frames(30);
        headless::PushEvent(platform::Event{platform::EventKind::CloseWindow, WindowSettings, 0});
        Frames(10);
    }
    bool toggling = false;
    int frame = 0;
    int switches = 0;
    bool wasFullscreen = false;
    std::vector<Moment> moments;
};

}  // namespace

TEST_F(FullscreenTest, SwitchingAtAnyMomentChangesNothingInTheGame) {
    Play();
    const std::vector<Moment> plain = moments;
    const int64_t won = Game.TotalWon;
    ASSERT_GT(won, 0);
    EXPECT_EQ(switches, 0);
    bool ladder = false, countUp = false, message = false, settings = false;
    for (const Moment& m : plain) {
        ladder = ladder || m.ladderOpen;
        countUp = countUp || m.countUp;
        message = message || m.message;
        settings = settings || m.settingsOpen;
    }
    ASSERT_TRUE(ladder && countUp && message && settings);

    // The same game again, switching all the way through.
    ScenarioTest::TearDown();
    ScenarioTest::SetUp();
    moments.clear();
    frame = 0;
    toggling = true;
    Play();
    EXPECT_GT(switches, 50);
    ASSERT_EQ(moments.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i) ASSERT_TRUE(moments[i] == plain[i]) << "frame " << i;
    EXPECT_EQ(Game.TotalWon, won);
    EXPECT_TRUE(headless::MessageBoxes().size() == 1u);  // only the settings window's own "not saved"
}

TEST_F(FullscreenTest, AClickWhereTheWholeScreenShowsSpinsAndTheModeIsKept) {
    EndDemoByClick();
    ASSERT_EQ(Game.ShiftY, 20);
    headless::PressKey(platform::KeyF11);
    RunFrames(1);
    EXPECT_FALSE(platform::WindowFullscreen(0));  // on release, not on press
    headless::ReleaseKey(platform::KeyF11);
    RunFrames(1);
    ASSERT_TRUE(platform::WindowFullscreen(0));
    EXPECT_EQ(Game.Fullscreen, 1);
    const int64_t points = Game.Points;
    // The start button at its own layout place: no shift any more.
    ClickAt(static_cast<int>(ScalePercent(1280, 70)), static_cast<int>(ScalePercent(768, 91)));
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.Points, points - Game.Bid);
    ASSERT_TRUE(SettleSpin());

    // Kept for the next start.
    Shutdown();
    headless::Reset();
    InitGameState(0, 0);
    ASSERT_TRUE(Startup());
    EXPECT_TRUE(platform::WindowFullscreen(0));
    EXPECT_EQ(Game.Fullscreen, 1);
    RunFrames(1);
    EXPECT_EQ(Game.ShiftY, 0);
}

TEST_F(FullscreenTest, ADesktopThatRefusesLeavesTheWindowWithoutAMessage) {
    EndDemoByClick();
    headless::FailService(headless::Service::Fullscreen);
    const size_t boxes = headless::MessageBoxes().size();
    headless::PressKey(platform::KeyAlt);
    headless::PressKey(platform::KeyReturn);
    RunFrames(1);
    headless::ReleaseKey(platform::KeyReturn);
    RunFrames(1);
    headless::ReleaseKey(platform::KeyAlt);
    RunFrames(1);
    EXPECT_FALSE(platform::WindowFullscreen(0));
    EXPECT_EQ(Game.Fullscreen, 0);
    EXPECT_EQ(Game.ShiftY, 20);
    EXPECT_EQ(headless::MessageBoxes().size(), boxes);
    // Enter alone is no switch; Alt let go together with Enter is.
    headless::FailService(headless::Service::Fullscreen, false);
    headless::PressKey(platform::KeyReturn);
    RunFrames(1);
    headless::ReleaseKey(platform::KeyReturn);
    RunFrames(1);
    EXPECT_FALSE(platform::WindowFullscreen(0));
    headless::PressKey(platform::KeyAlt);
    headless::PressKey(platform::KeyReturn);
    RunFrames(1);
    headless::ReleaseKey(platform::KeyReturn);
    headless::ReleaseKey(platform::KeyAlt);
    RunFrames(1);
    EXPECT_TRUE(platform::WindowFullscreen(0));
}

TEST_F(FullscreenTest, AScaledWindowShowsTheWholeScreenWhateverItsSize) {
    EndDemoByClick();
    Game.ScaleWindow = 1;  // as the settings window's "OK" leaves it
    Shutdown();
    headless::Reset();
    InitGameState(0, 0);
    ASSERT_TRUE(Startup());
    EXPECT_EQ(Game.ScaleWindow, 1);
    EXPECT_FALSE(platform::WindowFullscreen(0));
    headless::SetClientSize(1080, 668);
    RunFrames(1);
    EXPECT_EQ(Game.ShiftX, 0);  // scaled, not cut
    EXPECT_EQ(Game.ShiftY, 0);
}
