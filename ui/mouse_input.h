// The left mouse button: capture of the pointer, autoplay's automatic
// requests, and what a click on each target asks of the slot engine.
#pragma once

// Once per frame, before the game screen is drawn.
void HandleMouse();

// Fun mode: marks the first unmarked cell whose enlarged rectangle holds the mouse.
void PickWildPosition();
