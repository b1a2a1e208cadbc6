// Where the game draws things, in the coordinates of the full-screen
// pictures: these are 1600 x 950 and drawn zoomed to the 1280 x 768 screen.
#pragma once

#include <cmath>

namespace forge::art {

constexpr int FullWidth = 1600, FullHeight = 950;
constexpr int ScreenWidth = 1280, ScreenHeight = 768;

// Picture x of a screen x.
inline double PicX(double screenX) { return screenX * FullWidth / ScreenWidth; }
// Picture y of a screen y.
inline double PicY(double screenY) { return screenY * FullHeight / ScreenHeight; }
// Screen pixel of a layout percentage (floored, as the game does).
inline double PercentX(double percent) { return std::floor(ScreenWidth * percent / 100.0); }
inline double PercentY(double percent) { return std::floor(ScreenHeight * percent / 100.0); }
// Picture coordinates of a layout percentage.
inline double PicPercentX(double percent) { return PicX(PercentX(percent)); }
inline double PicPercentY(double percent) { return PicY(PercentY(percent)); }

}  // namespace forge::art
