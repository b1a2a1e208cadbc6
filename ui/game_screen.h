// The base layer of every frame: background, top line, counters, status
// texts, credit line, level display, date and time, prize wheel and ladder.
#pragma once

#include <cstdint>
#include <string>

// Draws the whole base layer; called once per frame by the main loop before the reels.
void DrawGameScreen(float frameDelta);

// Draws `text` in `font` with its right edge at x; the warning colour when `warning` is non-zero.
void DrawRightAligned(int64_t x, int64_t y, const std::string& text, int64_t warning, int64_t font);

// The timing of the daily prize wheel: idle turning, the run to the target, the stop.
void AdvancePrizeWheel();

// The risk ladder picture with its lit rung and the countdown, while a gamble
// runs or has just ended; drawn by the main loop after the win presentation,
// as the ladder stands in front of the rightmost reel and its effects.
void DrawLadder();

// White text with a dark rim, legible over busy pictures.
void DrawOutlinedText(int64_t font, float x, float y, const std::string& text, float size);

// The prize of the stopped wheel over the wheel, in the player's language.
void DrawWheelPrize();

// Fun mode's pick hint; drawn by the main loop after the reels, which it overlaps.
void DrawWildPickHint();

// The one-line credit notice at the bottom-left corner.
const std::string& CreditLine();

// Colour of a counter whose points no longer cover the stake.
constexpr int64_t WarningColour = 0xB45B61;
