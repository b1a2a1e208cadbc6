// The game's heartbeat: one pass per frame in a fixed order.
#pragma once

// Runs one pass of the loop (timing, input, drawing, flip, count-ups, title,
// one window event). Scenario tests call it directly.
void RunMainLoopPass();

// True once the loop has to end: GamePhase is 9 or the main window is gone.
bool MainLoopFinished();

// Runs passes until the loop ends; called once by start-up.
void RunMainLoop();
