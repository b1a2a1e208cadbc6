// The sprite screen on an SDL renderer: sprites, images, blending, drawing
// into sprites and the capped flip.
#include <SDL.h>

#include <algorithm>
#include <unordered_map>

#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {
namespace {

// A sprite drawn zoomed is scaled once into a copy of the zoomed size and
// then drawn unscaled: the full-screen pictures are drawn every frame, the
// buttons of the side column at half size, and the software renderer scales
// slowly. Small pictures drawn at many sizes (the sparkles) keep one copy per
// size: scaled drawing with blending takes the software renderer's slowest path.
constexpr size_t ScaledCopiesPerSprite = 4;
constexpr int SmallSpriteMaximumArea = 64 * 64;
constexpr size_t ScaledCopiesPerSmallSprite = 48;

struct ScaledCopy {
    int w = 0, h = 0;
    SDL_Texture* texture = nullptr;
};

// Glyphs and other small parts of a picture drawn at another size (text at
// a font size below 1) keep a copy per part and size too: an idle screen
// redraws the same digits under every sparkle that passes over them.
constexpr int SmallPartMaximumSide = 511;
constexpr size_t ScaledPartsPerSprite = 1024;

// A part's copy is known by where it comes from, its size and how it was scaled.
uint64_t PartKey(const SDL_Rect& source, int w, int h, SDL_ScaleMode mode) {
    return static_cast<uint64_t>(source.x) << 50 | static_cast<uint64_t>(source.y) << 36 |
           static_cast<uint64_t>(source.w) << 27 | static_cast<uint64_t>(source.h) << 18 |
           static_cast<uint64_t>(w) << 9 | static_cast<uint64_t>(h) | static_cast<uint64_t>(mode) << 63;
}

bool SmallPart(const SDL_Rect& source, int w, int h) {
    return source.x >= 0 && source.x < (1 << 13) && source.y >= 0 && source.y < (1 << 14) && source.w > 0 &&
           source.w <= SmallPartMaximumSide && source.h > 0 && source.h <= SmallPartMaximumSide && w > 0 &&
           w <= SmallPartMaximumSide && h > 0 && h <= SmallPartMaximumSide;
}

struct Sprite {
    SDL_Texture* texture = nullptr;
    int w = 0, h = 0;              // the picture's size, as the game knows it
    int storedW = 0, storedH = 0;  // the texture's: the one size it is drawn at
    bool opaque = false;           // every pixel has alpha 255
    bool target = false;           // can be drawn into
    uint64_t content = 0;          // changes whenever the pixels may have changed
    uint64_t madeFrom = 0;         // the identity of the PixelBuffer it was made from (0: none)
    std::vector<ScaledCopy> scaled;
    std::unordered_map<uint64_t, SDL_Texture*> scaledParts;  // by PartKey
};

struct Image {
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    SDL_Texture* texture = nullptr;  // made on first use by the current renderer
};

struct Screen {
    std::map<int, Sprite> sprites;
    std::map<int, Image> images;
    int blendSource = 6, blendDestination = 7;
    SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
    int quality = 0;
    int frameRate = 60;
    Uint64 nextFrame = 0;
    int drawingInto = -1;
    uint64_t lastContent = 0;
    std::vector<SDL_Rect> shown;  // window rectangles handed to the window system this frame
};

Screen gScreen;

uint64_t NewContent() { return ++gScreen.lastContent; }

// A 0xRRGGBB colour with its alpha.
SDL_Color ColourOf(uint32_t rgb, int alpha) {
    return SDL_Color{static_cast<Uint8>((rgb >> 16) & 0xFF), static_cast<Uint8>((rgb >> 8) & 0xFF),
                     static_cast<Uint8>(rgb & 0xFF), static_cast<Uint8>(std::clamp(alpha, 0, 255))};
}

// Drawing on the screen is kept for the flip; drawing into a sprite happens now.
void Paint(SDL_Renderer* renderer, const PaintCommand& command) {
    if (gScreen.drawingInto < 0 && RepaintRecording())
        RepaintRecord(command);
    else
        RepaintRun(renderer, command);
}

SDL_BlendFactor FactorOf(int factor) {
    switch (factor) {
        case 0: return SDL_BLENDFACTOR_ZERO;
        case 1: return SDL_BLENDFACTOR_ONE;
        case 2: return SDL_BLENDFACTOR_SRC_COLOR;
        case 3: return SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR;
        case 4: return SDL_BLENDFACTOR_DST_COLOR;
        case 5: return SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR;
        case 6: return SDL_BLENDFACTOR_SRC_ALPHA;
        case 7: return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
        case 8: return SDL_BLENDFACTOR_DST_ALPHA;
        default: return SDL_BLENDFACTOR_ONE_MINUS_DST_ALPHA;
    }
}

// Textures use the window surface's layout (ARGB8888): the software renderer
// then blends with its fast same-layout routines instead of converting every
// pixel of every draw. Pictures decoded in that byte order (BGRA on this
// little-endian machine) are taken as they are.
constexpr Uint32 TextureFormat = SDL_PIXELFORMAT_ARGB8888;
constexpr PixelOrder TextureOrder =
    TextureFormat == SDL_PIXELFORMAT_BGRA32 ? PixelOrder::Bgra : PixelOrder::Rgba;

Uint32 FormatOf(PixelOrder order) {
    return order == PixelOrder::Bgra ? SDL_PIXELFORMAT_BGRA32 : SDL_PIXELFORMAT_RGBA32;
}

SDL_Texture* MakeTexture(SDL_Renderer* renderer, int access, int w, int h, const uint8_t* pixels,
                         PixelOrder order = PixelOrder::Rgba) {
    SDL_Texture* texture = SDL_CreateTexture(renderer, TextureFormat, access, w, h);
    if (!texture || !pixels) return texture;
    if (FormatOf(order) == TextureFormat) {
        SDL_UpdateTexture(texture, nullptr, pixels, w * 4);
        return texture;
    }
    std::vector<uint8_t> converted(static_cast<size_t>(w) * h * 4);
    SDL_ConvertPixels(w, h, FormatOf(order), pixels, w * 4, TextureFormat, converted.data(), w * 4);
    SDL_UpdateTexture(texture, nullptr, converted.data(), w * 4);
    return texture;
}

// Another sprite showing the same texture (made from the same pixels).
bool TextureShared(const Sprite& sprite) {
    for (const auto& [id, other] : gScreen.sprites)
        if (&other != &sprite && other.texture == sprite.texture) return true;
    return false;
}

void DestroySprite(Sprite& sprite) {
    // A frame still to be painted must be painted while its pictures exist.
    if (RepaintUses(sprite.content)) RepaintFlush();
    for (ScaledCopy& copy : sprite.scaled) SDL_DestroyTexture(copy.texture);
    sprite.scaled.clear();
    for (auto& [key, texture] : sprite.scaledParts) SDL_DestroyTexture(texture);
    sprite.scaledParts.clear();
    if (sprite.texture && !TextureShared(sprite)) SDL_DestroyTexture(sprite.texture);
    sprite.texture = nullptr;
}

SDL_Texture* ImageTexture(Image& image) {
    SDL_Renderer* renderer = State().renderer;
    if (!image.texture && renderer) {
        image.texture = MakeTexture(renderer, SDL_TEXTUREACCESS_STATIC, image.w, image.h, image.rgba.data());
    }
    return image.texture;
}

// A texture of w x h holding `source` of the sprite (all of it when null)
// scaled with `mode`, its pixels as they are (no tint, no blending).
SDL_Texture* MakeScaledCopy(Sprite& sprite, const SDL_Rect* source, int w, int h, SDL_ScaleMode mode) {
    SDL_Renderer* renderer = State().renderer;
    SDL_Texture* texture = MakeTexture(renderer, SDL_TEXTUREACCESS_TARGET, w, h, nullptr);
    if (!texture) return nullptr;
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    SDL_SetRenderTarget(renderer, texture);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
    SDL_RenderClear(renderer);
    SDL_SetTextureBlendMode(sprite.texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureAlphaMod(sprite.texture, 255);
    SDL_SetTextureColorMod(sprite.texture, 255, 255, 255);
    SDL_SetTextureScaleMode(sprite.texture, mode);
    SDL_RenderCopy(renderer, sprite.texture, source, nullptr);
    SDL_SetRenderTarget(renderer, previous);
    ScreenApplyViewport();
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    return texture;
}

SDL_Texture* ScaledTexture(Sprite& sprite, int w, int h) {
    for (ScaledCopy& copy : sprite.scaled)
        if (copy.w == w && copy.h == h) return copy.texture;
    const bool small = sprite.storedW * sprite.storedH <= SmallSpriteMaximumArea;
    if (sprite.scaled.size() >= (small ? ScaledCopiesPerSmallSprite : ScaledCopiesPerSprite) || w <= 0 ||
        h <= 0)
        return nullptr;
    SDL_Texture* texture = MakeScaledCopy(sprite, nullptr, w, h, SDL_ScaleModeLinear);
    if (texture) sprite.scaled.push_back(ScaledCopy{w, h, texture});
    return texture;
}

// The copy of a small part scaled as drawing it directly would scale it, or
// null when the part is not kept.
SDL_Texture* ScaledPart(Sprite& sprite, const SDL_Rect& source, int w, int h, SDL_ScaleMode mode) {
    if (!SmallPart(source, w, h)) return nullptr;
    const uint64_t key = PartKey(source, w, h, mode);
    if (auto it = sprite.scaledParts.find(key); it != sprite.scaledParts.end()) return it->second;
    if (sprite.scaledParts.size() >= ScaledPartsPerSprite) return nullptr;
    SDL_Texture* texture = MakeScaledCopy(sprite, &source, w, h, mode);
    if (texture) sprite.scaledParts.emplace(key, texture);
    return texture;
}

}  // namespace

SDL_Renderer* CreateWindowRenderer(SDL_Window* window, Uint32 flags) {
    const bool chosen = SDL_getenv("SDL_RENDER_DRIVER") != nullptr;
    SDL_Renderer* renderer =
        SDL_CreateRenderer(window, -1, chosen ? flags : static_cast<Uint32>(SDL_RENDERER_SOFTWARE));
    return renderer ? renderer : SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

void ScreenApplyViewport() {
    Backend& backend = State();
    if (!backend.renderer || gScreen.drawingInto >= 0) return;
    Window* window = FindWindow(backend.screenWindow);
    if (!window) return;
    if (SDL_Texture* canvas = ScreenCanvas()) {
        // Scaled: the whole screen is drawn into its canvas.
        if (SDL_GetRenderTarget(backend.renderer) != canvas) SDL_SetRenderTarget(backend.renderer, canvas);
        const SDL_Rect all{0, 0, backend.screenW, backend.screenH};
        SDL_RenderSetViewport(backend.renderer, &all);
        SDL_RenderSetClipRect(backend.renderer, &all);
        return;
    }
    // Outside a sprite the only other target is the canvas of a screen scaled before.
    if (SDL_GetRenderTarget(backend.renderer)) SDL_SetRenderTarget(backend.renderer, nullptr);
    int w = 0, h = 0;
    SDL_GetWindowSize(window->handle, &w, &h);
    // The screen is shown unscaled from the client area's top-left corner
    // and cut at its right and bottom edges.
    SDL_Rect viewport{0, window->menuHeight, std::min(w, backend.screenW),
                      std::min(h - window->menuHeight, backend.screenH)};
    SDL_RenderSetViewport(backend.renderer, &viewport);
    SDL_Rect clip{0, 0, viewport.w, viewport.h};
    SDL_RenderSetClipRect(backend.renderer, &clip);
}

bool ScreenDrawingIntoSprite() { return gScreen.drawingInto >= 0; }

void ScreenOnWindowClosing(int id) {
    if (State().screenWindow == id) CloseScreen();
}

}  // namespace platform::sdl

namespace platform {

using namespace sdl;

bool InitSprite() { return State().videoUp; }

bool OpenScreen(int window, int, int, int w, int h) {
    Backend& backend = State();
    Window* target = FindWindow(window);
    if (!target) return false;
    if (backend.renderer) CloseScreen();
    SDL_Renderer* renderer = CreateWindowRenderer(target->handle, SDL_RENDERER_TARGETTEXTURE);
    if (!renderer) return false;
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer, &info);
    RepaintReset(info.name && SDL_strcmp(info.name, "software") == 0);
    backend.renderer = renderer;
    backend.menuStripShown = 0;  // a new framebuffer shows no strip yet
    backend.screenWindow = window;
    backend.screenW = w;
    backend.screenH = h;
    gScreen.nextFrame = 0;
    ScreenApplyViewport();
    return true;
}

void CloseScreen() {
    Backend& backend = State();
    if (!backend.renderer) return;
    // Textures belong to the renderer: sprites end with their screen.
    while (!gScreen.sprites.empty()) {
        DestroySprite(gScreen.sprites.begin()->second);
        gScreen.sprites.erase(gScreen.sprites.begin());
    }
    for (auto& [id, image] : gScreen.images) {
        if (image.texture) SDL_DestroyTexture(image.texture);
        image.texture = nullptr;
    }
    if (Window* window = FindWindow(backend.screenWindow); window && window->hasMenu) MenuShutdown();
    ScaledOnScreenClosing();
    RepaintReset(false);
    SDL_DestroyRenderer(backend.renderer);
    backend.renderer = nullptr;
    backend.screenWindow = -1;
}

void ClearScreen(uint32_t rgb) {
    SDL_Renderer* renderer = State().renderer;
    if (!renderer) return;
    ScreenApplyViewport();
    PaintCommand clear;
    clear.kind = PaintCommand::Kind::Clear;
    clear.colour = ColourOf(rgb, 255);
    Paint(renderer, clear);
}

void FlipBuffers() {
    Backend& backend = State();
    if (!backend.renderer) return;
    ScreenApplyViewport();
    SDL_Rect viewport;
    SDL_RenderGetViewport(backend.renderer, &viewport);
    Window* window = FindWindow(backend.screenWindow);
    const bool firstShown = window && window->showWithFrame;
    if (firstShown) RepaintInvalidate();  // the whole frame, for the window's first look
    const bool inPieces = RepaintFrame(backend.renderer, viewport);
    bool stripRedrawn = false;
    if (window && ScreenScaled()) {
        // A game started fullscreen shows its hidden window here too.
        if (firstShown) ShowNow(*window);
        PresentScaled(*window, inPieces, RepaintedPieces());
    } else {
        if (window && window->hasMenu) {
            // An open drop-down covers the screen: the next frame paints it all.
            if (MenuDrawStrip(*window)) RepaintInvalidate();
            stripRedrawn = backend.menuStripRedrawn;
            ScreenApplyViewport();
        }
        // Painted into the framebuffer while still hidden: shown, then handed over.
        if (firstShown) ShowNow(*window);
        if (inPieces && window) {
            // The software renderer draws into the window's own surface: only
            // what was painted goes to the window system.
            SDL_RenderFlush(backend.renderer);
            gScreen.shown.clear();
            for (const SDL_Rect& piece : RepaintedPieces())
                gScreen.shown.push_back(
                    SDL_Rect{piece.x + viewport.x, piece.y + viewport.y, piece.w, piece.h});
            if (stripRedrawn)
                gScreen.shown.push_back(SDL_Rect{0, 0, viewport.x + viewport.w, window->menuHeight});
            if (!gScreen.shown.empty())
                SDL_UpdateWindowSurfaceRects(window->handle, gScreen.shown.data(),
                                             static_cast<int>(gScreen.shown.size()));
        } else {
            SDL_RenderPresent(backend.renderer);
        }
    }
    // The frame-rate cap: sleep away what is left of this frame's slot.
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 period = frequency / static_cast<Uint64>(gScreen.frameRate);
    Uint64 now = SDL_GetPerformanceCounter();
    if (gScreen.nextFrame == 0 || now > gScreen.nextFrame + period) gScreen.nextFrame = now;
    gScreen.nextFrame += period;
    if (now < gScreen.nextFrame) {
        const Uint64 waitMs = (gScreen.nextFrame - now) * 1000 / frequency;
        if (waitMs > 0) SDL_Delay(static_cast<Uint32>(waitMs));
    }
}

void RepaintWholeNextFrame() { RepaintInvalidate(); }

void SetFrameRate(int fps) { gScreen.frameRate = fps > 0 ? fps : 60; }

bool GrabScreen(std::vector<uint8_t>& rgba, int& width, int& height) {
    SDL_Renderer* renderer = State().renderer;
    if (!renderer) return false;
    RepaintFlush();  // the frame so far, as drawing it directly would show it
    SDL_Rect viewport;
    SDL_RenderGetViewport(renderer, &viewport);
    width = viewport.w;
    height = viewport.h;
    rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    return SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ABGR8888, rgba.data(), width * 4) == 0;
}

