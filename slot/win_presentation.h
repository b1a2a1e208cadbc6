// The win presentation: winning lines shown one per second, each paid into
// CurrentWin the first time it is shown, and the payline demo of the first
// frames after start-up. The frames around the cells are drawn by
// ui/line_frame.
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

// Start-up: puts the ten paylines into the list for the demo.
void ShowPaylineDemo();

// Every frame: every 100 ms marks the next payline (drawn by
// DrawPaylineDemoLine); after the tenth it ends the demo.
void StepPaylineDemo();

// Ends the demo at once (the player's first click) with the full ten lines
// as the bid's multiplier; nothing when no demo runs.
void EndPaylineDemo();
