// The one window event a frame: menu, settings and history window, closing, double-click.
#pragma once

#include "platform/platform.h"

// Handles one event; returns true when it was one the game handles.
bool HandleWindowEvent(const platform::Event& event);

// True when (x, y) of the logical screen lies on the autoplay (start) button.
bool OnAutoplayButton(int64_t x, int64_t y);

// True when a double-click at the mouse position would toggle autoplay now.
bool DoubleClickTogglesAutoplay();
