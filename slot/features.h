// What changes the plain outcome of a spin: the level wilds (Random Wild,
// Expanding Wild), the scatter outcome (levels, free games), the wilds the
// player picks in fun mode and the end of a free-game series.
#pragma once

#include <cstdint>

// End of a spin, after the grid capture: the Random Wild at level 3, the
// Expanding Wild at levels 4 and 5; scatters they cover no longer count.
void ApplyLevelWilds(int64_t level);

// End of a spin, after the line evaluation: two scatters pay the bid and raise
// the level (or add a free game), three or more start or extend free games.
void ApplyScatterOutcome();

// Fun mode, picking phase: marks cell `cell` as a wild for the coming spin;
// never more than three picks.
void PickWild(int64_t cell);

// Every frame: ends a free-game series whose last game has been played,
// evaluated and collected, with its closing message.
void EndFreeGames();

// The name of the feature that level `level` unlocks (empty for level 1).
const char* FeatureName(int64_t level);