bool CreateSprite(int id, int w, int h, const uint8_t* rgba) {
    SDL_Renderer* renderer = State().renderer;
    if (!renderer || w <= 0 || h <= 0 || !rgba) return false;
    SDL_Texture* texture = MakeTexture(renderer, SDL_TEXTUREACCESS_STATIC, w, h, rgba);
    if (!texture) return false;
    FreeSprite(id);
    Sprite sprite;
    sprite.texture = texture;
    sprite.w = sprite.storedW = w;
    sprite.h = sprite.storedH = h;
    sprite.opaque = true;
    sprite.content = NewContent();
    const size_t count = static_cast<size_t>(w) * h;
    for (size_t i = 0; i < count && sprite.opaque; ++i) sprite.opaque = rgba[i * 4 + 3] == 255;
    gScreen.sprites[id] = std::move(sprite);
    return true;
}

PixelOrder ScreenPixelOrder() { return TextureOrder; }

bool ZoomPixels(const PixelBuffer& source, int w, int h, PixelBuffer& zoomed) {
    if (!source.bytes || w <= 0 || h <= 0 || !zoomed.Allocate(w, h)) return false;
    const Uint32 format = FormatOf(source.order);
    SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(source.bytes.get(), source.width, source.height,
                                                           32, source.width * 4, format);
    SDL_Surface* to = SDL_CreateRGBSurfaceWithFormatFrom(zoomed.bytes.get(), w, h, 32, w * 4, format);
    // The software renderer's own filtered zoom (what a scaled copy is made with).
    const bool done = from && to && SDL_SoftStretchLinear(from, nullptr, to, nullptr) == 0;
    SDL_FreeSurface(from);
    SDL_FreeSurface(to);
    zoomed.order = source.order;
    zoomed.opaque = source.opaque;
    if (!done) zoomed = PixelBuffer{};
    return done;
}

