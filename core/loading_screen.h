// The loading window's screen at start-up: the fonts, the loading picture
// with the product name, the sounds, and the intro jingle the player can skip.
#pragma once

// Runs with the loading window and its screen open: font 5, all fonts, the
// loading screen drawn once, the fonts freed again, the sounds loaded, the
// intro jingle played to its end (or to Escape); then closes the loading
// window. False when start-up must end (a message has been shown).
bool RunLoadingScreen();

// Draws the loading picture, "Nebulor" and "ESC - SKIP" into the current
// frame of the loading window's screen (no flip).
void DrawLoadingScreen();

// Plays sound 0 once as music and waits, every 10 ms reading the keyboard and
// one window event, until it has stopped; Escape stops it. No wait without sound 0.
void PlayIntroJingle();
