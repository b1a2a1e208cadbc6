// The logical screen shown scaled in a window of another size: where the
// picture sits, which screen pixel a window pixel shows, and a filtered scale
// of any part of the screen that gives exactly the pixels of scaling it whole
// (so only what changed need be scaled again).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace platform {

struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// The largest picture of a screenW x screenH screen, same shape, that fits a
// windowW x windowH area, centred there (the rest is black bars).
PixelRect FitScreen(int windowW, int windowH, int screenW, int screenH);

// The screen column (row) shown at window column wx (row wy): the one under
// the window pixel's centre. Outside the picture the result lies off the
// screen (below 0 or at least the screen's size).
int WindowToScreen(int pictureAt, int pictureSize, int screenSize, int windowAt);

// Scales the screen's 0xAARRGGBB pixels into a picture of another size:
// bilinear (the window pixel's centre sampled between the four nearest screen
// pixels), exact pixel copies when the picture is a whole multiple of the
// screen. Every window pixel depends only on its own position, so scaling a
// part gives the same pixels as scaling everything.
class ScreenScaler {
public:
    // Sets the picture (window coordinates) and the screen's size.
    void Prepare(const PixelRect& picture, int screenW, int screenH);
    const PixelRect& Picture() const { return picture_; }
    // The window pixels whose colour reads any screen pixel of `piece`
    // (screen coordinates); empty when none does.
    PixelRect WindowRectFor(const PixelRect& piece) const;
    // Writes the window pixels of `area` (window coordinates, cut to the
    // picture) from the screen; rows are `screenPitch` and `windowPitch`
    // pixels apart, and `window` points at window pixel (0, 0).
    void Scale(const uint32_t* screen, int screenPitch, uint32_t* window, int windowPitch,
               const PixelRect& area);

private:
    struct Tap {
        int from = 0, to = 0;  // the two screen pixels read
        int weight = 0;        // of `to`, 0..255
    };
    static void Taps(int pictureSize, int screenSize, std::vector<Tap>& taps, std::vector<int>& first,
                     std::vector<int>& last);
    PixelRect picture_{};
    int screenW_ = 0, screenH_ = 0;
    std::vector<Tap> columns_, rows_;
    // The first and last window column (row) that reads each screen column (row); -1 when none.
    std::vector<int> firstColumn_, lastColumn_, firstRow_, lastRow_;
    std::vector<uint32_t> upper_, lower_;  // two screen rows scaled across, for one window row
    // Each window column as two neighbouring screen pixels and their weights
    // four times over (the same sums as its tap, with the right-hand pixel at
    // the screen's last column): what the fast path reads.
    std::vector<int> pairs_;
    std::vector<std::array<int16_t, 8>> pairWeights_;
};

}  // namespace platform