bool CreateSpriteFromPixels(int id, int w, int h, const PixelBuffer& pixels) {
    SDL_Renderer* renderer = State().renderer;
    if (!renderer || w <= 0 || h <= 0 || !pixels.bytes || pixels.width <= 0 || pixels.height <= 0)
        return false;
    SDL_Texture* texture = nullptr;
    for (const auto& [other, sprite] : gScreen.sprites)
        if (other != id && sprite.madeFrom == pixels.identity && sprite.storedW == pixels.width &&
            sprite.storedH == pixels.height)
            texture = sprite.texture;  // the same pixels: one copy for both
    if (!texture)
        texture = MakeTexture(renderer, SDL_TEXTUREACCESS_STATIC, pixels.width, pixels.height,
                              pixels.bytes.get(), pixels.order);
    if (!texture) return false;
    FreeSprite(id);
    Sprite sprite;
    sprite.texture = texture;
    sprite.w = w;
    sprite.h = h;
    sprite.storedW = pixels.width;
    sprite.storedH = pixels.height;
    sprite.opaque = pixels.opaque;
    sprite.madeFrom = pixels.identity;
    sprite.content = NewContent();
    gScreen.sprites[id] = std::move(sprite);
    return true;
}

bool CreateBlankSprite(int id, int w, int h) {
    SDL_Renderer* renderer = State().renderer;
    if (!renderer || w <= 0 || h <= 0) return false;
    SDL_Texture* texture = MakeTexture(renderer, SDL_TEXTUREACCESS_TARGET, w, h, nullptr);
    if (!texture) return false;
    FreeSprite(id);
    Sprite sprite;
    sprite.texture = texture;
    sprite.w = sprite.storedW = w;
    sprite.h = sprite.storedH = h;
    sprite.target = true;
    sprite.content = NewContent();
    gScreen.sprites[id] = std::move(sprite);
    // Start transparent.
    if (StartSpriteDrawing(id)) {
        SpriteFillRect(0, 0, w, h, 0, 0);
        StopSpriteDrawing();
    }
    return true;
}

