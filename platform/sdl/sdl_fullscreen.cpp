// Fullscreen and the scaled screen. Fullscreen is a borderless window over
// the whole desktop at its own resolution: no mode change, and it works the
// same with or without a window manager (one that honours nothing still
// places a window where it is asked). The screen is then drawn into a canvas
// of its own size and scaled into the window at the flip; with the software
// renderer only the pieces repainted this frame are scaled again and handed
// to the window system.
#include <SDL.h>

#include <algorithm>

#include "platform/common/screen_fit.h"
#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {
namespace {

struct Scaled {
    SDL_Texture* canvas = nullptr;
    std::vector<uint32_t> mirror;   // the canvas's pixels, kept for the scaler
    std::vector<uint32_t> scratch;  // the window's pixels when its surface has another layout
    ScreenScaler scaler;
    SDL_Surface* surface = nullptr;  // the window surface the last frame went to
    int surfaceW = 0, surfaceH = 0;
    std::vector<SDL_Rect> shown;
};

Scaled gScaled;

// The canvas has the window surface's layout, no alpha: the software renderer
// then blends into it exactly as into the window, on the same fast paths.
constexpr Uint32 CanvasFormat = SDL_PIXELFORMAT_RGB888;

Window* ScreenWindow() { return FindWindow(State().screenWindow); }

bool DirectLayout(const SDL_Surface* surface) {
    const SDL_PixelFormat* f = surface->format;
    return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000u && f->Gmask == 0x0000FF00u &&
           f->Bmask == 0x000000FFu;
}

// Reads the canvas pixels of `piece` into the mirror.
void ReadCanvas(SDL_Renderer* renderer, const SDL_Rect& piece) {
    const int pitch = State().screenW;
    uint32_t* at = gScaled.mirror.data() + static_cast<size_t>(piece.y) * pitch + piece.x;
    SDL_RenderReadPixels(renderer, &piece, CanvasFormat, at, pitch * 4);
}

// The client area below the menu strip, in window pixels.
SDL_Rect ClientArea(const Window& window, int w, int h) {
    return SDL_Rect{0, window.menuHeight, w, h - window.menuHeight};
}

PixelRect PictureIn(const SDL_Rect& client) {
    const Backend& backend = State();
    PixelRect picture = FitScreen(client.w, client.h, backend.screenW, backend.screenH);
    picture.x += client.x;
    picture.y += client.y;
    return picture;
}

// The menu strip of a scaled window, drawn by the renderer straight into the
// window; true when it was drawn (or a drop-down covers the screen).
bool DrawStrip(Window& window, bool& covers) {
    covers = false;
    if (!window.hasMenu || window.menuHeight <= 0) return false;
    SDL_Renderer* renderer = State().renderer;
    SDL_SetRenderTarget(renderer, nullptr);
    covers = MenuDrawStrip(window);
    SDL_RenderFlush(renderer);
    if (covers) RepaintInvalidate();
    return State().menuStripRedrawn;
}

void PresentSoftware(Window& window, bool inPieces, const std::vector<SDL_Rect>& pieces) {
    Backend& backend = State();
    SDL_Renderer* renderer = backend.renderer;
    SDL_RenderFlush(renderer);
    SDL_Surface* surface = SDL_GetWindowSurface(window.handle);
    if (!surface) return;
    const SDL_Rect client = ClientArea(window, surface->w, surface->h);
    if (client.w <= 0 || client.h <= 0) return;
    const PixelRect picture = PictureIn(client);
    gScaled.scaler.Prepare(picture, backend.screenW, backend.screenH);
    const size_t screenPixels = static_cast<size_t>(backend.screenW) * backend.screenH;
    // A new surface (a new size, a new mode) holds nothing yet: bars too.
    const bool fresh = surface != gScaled.surface || surface->w != gScaled.surfaceW ||
                       surface->h != gScaled.surfaceH || gScaled.mirror.size() != screenPixels;
    const bool all = !inPieces || fresh;
    gScaled.surface = surface;
    gScaled.surfaceW = surface->w;
    gScaled.surfaceH = surface->h;
    gScaled.shown.clear();
    if (all) {
        gScaled.mirror.resize(screenPixels);
        ReadCanvas(renderer, SDL_Rect{0, 0, backend.screenW, backend.screenH});
        gScaled.shown.push_back(client);
    } else {
        for (const SDL_Rect& piece : pieces) {
            ReadCanvas(renderer, piece);
            const PixelRect area =
                gScaled.scaler.WindowRectFor(PixelRect{piece.x, piece.y, piece.w, piece.h});
            if (area.w > 0 && area.h > 0) gScaled.shown.push_back(SDL_Rect{area.x, area.y, area.w, area.h});
        }
    }
    const bool direct = DirectLayout(surface);
    if (!direct) gScaled.scratch.resize(static_cast<size_t>(surface->w) * surface->h);
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    auto* pixels = static_cast<uint8_t*>(surface->pixels);
    uint32_t* target = direct ? reinterpret_cast<uint32_t*>(pixels) : gScaled.scratch.data();
    const int pitch = direct ? surface->pitch / 4 : surface->w;
    if (all) {
        // Black bars, then the whole picture.
        for (int y = client.y; fresh && y < client.y + client.h; ++y) {
            uint32_t* row = target + static_cast<size_t>(y) * pitch;
            if (y < picture.y || y >= picture.y + picture.h) {
                std::fill(row, row + client.w, 0xFF000000u);
            } else {
                std::fill(row, row + picture.x, 0xFF000000u);
                std::fill(row + picture.x + picture.w, row + client.w, 0xFF000000u);
            }
        }
        gScaled.scaler.Scale(gScaled.mirror.data(), backend.screenW, target, pitch, picture);
    } else {
        for (const SDL_Rect& r : gScaled.shown)
            gScaled.scaler.Scale(gScaled.mirror.data(), backend.screenW, target, pitch,
                                 PixelRect{r.x, r.y, r.w, r.h});
    }
    if (!direct) {
        for (const SDL_Rect& r : gScaled.shown)
            SDL_ConvertPixels(r.w, r.h, CanvasFormat, gScaled.scratch.data() + r.y * surface->w + r.x,
                              surface->w * 4, surface->format->format,
                              pixels + r.y * surface->pitch + r.x * surface->format->BytesPerPixel,
                              surface->pitch);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    bool covers = false;
    if (DrawStrip(window, covers)) gScaled.shown.push_back(SDL_Rect{0, 0, surface->w, window.menuHeight});
    if (all || covers)
        SDL_UpdateWindowSurface(window.handle);
    else if (!gScaled.shown.empty())
        SDL_UpdateWindowSurfaceRects(window.handle, gScaled.shown.data(),
                                     static_cast<int>(gScaled.shown.size()));
    ScreenApplyViewport();
}

// A renderer that does not keep its frames (an accelerated one) scales the
// canvas itself, filtered.
void PresentAccelerated(Window& window) {
    Backend& backend = State();
    SDL_Renderer* renderer = backend.renderer;
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    const PixelRect picture = PictureIn(ClientArea(window, w, h));
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderSetViewport(renderer, nullptr);
    SDL_RenderSetClipRect(renderer, nullptr);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_SetTextureBlendMode(gScaled.canvas, SDL_BLENDMODE_NONE);
    SDL_SetTextureAlphaMod(gScaled.canvas, 255);
    SDL_SetTextureColorMod(gScaled.canvas, 255, 255, 255);
    SDL_SetTextureScaleMode(gScaled.canvas, SDL_ScaleModeLinear);
    const SDL_Rect to{picture.x, picture.y, picture.w, picture.h};
    SDL_RenderCopy(renderer, gScaled.canvas, nullptr, &to);
    bool covers = false;
    DrawStrip(window, covers);
    SDL_RenderPresent(renderer);
    ScreenApplyViewport();
}

// The canvas the scaled screen is drawn into; false when it cannot be made.
bool MakeCanvas(int id) {
    Backend& backend = State();
    if (backend.screenWindow != id || !backend.renderer || gScaled.canvas) return true;
    gScaled.canvas = SDL_CreateTexture(backend.renderer, CanvasFormat, SDL_TEXTUREACCESS_TARGET,
                                       backend.screenW, backend.screenH);
    return gScaled.canvas != nullptr;
}

// The window shows the screen another way from the next frame.
void Reframe(int id, Window& window) {
    window.mouseX = window.mouseY = -1;
    if (State().screenWindow == id && State().renderer) {
        RepaintInvalidate();
        ScreenApplyViewport();
    }
}

}  // namespace

bool ScreenScaled() {
    const Window* window = ScreenWindow();
    return window && ShowsScaled(*window) && gScaled.canvas;
}

SDL_Texture* ScreenCanvas() { return ScreenScaled() ? gScaled.canvas : nullptr; }

bool ScaledPointer(const Window& window, int wx, int wy, int& x, int& y) {
    const Backend& backend = State();
    int w = 0, h = 0;
    SDL_GetWindowSize(window.handle, &w, &h);
    const PixelRect picture = PictureIn(ClientArea(window, w, h));
    x = WindowToScreen(picture.x, picture.w, backend.screenW, wx);
    y = WindowToScreen(picture.y, picture.h, backend.screenH, wy);
    return wx >= picture.x && wx < picture.x + picture.w && wy >= picture.y && wy < picture.y + picture.h;
}

void PresentScaled(Window& window, bool inPieces, const std::vector<SDL_Rect>& pieces) {
    if (RepaintRetained())
        PresentSoftware(window, inPieces, pieces);
    else
        PresentAccelerated(window);
}

void ScaledOnScreenClosing() {
    if (gScaled.canvas) SDL_DestroyTexture(gScaled.canvas);
    gScaled.canvas = nullptr;
    gScaled.surface = nullptr;
    gScaled.mirror.clear();
}

}  // namespace platform::sdl

