#include "core/window_events.h"

#include "core/game_state.h"
#include "ui/layout.h"

bool OnAutoplayButton(int64_t x, int64_t y) { return InPercentRect(x, y, 65, 75, 88, 94); }

bool HandleWindowEvent(const platform::Event& event) {
    using platform::EventKind;
    switch (event.kind) {
        case EventKind::CloseWindow:
            if (event.window == 0 || event.window == -1) {
                platform::CloseWindow(0);  // the loop then ends
                return true;
            }
            return false;
        case EventKind::LeftDoubleClick:
            if (event.window != 0) return false;
            if (Game.FunMode == 0 && Game.GamePhase != PhaseWheelIdle && Game.GamePhase != PhaseWheelTurning &&
                OnAutoplayButton(platform::MouseX(), platform::MouseY()))
                Game.Autoplay = Game.Autoplay ? 0 : 1;
            return true;
        default:
            return false;
    }
}