void FreeSprite(int id) {
    auto it = gScreen.sprites.find(id);
    if (it == gScreen.sprites.end()) return;
    DestroySprite(it->second);
    gScreen.sprites.erase(it);
}

bool SpriteExists(int id) { return gScreen.sprites.count(id) > 0; }

int SpriteWidth(int id) {
    auto it = gScreen.sprites.find(id);
    return it == gScreen.sprites.end() ? 0 : it->second.w;
}

int SpriteHeight(int id) {
    auto it = gScreen.sprites.find(id);
    return it == gScreen.sprites.end() ? 0 : it->second.h;
}

bool CreateImage(int id, int w, int h, const uint8_t* rgba) {
    if (w <= 0 || h <= 0 || !rgba) return false;
    Image image;
    image.w = w;
    image.h = h;
    image.rgba.assign(rgba, rgba + static_cast<size_t>(w) * h * 4);
    if (auto it = gScreen.images.find(id); it != gScreen.images.end() && it->second.texture)
        SDL_DestroyTexture(it->second.texture);
    gScreen.images[id] = std::move(image);
    return true;
}

bool ImageExists(int id) { return gScreen.images.count(id) > 0; }

void FreeImage(int id) {
    auto it = gScreen.images.find(id);
    if (it == gScreen.images.end()) return;
    if (it->second.texture) SDL_DestroyTexture(it->second.texture);
    gScreen.images.erase(it);
}

