// A player who clicks at random, for the tests that play the real main loop
// that way: presses on the controls or anywhere on the screen and
// double-clicks, with a few idle frames between them.
#pragma once

#include <functional>
#include <random>

// One random action and the idle frames after it; `frame` runs one frame of
// the game (and whatever the test checks after each).
void ClickAtRandom(std::mt19937& random, const std::function<void()>& frame);

// Stops playing: autoplay off, frames until the reels, the ladder, the big
// win and the count-ups rest, then a press on START collects what is pending
// and frames run until it has arrived. False when the game never came to rest.
bool StopAndCollect(const std::function<void()>& frame);
