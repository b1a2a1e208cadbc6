// The win display of every frame: the start-up payline demo, the drifting
// background sparkles and the big-win banner with its "WIN:" counter.
#pragma once

// Called every frame by the main loop after the win presentation.
void DrawWinDisplay(float frameDelta);
