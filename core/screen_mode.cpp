#include "core/screen_mode.h"

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "platform/platform.h"

namespace {

// The setting follows what the desktop gave, so the next start asks for what the player saw.
void SetFullscreen(bool fullscreen) {
    if (!platform::SetWindowFullscreen(WindowMain, fullscreen))
        fullscreen = platform::WindowFullscreen(WindowMain);
    Game.Fullscreen = fullscreen ? 1 : 0;
}

}  // namespace

void ApplyStartupScreenMode() {
    if (Game.ScaleWindow != 0) platform::SetWindowScaled(WindowMain, true);
    if (Game.Fullscreen != 0) SetFullscreen(true);
}

void ToggleFullscreen() {
    if (platform::WindowExists(WindowMain)) SetFullscreen(!platform::WindowFullscreen(WindowMain));
}