namespace platform {

using namespace sdl;

bool SetWindowFullscreen(int id, bool fullscreen) {
    Window* window = FindWindow(id);
    if (!window || !window->handle) return false;
    if (window->fullscreen == fullscreen) return true;
    if (fullscreen) {
        const int display = SDL_GetWindowDisplayIndex(window->handle);
        SDL_Rect desktop{};
        if (display < 0 || SDL_GetDisplayBounds(display, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0)
            return false;
        if (!MakeCanvas(id)) return false;
        SDL_GetWindowPosition(window->handle, &window->windowed.x, &window->windowed.y);
        SDL_GetWindowSize(window->handle, &window->windowed.w, &window->windowed.h);
        window->fullscreen = true;
        window->windowedMenuHeight = window->menuHeight;
        window->menuHeight = 0;  // no menu strip over the scaled screen
        SDL_SetWindowMinimumSize(window->handle, 1, 1);
        SDL_SetWindowMaximumSize(window->handle, std::max(desktop.w, 16384), std::max(desktop.h, 16384));
        SDL_SetWindowBordered(window->handle, SDL_FALSE);
        SDL_SetWindowPosition(window->handle, desktop.x, desktop.y);
        SDL_SetWindowSize(window->handle, desktop.w, desktop.h);
        SDL_RaiseWindow(window->handle);
    } else {
        window->fullscreen = false;
        window->menuHeight = window->windowedMenuHeight;
        SDL_SetWindowBordered(window->handle, SDL_TRUE);
        SDL_SetWindowSize(window->handle, window->windowed.w, window->windowed.h);
        SDL_SetWindowPosition(window->handle, window->windowed.x, window->windowed.y);
        ApplyLimits(*window);
    }
    Reframe(id, *window);
    return true;
}

bool WindowFullscreen(int id) {
    const Window* window = FindWindow(id);
    return window && window->fullscreen;
}

void SetWindowScaled(int id, bool scaled) {
    Window* window = FindWindow(id);
    if (!window || !window->handle || window->scaled == scaled || (scaled && !MakeCanvas(id))) return;
    window->scaled = scaled;
    if (!window->fullscreen) {
        ApplyLimits(*window);
        Reframe(id, *window);
    }
}

}  // namespace platform
