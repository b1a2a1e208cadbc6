// A player who clicks at random, for the tests that play the real main loop
// that way: presses on the controls or anywhere on the screen, and real
// double and triple clicks there (every press and release, the later
// presses carrying the double-click as SDL reports them, at any speed), with
// a few idle frames between them.
#pragma once

#include <functional>
#include <random>

// What one random action did with the button.
struct RandomPresses {
    int presses = 0;       // in a row: 0, 1, or 2 and 3 for a double and a triple click
    int firstClicks = 0;   // the click count of the first press (more than 1: it ends an earlier series)
    bool onStart = false;  // on the START button (which also switches autoplay)
};

// One random action and the idle frames after it; `frame` runs one frame of
// the game (and whatever the test checks after each). `pressed`, when given,
// is called once the action's presses are over, before the idle frames.
void ClickAtRandom(std::mt19937& random, const std::function<void()>& frame,
                   const std::function<void(const RandomPresses&)>& pressed = {});

// Stops playing: autoplay off, frames until the reels, the ladder, the big
// win and the count-ups rest, then a press on START collects what is pending
// and frames run until it has arrived. False when the game never came to rest.
bool StopAndCollect(const std::function<void()>& frame);
