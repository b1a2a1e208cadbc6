// Start-up and shutdown: platform, defaults, single instance, settings,
// texts, loading window, main window and screen, assets, then the loop.
#pragma once

// Runs start-up up to the entry of the main loop. false: the program ended
// during start-up (a message was shown, nothing is saved).
bool Startup();

// The steps after the main loop: save, screen saver on again.
void Shutdown();

// The whole program; returns the exit code (0 on every path but a start
// without a display, 1).
int GameMain();

// The end of the process after the shutdown: the platform closes, and with
// `restart` (confirmed settings) the game starts again in this process.
void EndProgram(bool restart);

// Opens the 400 x 200 borderless loading window with Escape bound to command
// 15 (right after the platform services start, and again after the intro);
// false after the failure message.
bool OpenLoadingWindow();

// Shows a start-up failure ("Nebulor" box with one line); returns false.
bool StartupFailure(const char* text);
