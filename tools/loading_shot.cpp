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
    if (argc > 2 && ReadFile(argv[2], backdrop) && DecodePng(backdrop.data(), backdrop.size(), w, h, pixels))
        platform::CreateSprite(LoadingPictureSprite, w, h, pixels.data());
    if (!LoadFonts()) return 1;
    DrawLoadingScreen();
    std::vector<uint8_t> frame;
    int width = 0, height = 0;
    if (!platform::GrabScreen(frame, width, height) || !WritePng(argv[1], frame, width, height)) {
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
