// Test support: a fresh headless machine and game state for every test, a
// private data folder, and helpers that click where a player clicks.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/game_state.h"
#include "platform/headless/headless_control.h"

// Base fixture: resets the headless backend, points APPDATA at an empty
// temporary folder and fills the game state with its defaults.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The temporary folder that stands in for APPDATA (with a trailing "/").
    std::string appData;
};

// Screen position (logical pixels, shift applied) of a layout percentage.
int PercentX(float percent);
int PercentY(float percent);

// Opens the main window and its screen as start-up does, at full size.
void OpenMainWindowForTest();

// Runs `frames` passes of the main loop.
void RunFrames(int frames);

// Presses the left button at (x, y) for one frame and releases it for the next.
void ClickAt(int x, int y);

// The centre of a percent rectangle, shifted like a mouse target.
int CentreX(float x1, float x2);
int CentreY(float y1, float y2);
