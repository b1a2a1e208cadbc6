// The optional intro video at start-up: "Intro.mpg" from the working folder,
// else the one installed beside the game (PREFIX/share/nebulor/Intro.mpg for
// PREFIX/games/nebulor), played full screen in the loading window until
// Escape or 22 seconds.
#pragma once

#include <cstdint>

// Called by start-up once the loading window is open, before its screen opens
// and the fonts and sounds load: plays the intro when it is on and the file
// loads, notes in the settings file that it was shown, waits for it and then
// reopens the loading window. false: the program ends now without saving (the
// window was closed, or it could not be reopened).
bool ShowIntroMovie();

// Waits while the intro plays: Escape (command 15) or more than 22000 ms
// since `startTime` stop it; false when a window was closed meanwhile.
bool WaitForIntroMovie(int64_t startTime);
