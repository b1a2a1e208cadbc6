// The pop-up message box. The rules show their messages through it (the one
// call from slot/ into the screen).
#pragma once

#include <cstdint>
#include <string>

// Builds the message picture (sprite 72): up to four centred lines in system
// fonts over image 57 (background 1) or over nothing. The caller sets
// MessageOverlayOn to 1.
void ShowMessage(const std::string& line1, const std::string& line2, const std::string& line3,
                 const std::string& line4, int64_t background, int64_t font1, int64_t font2, int64_t font3,
                 int64_t font4);

// How many messages ShowMessage has built since the program started (tells
// whether the picture shown is still the one a caller built).
int64_t MessagesBuilt();

// A message in the style of the game's feature messages: no background,
// system fonts 3, 3, 2, 1; also sets MessageOverlayOn.
void ShowFeatureMessage(const std::string& line1, const std::string& line2 = "",
                        const std::string& line3 = "", const std::string& line4 = "");

// Fades the message in or out by 5 per frame and draws it; returns the new opacity.
int64_t DrawMessageOverlay(int64_t alpha);
