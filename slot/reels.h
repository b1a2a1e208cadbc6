// Reel motion: the spin preparation, the start of the five reels, their
// per-frame motion along a logistic curve, the reel stop with the scatter
// sound and the Respin, and the end-of-spin sequence.
#pragma once

#include <cstdint>

// Clears what the last spin left (payline list, effect lists, win cells,
// and the extra wilds unless sticky free-game wilds must stay); sets Paylines
// to 10. Called by every spin path before StartSpin, and by a collect.
void PrepareSpin();

// Starts all five reels: each travels 20 + 10 r to 30 + 10 r stops, drawn
// from the secure source; starts the spin music.
void StartSpin();

// Every frame while GamePhase is 0: moves the reels, stops those whose time
// has come, starts the Respin or runs the end-of-spin sequence.
void UpdateReels();

// The end of a spin once the window has been captured into SymbolGrid: the
// level wilds, the line evaluation and the scatter outcome, in that order.
void EvaluateWindow();

// Starts the reels marked for a Respin (at most once per spin); called by UpdateReels.
void StartRespin();

// Time (clock, ms) at which a spinning reel stops; its start time when it rests.
int64_t ReelStopTime(int64_t reel);
