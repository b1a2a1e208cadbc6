// The sprite-sheet animations and the extra-wild overlay that the main loop
// draws over the reels.
#pragma once

#include "core/game_state.h"

// Draws one frame of a sheet animation, clipped to clipWidth x clipHeight.
void DrawSheetAnimation(const SpriteAnimation& animation, int64_t clipWidth, int64_t clipHeight);

// The wild picture over every cell marked in ExtraWildMap (fading in in the base game).
void DrawExtraWildOverlay();

// Sticky-wild and scatter effects of free games; pauses the win presentation
// for 1000 ms through the shared one-shot timer, with sound 5.
void DrawFreeGameAnimations();

// Reel-start effects of a respin, with sound 33.
void DrawRespinAnimations();

// Win-cell effects and pick markers.
void DrawSymbolAnimations();
