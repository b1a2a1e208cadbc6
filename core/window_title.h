// The main window's title: product, points, bid, win and the free games.
#pragma once

#include <string>

// Title of a running frame: amounts divided by 100 with two decimals.
std::string TitleText();
// Title set once at start-up: amounts as whole hundredths.
std::string StartupTitleText();
// Sets the per-frame title on the main window (only when it changed).
void ComposeTitle();
// Sets the start-up title on the main window.
void ComposeStartupTitle();
