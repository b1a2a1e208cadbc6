#include "tests/support/random_clicks.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/game_state.h"
#include "platform/headless/headless_control.h"
#include "platform/platform.h"
#include "slot/paylines.h"
#include "tests/support/test_game.h"
#include "ui/buttons.h"

namespace {

// How SDL counts clicks: a press within half a second of the last one and
// near it is one more click of the same series.
constexpr int64_t DoubleClickMs = 500;
constexpr int DoubleClickRadius = 32;

struct ClickSeries {
    int64_t lastPress = -1000000;
    int x = -1000, y = -1000;
    int clicks = 0;
};
ClickSeries gSeries;

// Presses the button where the pointer is, as SDL reports it: the click
// count of the series, and from the second click on the double-click event,
// pumped in the frame before the press is read or in the same one. Held one
// to three frames, then released. Returns the press's click count.
int Press(std::mt19937& random, const std::function<void()>& frame) {
    const auto failed = [] { return ::testing::Test::HasFatalFailure(); };
    const int x = platform::MouseX(), y = platform::MouseY();
    const int64_t now = headless::Clock();
    const bool series = now >= gSeries.lastPress && now - gSeries.lastPress <= DoubleClickMs &&
                        std::abs(x - gSeries.x) <= DoubleClickRadius &&
                        std::abs(y - gSeries.y) <= DoubleClickRadius;
    gSeries.clicks = series ? gSeries.clicks + 1 : 1;
    gSeries.lastPress = now;
    gSeries.x = x;
    gSeries.y = y;
    if (gSeries.clicks >= 2) {
        headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
        if (random() % 2 == 0) frame();
    }
    headless::SetMouseButton(true, gSeries.clicks);
    for (int held = 1 + static_cast<int>(random() % 3); held > 0 && !failed(); --held) frame();
    headless::SetMouseButton(false);
    return gSeries.clicks;
}

}  // namespace

void ClickAtRandom(std::mt19937& random, const std::function<void()>& frame,
                   const std::function<void(const RandomPresses&)>& pressed) {
    static const PercentRect targets[] = {buttons::Start,     buttons::Risk,          buttons::Bet,
                                          buttons::ExtraWild, buttons::PaytableClick, buttons::Info,
                                          buttons::Back,      buttons::LadderTake};
    const auto failed = [] { return ::testing::Test::HasFatalFailure(); };
    const int choice = static_cast<int>(random() % 16);
    // Where: a control (START more often), anywhere on the screen, or where the pointer is.
    const int where = static_cast<int>(random() % 14);
    if (where < 9) {
        const PercentRect& r = targets[where < 2 ? 0 : where - 1];
        headless::SetMouse(CentreX(r.x1, r.x2), CentreY(r.y1, r.y2));
    } else if (where < 13) {
        headless::SetMouse(static_cast<int>(random() % 1280), static_cast<int>(random() % 748));
    }
    RandomPresses done;
    done.onStart = where < 2;
    if (choice < 10) {
        done.firstClicks = Press(random, frame);
        done.presses = 1;
    } else if (choice == 11) {
        // The double-click event alone, as a window system might send it.
        headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
        frame();
    } else if (choice >= 12) {
        // A double (or triple) click, fast or slow: the gaps between its
        // presses run from one frame to the double-click time.
        done.presses = choice == 15 ? 3 : 2;
        for (int press = 1; press <= done.presses && !failed(); ++press) {
            const int clicks = Press(random, frame);
            if (press == 1) done.firstClicks = clicks;
            for (int gap = 1 + static_cast<int>(random() % 20); gap > 0 && !failed(); --gap) frame();
        }
    } else {
        frame();  // the pointer only moves
    }
    if (pressed && !failed()) pressed(done);
    for (int idle = static_cast<int>(random() % 40); idle > 0 && !failed(); --idle) frame();
}

bool StopAndCollect(const std::function<void()>& frame) {
    auto resting = [] {
        return Game.GamePhase != PhaseSpinning && Game.LadderOpen == 0 && Game.BigWinActive == 0 &&
               Game.CountUps.empty();
    };
    auto failed = [] { return ::testing::Test::HasFatalFailure(); };
    Game.Autoplay = 0;
    for (int i = 0; i < 20000 && !resting() && !failed(); ++i) frame();
    if (failed()) return false;
    if (Game.CurrentWin > 0 || AnyEntryUnpaid()) {
        const PercentRect& start = buttons::Start;
        headless::SetMouse(CentreX(start.x1, start.x2), CentreY(start.y1, start.y2));
        headless::SetMouseButton(true);
        frame();
        headless::SetMouseButton(false);
    }
    for (int i = 0; i < 1000 && !Game.CountUps.empty() && !failed(); ++i) frame();
    return resting() && Game.CurrentWin == 0 && !AnyEntryUnpaid();
}
