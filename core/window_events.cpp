#include "core/window_events.h"

#include "core/game_state.h"
#include "persist/settings_window.h"
#include "ui/layout.h"

namespace {
// A press this long before the double-click is its first press.
constexpr int64_t DoubleClickMs = 500;
}  // namespace

bool OnAutoplayButton(int64_t x, int64_t y) { return InPercentRect(x, y, 65, 75, 88, 94); }

bool DoubleClickTogglesAutoplay() {
    return Game.FunMode == 0 && Game.GamePhase != PhaseWheelIdle && Game.GamePhase != PhaseWheelTurning &&
           OnAutoplayButton(platform::MouseX(), platform::MouseY());
}

bool HandleWindowEvent(const platform::Event& event) {
    using platform::EventKind;
    switch (event.kind) {
        case EventKind::Menu:
            if (event.window != 0 || event.id != 1) return false;
            OpenSettingsWindow();
            return true;
        case EventKind::Gadget:
            if (event.window != SettingsWindow || event.id != GadgetOk) return false;
            ConfirmSettingsWindow();
            return true;
        case EventKind::CloseWindow:
            if (event.window == SettingsWindow) {
                CancelSettingsWindow();
                return true;
            }
            if (event.window == 0 || event.window == -1) {
                platform::CloseWindow(0);  // the loop then ends
                return true;
            }
            return false;
        case EventKind::LeftDoubleClick:
            if (event.window != 0) return false;
            if (DoubleClickTogglesAutoplay()) {
                // When the double-click's first press stopped autoplay, that
                // already was the toggle; otherwise it would start again.
                const bool stoppedByFirstPress = Game.AutoplayStoppedByPress >= 0 &&
                                                 Game.FrameTime - Game.AutoplayStoppedByPress <= DoubleClickMs;
                Game.Autoplay = stoppedByFirstPress || Game.Autoplay ? 0 : 1;
                Game.AutoplayStoppedByPress = -1;
            }
            return true;
        default:
            return false;
    }
}
