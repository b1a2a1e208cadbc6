// The buttons of the control panel: which are shown, where, and their hover pictures.
#pragma once

// Draws the buttons of the current state; called by the main loop after the reels.
void DrawControlPanel();