void DrawSprite(int id, int x, int y, const DrawOptions& options) {
    SDL_Renderer* renderer = State().renderer;
    auto it = gScreen.sprites.find(id);
    if (!renderer || it == gScreen.sprites.end()) return;
    Sprite& sprite = it->second;
    SDL_Rect source{options.clipX, options.clipY, options.clipWidth >= 0 ? options.clipWidth : sprite.w,
                    options.clipHeight >= 0 ? options.clipHeight : sprite.h};
    // Keep the clip inside the picture, as the clip of a sprite does.
    source.x = std::clamp(source.x, 0, sprite.w);
    source.y = std::clamp(source.y, 0, sprite.h);
    source.w = std::clamp(source.w, 0, sprite.w - source.x);
    source.h = std::clamp(source.h, 0, sprite.h - source.y);
    SDL_Rect target{x, y, options.width >= 0 ? options.width : source.w,
                    options.height >= 0 ? options.height : source.h};
    if (source.w <= 0 || source.h <= 0 || target.w <= 0 || target.h <= 0) return;
    if (sprite.storedW != sprite.w || sprite.storedH != sprite.h) {
        // Kept at the size it is drawn at: the clip in the texture's pixels.
        const auto across = [](int at, int stored, int size) {
            return static_cast<int>(static_cast<int64_t>(at) * stored / size);
        };
        const int right = across(source.x + source.w, sprite.storedW, sprite.w);
        const int bottom = across(source.y + source.h, sprite.storedH, sprite.h);
        source.x = across(source.x, sprite.storedW, sprite.w);
        source.y = across(source.y, sprite.storedH, sprite.h);
        source.w = std::max(1, right - source.x);
        source.h = std::max(1, bottom - source.y);
    }

    SDL_Texture* texture = sprite.texture;
    const bool wholeSprite =
        source.x == 0 && source.y == 0 && source.w == sprite.storedW && source.h == sprite.storedH;
    if (wholeSprite && (target.w != sprite.storedW || target.h != sprite.storedH) && !sprite.target) {
        if (SDL_Texture* scaled = ScaledTexture(sprite, target.w, target.h)) {
            texture = scaled;
            source = SDL_Rect{0, 0, target.w, target.h};
        }
    } else if (!wholeSprite && (target.w != source.w || target.h != source.h) && !sprite.target) {
        const SDL_ScaleMode mode = gScreen.quality ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
        if (SDL_Texture* part = ScaledPart(sprite, source, target.w, target.h, mode)) {
            texture = part;
            source = SDL_Rect{0, 0, target.w, target.h};
        }
    }
    PaintCommand copy;
    copy.mode = gScreen.blend;
    if (options.opaque || (sprite.opaque && options.intensity >= 255 && gScreen.blendSource == 6 &&
                           gScreen.blendDestination == 7))
        copy.mode = SDL_BLENDMODE_NONE;  // same pixels, much cheaper in software
    copy.colour = ColourOf(options.tint, options.intensity);
    // Scaled copies are made at their size: only the sprite itself is zoomed.
    if (texture == sprite.texture && gScreen.quality) copy.scale = SDL_ScaleModeLinear;
    copy.texture = texture;
    copy.content = sprite.content;
    copy.source = source;
    copy.target = target;
    Paint(renderer, copy);
}

