// Renders the loading window with the real SDL backend (software renderer,
// no display needed with SDL_VIDEODRIVER=dummy) and writes it to a PNG, so
// that the glow fonts can be looked at and checked pixel by pixel.
//
//   nebulor-loading-shot OUTPUT.png [BACKDROP.png]
//
// BACKDROP stands in for the loading picture when the game carries none.
// The exit code is 1 when "Nebulor" or "ESC - SKIP" is missing from its place
// or anything glows where no text belongs.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "assets/bitmap_font.h"
#include "assets/png_decode.h"
#include "core/game_state.h"
#include "assets/pictures.h"
#include "core/loading_screen.h"
#include "platform/platform.h"

namespace {

bool WritePng(const char* path, const std::vector<uint8_t>& rgba, int width, int height) {
    FILE* file = fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, rgba.data() + static_cast<size_t>(y) * width * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(file) == 0;
}

bool ReadFile(const char* path, std::vector<uint8_t>& bytes) {
    FILE* file = fopen(path, "rb");
    if (!file) return false;
    uint8_t buffer[65536];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.insert(bytes.end(), buffer, buffer + got);
    fclose(file);
    return true;
}

// Pixels of a box that differ between two frames of the same size.
int ChangedPixels(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after, int width, int x0, int y0,
                  int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const size_t at = (static_cast<size_t>(y) * width + x) * 4;
            if (before[at] != after[at] || before[at + 1] != after[at + 1] || before[at + 2] != after[at + 2]) ++count;
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
    if (argc > 2 && ReadFile(argv[2], backdrop) && DecodePng(backdrop.data(), backdrop.size(), w, h, pixels))
        platform::CreateSprite(LoadingPictureSprite, w, h, pixels.data());
    else if (!CreateLoadingPicture())
        return 1;
    if (!LoadFonts()) return 1;
    // The picture alone, then the whole loading screen: the texts are what changed.
    std::vector<uint8_t> bare, frame;
    int width = 0, height = 0;
    platform::ClearScreen(0);
    platform::DrawSprite(LoadingPictureSprite, 0, 0);
    if (!platform::GrabScreen(bare, width, height)) return 1;
    DrawLoadingScreen();
    if (!platform::GrabScreen(frame, width, height) || !WritePng(argv[1], frame, width, height)) {
        fprintf(stderr, "loading-shot: cannot grab or write the frame\n");
        return 1;
    }
    // "Nebulor" hangs from (110, 80) vertically centred; "ESC - SKIP" from (170, 180).
    const int title = ChangedPixels(bare, frame, width, 70, 20, 400, 140);
    const int skip = ChangedPixels(bare, frame, width, 140, 150, 300, 200);
    const int all = ChangedPixels(bare, frame, width, 0, 0, width, height);
    printf("loading-shot: %dx%d, title %d changed pixels, skip %d, elsewhere %d\n", width, height, title, skip,
           all - title - skip);
    platform::ShutdownPlatform();
    // The texts are in their places and nothing glows anywhere else.
    return title > 300 && skip > 20 && all == title + skip ? 0 : 1;
}
