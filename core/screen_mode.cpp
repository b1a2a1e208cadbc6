#include "core/screen_mode.h"

#include "core/game_state.h"
#include "platform/platform.h"

namespace {

constexpr int MainWindow = 0;

// The setting follows what the desktop gave, so the next start asks for what the player saw.
void SetFullscreen(bool fullscreen) {
    if (!platform::SetWindowFullscreen(MainWindow, fullscreen)) fullscreen = platform::WindowFullscreen(MainWindow);
    Game.Fullscreen = fullscreen ? 1 : 0;
}

}  // namespace

void ApplyStartupScreenMode() {
    if (Game.ScaleWindow != 0) platform::SetWindowScaled(MainWindow, true);
    if (Game.Fullscreen != 0) SetFullscreen(true);
}

void ToggleFullscreen() {
    if (platform::WindowExists(MainWindow)) SetFullscreen(!platform::WindowFullscreen(MainWindow));
}
