// The window: a narrowed window moves every target with the shift, the
// pointer is captured and released at the edges, and clicks anywhere, in any
// phase, never pay anything twice.
#include <random>

#include "platform/platform.h"
#include "tests/support/ledger.h"
#include "tests/support/scenario.h"
#include "ui/layout.h"

namespace {
class WindowTest : public ScenarioTest {};
}  // namespace

TEST_F(WindowTest, ANarrowedWindowMovesEveryTargetWithTheShift) {
    EndDemoByClick();
    headless::SetClientSize(1080, 668);
    RunFrames(1);
    ASSERT_EQ(Game.ShiftX, 200);
    ASSERT_EQ(Game.ShiftY, 100);
    // The bet counter where it used to be is now empty space.
    ClickAt(static_cast<int>((ScalePercent(1280, 49) + ScalePercent(1280, 58)) / 2),
            static_cast<int>((ScalePercent(768, 87) + ScalePercent(768, 94)) / 2 - 20));
    EXPECT_EQ(Game.BetPerLine, 1);
    ClickButton(buttons::Bet);  // the shifted position
    EXPECT_EQ(Game.BetPerLine, 2);
    ClickButton(buttons::PaytableClick);
    EXPECT_EQ(Game.GamePhase, PhasePaytable);
    ClickButton(buttons::Back);
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
    // The daily prize button keeps its x.
    ClickDailyButton();
    EXPECT_EQ(Game.GamePhase, PhaseWheelIdle);
    // The background is drawn shifted too.
    RunFrames(1);
    for (const headless::DrawRecord& record : headless::LastFrame())
        if (record.kind == headless::DrawKind::Sprite && record.id == 58) {
            EXPECT_EQ(record.x, -200);
            EXPECT_EQ(record.y, -100);
        }
}

TEST_F(WindowTest, ThePointerIsReleasedAtAnEdgeAndCapturedAgainInside) {
    EndDemoByClick();
    EXPECT_EQ(Game.MouseCaptured, 1);
    headless::SetMouse(0, 300);  // pushed against the left edge
    RunFrames(1);
    EXPECT_EQ(Game.MouseCaptured, 0);
    EXPECT_TRUE(headless::MouseReleasedToDesktop());
    headless::SetMouseOutside();
    RunFrames(3);
    EXPECT_EQ(Game.MouseCaptured, 0);
    headless::SetMouse(500, 300);  // back inside
    RunFrames(1);
    EXPECT_EQ(Game.MouseCaptured, 1);
    EXPECT_FALSE(headless::MouseReleasedToDesktop());
}

TEST_F(WindowTest, ClicksEverywhereInEveryPhaseNeverPayTwice) {
    EndDemoByClick();
    headless::PinCryptRandomToZero(false);
    headless::SeedCryptRandom(99);
    std::mt19937 random(4242);
    const PercentRect targets[] = {buttons::Start, buttons::Risk, buttons::Bet, buttons::ExtraWild,
                                   buttons::PaytableClick, buttons::Info, buttons::Back, buttons::LadderTake};
    Game.Points = 300;  // close to the bid now and then: refills happen too
    Ledger ledger;
    ledger.Begin();
    auto frame = [&] {
        ledger.Frame();
        ASSERT_EQ(Ledger::Held(), ledger.Expected());  // nothing paid twice, nothing lost, at any frame
    };
    for (int step = 0; step < 3000; ++step) {
        const int choice = static_cast<int>(random() % 12);
        if (choice < 8) {
            const PercentRect& r = targets[choice];
            headless::SetMouse(CentreX(r.x1, r.x2), CentreY(r.y1, r.y2));
        } else if (choice < 10) {
            headless::SetMouse(static_cast<int>(random() % 1280), static_cast<int>(random() % 748));
        }
        if (choice == 11) headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
        headless::SetMouseButton(choice != 10);
        frame();
        headless::SetMouseButton(false);
        for (int idle = static_cast<int>(random() % 40); idle > 0; --idle) frame();
        ASSERT_GE(Game.CurrentWin, 0);
    }
    // Stop playing: let everything settle and collect what is pending.
    Game.Autoplay = 0;
    for (int i = 0; i < 20000 && !(Game.GamePhase != PhaseSpinning && Game.LadderOpen == 0 &&
                                   Game.BigWinActive == 0 && Game.CountUps.empty()); ++i)
        frame();
    if (Game.CurrentWin > 0) ClickButton(buttons::Start);
    ASSERT_TRUE(FinishCountUps());
    EXPECT_EQ(Game.Points + Game.FunPoints, ledger.Expected());
    EXPECT_GT(ledger.refills, 0);
    EXPECT_GT(Game.TotalWon, 0);
}
