#include "tests/support/random_clicks.h"

#include <gtest/gtest.h>

#include "core/game_state.h"
#include "platform/headless/headless_control.h"
#include "slot/paylines.h"
#include "tests/support/test_game.h"
#include "ui/buttons.h"

void ClickAtRandom(std::mt19937& random, const std::function<void()>& frame) {
    static const PercentRect targets[] = {buttons::Start,     buttons::Risk,          buttons::Bet,
                                          buttons::ExtraWild, buttons::PaytableClick, buttons::Info,
                                          buttons::Back,      buttons::LadderTake};
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
    for (int idle = static_cast<int>(random() % 40); idle > 0 && !::testing::Test::HasFatalFailure(); --idle)
        frame();
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
