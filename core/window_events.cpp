#include "core/window_events.h"

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "persist/settings_window.h"
#include "ui/buttons.h"
#include "ui/history_window.h"
#include "ui/layout.h"

namespace {
// A press this long before the double-click is its first press.
constexpr int64_t DoubleClickMs = 500;
}  // namespace

// Autoplay is switched by a double-click on the start button.
bool OnAutoplayButton(int64_t x, int64_t y) {
    const PercentRect& start = buttons::Start;
    return InPercentRect(x, y, start.x1, start.x2, start.y1, start.y2);
}

bool DoubleClickTogglesAutoplay() {
    return Game.FunMode == 0 && Game.GamePhase != PhaseWheelIdle && Game.GamePhase != PhaseWheelTurning &&
           OnAutoplayButton(platform::MouseX(), platform::MouseY());
}

bool HandleWindowEvent(const platform::Event& event) {
    using platform::EventKind;
    switch (event.kind) {
        case EventKind::Menu:
            if (event.window != WindowMain) return false;
            if (event.id == CommandSettings) {
                OpenSettingsWindow();
                return true;
            }
            if (event.id == CommandHistory) {
                OpenHistoryWindow();
                return true;
            }
            return false;
        case EventKind::Gadget:
            if (event.window == WindowHistory && event.id == GadgetHistoryGames) {
                SelectHistoryGame();
                return true;
            }
            if (event.window != WindowSettings || event.id != GadgetOk) return false;
            ConfirmSettingsWindow();
            return true;
        case EventKind::CloseWindow:
            if (event.window == WindowSettings) {
                CancelSettingsWindow();
                return true;
            }
            if (event.window == WindowHistory) {
                CloseHistoryWindow();
                return true;
            }
            if (event.window == WindowMain || event.window == -1) {
                platform::CloseWindow(WindowMain);  // the loop then ends
                return true;
            }
            return false;
        case EventKind::LeftDoubleClick:
            if (event.window != WindowMain) return false;
            if (DoubleClickTogglesAutoplay()) {
                // When the double-click's first press stopped autoplay, that
                // already was the toggle; otherwise it would start again.
                const bool stoppedByFirstPress =
                    Game.AutoplayStoppedByPress >= 0 &&
                    Game.FrameTime - Game.AutoplayStoppedByPress <= DoubleClickMs;
                Game.Autoplay = stoppedByFirstPress || Game.Autoplay ? 0 : 1;
                Game.AutoplayStoppedByPress = -1;
            }
            return true;
        default: return false;
    }
}