void SetSpriteBlending(int source, int destination) {
    if (source == gScreen.blendSource && destination == gScreen.blendDestination) return;
    gScreen.blendSource = source;
    gScreen.blendDestination = destination;
    if (source == 6 && destination == 7) {
        gScreen.blend = SDL_BLENDMODE_BLEND;
    } else if (source == 6 && destination == 1) {
        gScreen.blend = SDL_BLENDMODE_ADD;
    } else {
        // Other pairs (reachable through the developer keys) where the renderer
        // accepts them; ordinary blending otherwise.
        SDL_BlendMode custom =
            SDL_ComposeCustomBlendMode(FactorOf(source), FactorOf(destination), SDL_BLENDOPERATION_ADD,
                                       FactorOf(source), FactorOf(destination), SDL_BLENDOPERATION_ADD);
        gScreen.blend = SDL_BLENDMODE_BLEND;
        for (auto& [id, sprite] : gScreen.sprites) {
            if (SDL_SetTextureBlendMode(sprite.texture, custom) == 0) gScreen.blend = custom;
            break;
        }
    }
}

void SetSpriteQuality(int quality) { gScreen.quality = quality; }

void DrawScreenRect(int x, int y, int w, int h, uint32_t rgb, int alpha) {
    SDL_Renderer* renderer = State().renderer;
    if (!renderer || w <= 0 || h <= 0) return;
    PaintCommand fill;
    fill.kind = PaintCommand::Kind::Fill;
    fill.mode = SDL_BLENDMODE_BLEND;
    fill.colour = ColourOf(rgb, alpha);
    fill.target = SDL_Rect{x, y, w, h};
    Paint(renderer, fill);
}

