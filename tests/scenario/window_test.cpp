// The window: a narrowed window moves every target with the shift, the
// pointer is captured and released at the edges, and clicks anywhere, in any
// phase, never pay anything twice.
#include <random>

#include "platform/platform.h"
#include "tests/support/ledger.h"
#include "tests/support/random_clicks.h"
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
    Game.Points = 300;  // close to the bid now and then: refills happen too
    Ledger ledger;
    ledger.Begin();
    auto frame = [&] {
        ledger.Frame();
        ASSERT_EQ(Ledger::Held(), ledger.Expected());  // nothing paid twice, nothing lost, at any frame
    };
    for (int step = 0; step < 3000 && !HasFatalFailure(); ++step) {
        ClickAtRandom(random, frame);
        ASSERT_GE(Game.CurrentWin, 0);
    }
    ASSERT_TRUE(StopAndCollect(frame));
    EXPECT_EQ(Game.Points + Game.FunPoints, ledger.Expected());
    EXPECT_GT(ledger.refills, 0);
    EXPECT_GT(Game.TotalWon, 0);
}
