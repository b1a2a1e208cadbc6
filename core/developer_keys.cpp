#include "core/developer_keys.h"

#include "core/count_up.h"
#include "core/game_state.h"
#include "core/screen_mode.h"
#include "platform/platform.h"

void DeveloperKeys() {
    platform::ExamineKeyboard();
    if (platform::KeyboardReleased(platform::KeyEscape)) Game.GamePhase = PhaseQuit;
    // Not game keys: they act on release and change only how the screen is shown.
    if (platform::KeyboardReleased(platform::KeyF11) ||
        (platform::KeyboardReleased(platform::KeyReturn) && platform::KeyboardPushed(platform::KeyAlt)))
        ToggleFullscreen();
    if (platform::KeyboardReleased(platform::Key1)) Game.ParticleBlendSource = (Game.ParticleBlendSource + 1) % 10;
    if (platform::KeyboardReleased(platform::Key2)) Game.ParticleBlendDest = (Game.ParticleBlendDest + 1) % 10;
    if (platform::KeyboardReleased(platform::KeyE)) {
        Game.CurrentWin = 100000;
        Game.DisplayedWin = 100000;
        Game.BigWinActive = 1;
        StartCountUp(&Game.BigWinAmount, 100000, 10000);
    }
}
