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
#include "assets/png_decode.h"
#include "core/game_state.h"
#include "core/loading_screen.h"
#include "platform/platform.h"
#include "tools/png_file.h"

namespace {

// Bright text pixels (all channels high) inside a box of the frame.
int BrightPixels(const std::vector<uint8_t>& rgba, int width, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            if (p[0] > 230 && p[1] > 230 && p[2] > 230) ++count;
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
    if (!platform::InitSprite() || !platform::OpenWindow(3, 0, 0, 400, 200, "Nebulor", platform::WindowBorderless) ||
        !platform::OpenScreen(3, 0, 0, 400, 200)) {
        fprintf(stderr, "loading-shot: no screen\n");
        return 1;
    }
    std::vector<uint8_t> backdrop, pixels;
    int w = 0, h = 0;
    if (argc > 2 && ReadBinaryFile(argv[2], backdrop) && DecodePng(backdrop.data(), backdrop.size(), w, h, pixels))
        platform::CreateSprite(LoadingPictureSprite, w, h, pixels.data());
    if (!LoadFonts()) return 1;
    DrawLoadingScreen();
    std::vector<uint8_t> frame;
    int width = 0, height = 0;
    if (!platform::GrabScreen(frame, width, height) || !WritePngFile(argv[1], frame, width, height)) {
        fprintf(stderr, "loading-shot: cannot grab or write the frame\n");
        return 1;
    }
    // "Nebulor" hangs from (110, 80) vertically centred; "ESC - SKIP" from (170, 180).
    const int title = BrightPixels(frame, width, 110, 62, 360, 100);
    const int skip = BrightPixels(frame, width, 170, 172, 260, 190);
    const int aboveTitle = BrightPixels(frame, width, 0, 0, 400, 30);
    printf("loading-shot: %dx%d, title %d bright pixels, skip %d, above the title %d\n", width, height, title, skip,
           aboveTitle);
    platform::ShutdownPlatform();
    // Over the plain black screen nothing may glow above the title.
    const bool clean = backdrop.empty() ? aboveTitle == 0 : true;
    return title > 300 && skip > 20 && clean ? 0 : 1;
}
