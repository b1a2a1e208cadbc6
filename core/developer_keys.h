// The few keyboard keys of the game, read once per frame; each acts when
// its key is released.
#pragma once

// Escape quits, 1 and 2 cycle the particle blending factors, E shows a big win.
void DeveloperKeys();