bool StartSpriteDrawing(int id) {
    SDL_Renderer* renderer = State().renderer;
    auto it = gScreen.sprites.find(id);
    if (!renderer || it == gScreen.sprites.end() || !it->second.target) return false;
    // This frame may already show the sprite as it is now.
    if (RepaintUses(it->second.content)) RepaintFlush();
    if (SDL_SetRenderTarget(renderer, it->second.texture) != 0) return false;
    it->second.content = NewContent();
    gScreen.drawingInto = id;
    return true;
}

void SpriteFillRect(int x, int y, int w, int h, uint32_t rgb, int alpha) {
    SDL_Renderer* renderer = State().renderer;
    if (!renderer || gScreen.drawingInto < 0) return;
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF,
                           static_cast<Uint8>(std::clamp(alpha, 0, 255)));
    SDL_Rect rect{x, y, w, h};
    SDL_RenderFillRect(renderer, &rect);
}

void SpriteDrawImage(int image, int x, int y) {
    SDL_Renderer* renderer = State().renderer;
    auto it = gScreen.images.find(image);
    if (!renderer || gScreen.drawingInto < 0 || it == gScreen.images.end()) return;
    SDL_Texture* texture = ImageTexture(it->second);
    if (!texture) return;
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_Rect rect{x, y, it->second.w, it->second.h};
    SDL_RenderCopy(renderer, texture, nullptr, &rect);
}

void StopSpriteDrawing() {
    SDL_Renderer* renderer = State().renderer;
    if (!renderer || gScreen.drawingInto < 0) return;
    SDL_SetRenderTarget(renderer, ScreenCanvas());
    gScreen.drawingInto = -1;
    ScreenApplyViewport();
}

}  // namespace platform
