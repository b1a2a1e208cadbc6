// Renders the loading window with the real SDL backend (software renderer,
// no display needed with SDL_VIDEODRIVER=dummy) and writes it to a PNG, so
// that the glow fonts can be looked at and checked pixel by pixel.
//
//   nebulor-loading-shot OUTPUT.png [BACKDROP.png]
//
// BACKDROP stands in for the loading picture when the game carries none.
// The exit code is 1 when "Nebulor" or "ESC - SKIP" is missing from its place
// or anything glows where no text belongs.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "assets/bitmap_font.h"
#include "assets/catalogue_numbers.h"
#include "assets/pictures.h"
#include "assets/png_decode.h"
#include "core/game_state.h"
#include "core/loading_screen.h"
#include "platform/platform.h"
#include "tools/png_file.h"

namespace {

// Pixels of a box that differ between two frames of the same size.
int ChangedPixels(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after, int width, int x0,
                  int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const size_t at = (static_cast<size_t>(y) * width + x) * 4;
            if (before[at] != after[at] || before[at + 1] != after[at + 1] || before[at + 2] != after[at + 2])
                ++count;
        }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: nebulor-loading-shot OUTPUT.png [BACKDROP.png]\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    platform::InitWindowSystem();
    InitGameState(platform::ElapsedMilliseconds(), 0);
    if (!platform::InitSprite() ||
        !platform::OpenWindow(WindowLoading, 0, 0, 400, 200, "Nebulor", platform::WindowBorderless) ||
        !platform::OpenScreen(3, 0, 0, 400, 200)) {
        fprintf(stderr, "loading-shot: no screen\n");
        return 1;
    }
    std::vector<uint8_t> backdrop, pixels;
    int w = 0, h = 0;
    if (argc > 2 && ReadBinaryFile(argv[2], backdrop) &&
        DecodePng(backdrop.data(), backdrop.size(), w, h, pixels))
        platform::CreateSprite(SpriteLoadingPicture, w, h, pixels.data());
    else if (!CreateLoadingPicture())
        return 1;
    if (!LoadFonts()) return 1;
    // The picture alone, then the whole loading screen: the texts are what changed.
    std::vector<uint8_t> bare, frame;
    int width = 0, height = 0;
    platform::ClearScreen(0);
    platform::DrawSprite(SpriteLoadingPicture, 0, 0);
    if (!platform::GrabScreen(bare, width, height)) return 1;
    DrawLoadingScreen();
    if (!platform::GrabScreen(frame, width, height) || !WritePngFile(argv[1], frame, width, height)) {
        fprintf(stderr, "loading-shot: cannot grab or write the frame\n");
        return 1;
    }
    // "Nebulor" hangs from (110, 80) vertically centred; "ESC - SKIP" from (170, 180).
    const int title = ChangedPixels(bare, frame, width, 70, 20, 400, 140);
    const int skip = ChangedPixels(bare, frame, width, 140, 150, 300, 200);
    const int all = ChangedPixels(bare, frame, width, 0, 0, width, height);
    printf("loading-shot: %dx%d, title %d changed pixels, skip %d, elsewhere %d\n", width, height, title,
           skip, all - title - skip);
    platform::ShutdownPlatform();
    // The texts are in their places and nothing glows anywhere else.
    return title > 300 && skip > 20 && all == title + skip ? 0 : 1;
}
