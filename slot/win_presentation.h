// The win presentation: winning lines shown one per second, each paid into
// CurrentWin the first time it is shown, and the payline demo of the first
// frames after start-up.
#pragma once

#include <cstdint>

// Every frame while the presentation is not gated: advances the current entry
// once per WinLineCycleMs, pays it when still unpaid (with its rising tone),
// starts the big win when due and shows the win. Returns the index of the
// entry presented this frame, or -1 when there is none.
int64_t PresentWins();

// A big win starts once the last entry of the list is current and the lines
// shown so far weigh more than 10: the banner counts the win up over 10 s.
// Called by the presentation and, whatever gates it, once every frame.
void StartBigWinWhenDue();

// The line frame of entry `index`, every frame it is presented: a frame in the
// entry's colour around each counted cell, each followed by one sparkle burst.
void DrawLineFrame(int64_t index);

// Start-up: puts the ten paylines into the list for the demo.
void ShowPaylineDemo();

// Every frame: every 100 ms marks the next payline, frames and sparkles the
// current one; after the tenth it ends the demo.
void StepPaylineDemo();

// Ends the demo at once (the player's first click) with the full ten lines
// as the bid's multiplier; nothing when no demo runs.
void EndPaylineDemo();
