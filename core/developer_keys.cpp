#include "core/developer_keys.h"

#include "core/count_up.h"
#include "core/game_state.h"
#include "core/screen_mode.h"
#include "platform/platform.h"

namespace {

// Alt was held while Enter was down: the switch still counts when both keys
// are let go in the same frame.
bool gAltWithEnter = false;

}  // namespace

void DeveloperKeys() {
    platform::ExamineKeyboard();
    if (platform::KeyboardReleased(platform::KeyEscape)) Game.GamePhase = PhaseQuit;
    // Not game keys: they act on release and change only how the screen is shown.
    if (platform::KeyboardPushed(platform::KeyReturn) && platform::KeyboardPushed(platform::KeyAlt))
        gAltWithEnter = true;
    const bool altEnter = platform::KeyboardReleased(platform::KeyReturn) && gAltWithEnter;
    if (platform::KeyboardReleased(platform::KeyReturn) || !platform::KeyboardPushed(platform::KeyReturn))
        gAltWithEnter = false;
    if (platform::KeyboardReleased(platform::KeyF11) || altEnter) ToggleFullscreen();
    if (platform::KeyboardReleased(platform::Key1))
        Game.ParticleBlendSource = (Game.ParticleBlendSource + 1) % 10;
    if (platform::KeyboardReleased(platform::Key2))
        Game.ParticleBlendDest = (Game.ParticleBlendDest + 1) % 10;
    // The next spin lands a scatter on each of the first two reels: a level
    // or free games on demand, for trying them out.
    if (platform::KeyboardReleased(platform::KeyS)) Game.DeveloperScatters = 1;
    if (platform::KeyboardReleased(platform::KeyE)) {
        Game.CurrentWin = 100000;
        Game.DisplayedWin = 100000;
        Game.BigWinActive = 1;
        StartCountUp(&Game.BigWinAmount, 100000, 10000);
    }
}
