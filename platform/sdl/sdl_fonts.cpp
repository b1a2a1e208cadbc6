// System fonts ("Arial" bold, here Liberation Sans Bold) on SDL_ttf, for text
// drawn into sprites.
#include <SDL.h>
#include <SDL_ttf.h>

#include <map>

#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {

extern const uint8_t* gUiFontData;
extern size_t gUiFontBytes;

namespace {
std::map<int, TTF_Font*> gFonts;
}

void FontsShutdown() {
    for (auto& [id, font] : gFonts) TTF_CloseFont(font);
    gFonts.clear();
    if (TTF_WasInit()) TTF_Quit();
}

}  // namespace platform::sdl

namespace platform {

using namespace sdl;

bool LoadSystemFont(int id, int pointSize, const uint8_t* ttf, size_t bytes) {
    if (!ttf || bytes == 0 || pointSize <= 0) return false;
    if (!TTF_WasInit() && TTF_Init() != 0) return false;
    SDL_RWops* stream = SDL_RWFromConstMem(ttf, static_cast<int>(bytes));
    if (!stream) return false;
    TTF_Font* font = TTF_OpenFontDPIRW(stream, 1, pointSize, 96, 96);
    if (!font) return false;
    if (auto it = gFonts.find(id); it != gFonts.end()) TTF_CloseFont(it->second);
    gFonts[id] = font;
    // The menu strip and the settings window use the same face.
    gUiFontData = ttf;
    gUiFontBytes = bytes;
    return true;
}

int SystemTextWidth(int font, const std::string& text) {
    auto it = gFonts.find(font);
    if (it == gFonts.end() || text.empty()) return 0;
    int w = 0, h = 0;
    TTF_SizeUTF8(it->second, ToUtf8(text).c_str(), &w, &h);
    return w;
}

void SpriteDrawText(int font, int x, int y, const std::string& text, uint32_t rgb, int alpha) {
    SDL_Renderer* renderer = State().renderer;
    auto it = gFonts.find(font);
    if (!renderer || it == gFonts.end() || text.empty()) return;
    if (!ScreenDrawingIntoSprite()) RepaintFlush();  // drawn now: what the frame kept goes first
    SDL_Color colour{static_cast<Uint8>((rgb >> 16) & 0xFF), static_cast<Uint8>((rgb >> 8) & 0xFF),
                     static_cast<Uint8>(rgb & 0xFF), 255};
    SDL_Surface* surface = TTF_RenderUTF8_Blended(it->second, ToUtf8(text).c_str(), colour);
    if (!surface) return;
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    if (texture) {
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureAlphaMod(texture, static_cast<Uint8>(SDL_clamp(alpha, 0, 255)));
        SDL_Rect rect{x, y, surface->w, surface->h};
        SDL_RenderCopy(renderer, texture, nullptr, &rect);
        SDL_DestroyTexture(texture);
    }
    SDL_FreeSurface(surface);
}

}  // namespace platform
