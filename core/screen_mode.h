// The main window shown as a window or fullscreen (the setting "Vollbild"),
// the window scaled or cut (the setting "Skalieren").
// Only the presentation changes: the game's state, clock and timers do not.
#pragma once

#include <cstdint>

// Start-up, once the main screen is open: the mode last chosen, and the
// window scaled rather than cut when the player chose "Skalieren".
void ApplyStartupScreenMode();

// F11 or Alt+Enter, on release: fullscreen when windowed and back. A desktop
// that refuses fullscreen leaves the window as it is, without a message.
void ToggleFullscreen();
