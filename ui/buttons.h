// The buttons and mouse targets of the control panel, as percent rectangles.
#pragma once

#include <cstdint>

struct PercentRect {
    float x1, x2, y1, y2;
};

namespace buttons {
constexpr PercentRect Start{65, 75, 88, 94};
constexpr PercentRect LadderTake{66, 75, 89, 94};  // the take button while the ladder is open
constexpr PercentRect Risk{78, 90, 88, 94};
constexpr PercentRect Bet{49, 58, 87, 94};
constexpr PercentRect ExtraWild{83, 89, 9, 13};
constexpr PercentRect PaytableHover{7, 13, 9, 13};
constexpr PercentRect PaytableClick{7, 13, 6, 13};
constexpr PercentRect DailyHover{14, 20, 9, 13};  // x not shifted
constexpr PercentRect DailyClick{14, 20, 10, 13};
constexpr PercentRect Info{93, 99, 1, 5};
constexpr PercentRect Back{4, 22, 87, 95};
}  // namespace buttons

// True when the screen mouse lies inside the shifted rectangle.
bool MouseIn(const PercentRect& rect);
// The same with the x bounds left unshifted (the daily prize button).
bool MouseInUnshiftedX(const PercentRect& rect);
