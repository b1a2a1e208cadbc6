// Movie playback: FFmpeg decodes on the main thread while the game pumps
// window events; pictures go to the movie's window through a renderer of its
// own, kept to the movie's aspect inside the rectangle given by ResizeMovie.
// The sound, if the file has any, is handed to SDL_mixer's music hook, so the
// game's channels keep playing untouched beside it.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include "platform/common/movie_decoder.h"
#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {
namespace {

struct Movie {
    MovieDecoder* decoder = nullptr;
    SDL_Rect area{0, 0, 0, 0};
    bool sized = false;  // ResizeMovie was called; else the whole client area
    int window = -1;
    bool playing = false;
    Uint64 startTicks = 0;
    int64_t position = 0;  // ms reached when it was stopped
    SDL_Renderer* renderer = nullptr;
    bool ownRenderer = false;
    SDL_Texture* texture = nullptr;
    int textureW = 0, textureH = 0;
    bool withSound = false;
};

std::map<int, Movie> gMovies;

// The playing movie's sound, filled on the main thread and drained by the
// mixer's thread.
std::mutex gSoundLock;
std::vector<int16_t> gSound;
size_t gSoundRead = 0;
int gHookedMovie = -1;
std::vector<int16_t> gDecodedSound;  // main thread only

void SoundHook(void*, Uint8* stream, int length) {
    int16_t* out = reinterpret_cast<int16_t*>(stream);
    const size_t wanted = static_cast<size_t>(length) / sizeof(int16_t);
    std::lock_guard<std::mutex> lock(gSoundLock);
    const size_t available = gSound.size() - gSoundRead;
    const size_t taken = std::min(wanted, available);
    std::copy_n(gSound.data() + gSoundRead, taken, out);
    std::fill(out + taken, out + wanted, int16_t{0});
    gSoundRead += taken;
}

void UnhookSound(int id) {
    if (gHookedMovie != id) return;
    Mix_HookMusic(nullptr, nullptr);  // returns once the mixer no longer runs the hook
    gHookedMovie = -1;
    std::lock_guard<std::mutex> lock(gSoundLock);
    gSound.clear();
    gSoundRead = 0;
}

void QueueSound(const std::vector<int16_t>& samples) {
    if (samples.empty()) return;
    std::lock_guard<std::mutex> lock(gSoundLock);
    if (gSoundRead > 0 && gSoundRead * 2 >= gSound.size()) {
        gSound.erase(gSound.begin(), gSound.begin() + static_cast<std::ptrdiff_t>(gSoundRead));
        gSoundRead = 0;
    }
    gSound.insert(gSound.end(), samples.begin(), samples.end());
}

void ReleaseOutput(Movie& movie) {
    if (movie.texture) SDL_DestroyTexture(movie.texture);
    movie.texture = nullptr;
    movie.textureW = movie.textureH = 0;
    if (movie.renderer && movie.ownRenderer) SDL_DestroyRenderer(movie.renderer);
    movie.renderer = nullptr;
    movie.ownRenderer = false;
}

void Halt(int id, Movie& movie) {
    if (movie.playing) movie.position = static_cast<int64_t>(SDL_GetTicks64() - movie.startTicks);
    movie.playing = false;
    UnhookSound(id);
    // The window's screen may need the window next: the movie's renderer goes.
    ReleaseOutput(movie);
}

bool EnsureRenderer(Movie& movie) {
    if (movie.renderer) return true;
    Window* window = FindWindow(movie.window);
    if (!window || !window->handle) return false;
    if (State().screenWindow == movie.window && State().renderer) {
        movie.renderer = State().renderer;  // one renderer per window: share the screen's
        movie.ownRenderer = false;
        return true;
    }
    // A renderer may make SDL build the X11 window anew, at the position SDL
    // last heard of, which can predate a move just made: put it back.
    int x = 0, y = 0;
    SDL_GetWindowPosition(window->handle, &x, &y);
    movie.renderer = CreateWindowRenderer(window->handle, 0);
    SDL_SetWindowPosition(window->handle, x, y);
    movie.ownRenderer = movie.renderer != nullptr;
    return movie.renderer != nullptr;
}

// Where the picture goes: the largest rectangle of the movie's shape inside its area.
SDL_Rect PictureRect(const Movie& movie) {
    SDL_Rect area = movie.area;
    if (!movie.sized) {
        area = SDL_Rect{0, 0, WindowClientWidth(movie.window), WindowClientHeight(movie.window)};
    }
    const double width = std::max(1, MovieDisplayWidth(movie.decoder));
    const double height = std::max(1, MovieDisplayHeight(movie.decoder));
    const double scale = std::min(area.w / width, area.h / height);
    SDL_Rect rect;
    rect.w = std::max(1, static_cast<int>(std::lround(width * scale)));
    rect.h = std::max(1, static_cast<int>(std::lround(height * scale)));
    rect.x = area.x + (area.w - rect.w) / 2;
    rect.y = area.y + (area.h - rect.h) / 2;
    return rect;
}

void Present(Movie& movie) {
    if (!EnsureRenderer(movie)) return;
    const SDL_Rect target = PictureRect(movie);
    if (!movie.texture || movie.textureW != target.w || movie.textureH != target.h) {
        if (movie.texture) SDL_DestroyTexture(movie.texture);
        movie.texture = SDL_CreateTexture(movie.renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_STREAMING, target.w, target.h);
        movie.textureW = target.w;
        movie.textureH = target.h;
        if (!movie.texture) return;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(movie.texture, nullptr, &pixels, &pitch) != 0) return;
    MovieDecoderPicture(movie.decoder, target.w, target.h, static_cast<uint8_t*>(pixels), pitch);
    SDL_UnlockTexture(movie.texture);
    SDL_RenderSetViewport(movie.renderer, nullptr);
    SDL_RenderSetClipRect(movie.renderer, nullptr);
    SDL_SetRenderDrawColor(movie.renderer, 0, 0, 0, 255);
    SDL_RenderClear(movie.renderer);
    SDL_RenderCopy(movie.renderer, movie.texture, nullptr, &target);
    SDL_RenderPresent(movie.renderer);
    if (!movie.ownRenderer) {
        RepaintInvalidate();  // the movie painted over the screen's last frame
        ScreenApplyViewport();
    }
}

}  // namespace

void MovieAdvance() {
    for (auto& [id, movie] : gMovies) {
        if (!movie.playing || MovieDecoderFinished(movie.decoder)) continue;
        const int64_t ms = static_cast<int64_t>(SDL_GetTicks64() - movie.startTicks);
        gDecodedSound.clear();
        const bool changed = AdvanceMovieDecoder(movie.decoder, ms, gDecodedSound);
        if (movie.withSound) QueueSound(gDecodedSound);
        if (changed) Present(movie);
    }
}

void MovieOnWindowClosing(int window) {
    for (auto& [id, movie] : gMovies)
        if (movie.window == window) Halt(id, movie);
}

void MovieShutdown() {
    for (auto& [id, movie] : gMovies) {
        Halt(id, movie);
        CloseMovieDecoder(movie.decoder);
    }
    gMovies.clear();
}

}  // namespace platform::sdl

namespace platform {

using namespace sdl;

bool InitMovie() { return true; }

bool LoadMovie(int id, const std::string& path) {
    FreeMovie(id);
    // The sound is made in the mixer's own format, when there is a mixer.
    int rate = 0, channels = 0;
    Uint16 format = 0;
    const bool mixer = Mix_QuerySpec(&rate, &format, &channels) != 0 && format == AUDIO_S16SYS;
    MovieDecoder* decoder = OpenMovieDecoder(path, mixer ? rate : 0, mixer ? channels : 0);
    if (!decoder) return false;
    Movie movie;
    movie.decoder = decoder;
    movie.withSound = mixer;
    gMovies[id] = movie;
    return true;
}

bool MovieExists(int id) { return gMovies.count(id) > 0; }

void ResizeMovie(int id, int x, int y, int w, int h) {
    auto it = gMovies.find(id);
    if (it == gMovies.end() || w <= 0 || h <= 0) return;
    it->second.area = SDL_Rect{x, y, w, h};
    it->second.sized = true;
    if (it->second.playing) Present(it->second);
}

void PlayMovie(int id, int window) {
    auto it = gMovies.find(id);
    if (it == gMovies.end() || !FindWindow(window)) return;
    Movie& movie = it->second;
    if (movie.playing) Halt(id, movie);
    movie.window = window;
    movie.playing = true;
    movie.startTicks = SDL_GetTicks64() - static_cast<Uint64>(movie.position);
    if (movie.withSound) {
        if (gHookedMovie >= 0 && gHookedMovie != id) UnhookSound(gHookedMovie);
        gHookedMovie = id;
        Mix_HookMusic(SoundHook, nullptr);
    }
    Present(movie);
}

void StopMovie(int id) {
    auto it = gMovies.find(id);
    if (it != gMovies.end()) Halt(id, it->second);
}

void FreeMovie(int id) {
    auto it = gMovies.find(id);
    if (it == gMovies.end()) return;
    Halt(id, it->second);
    CloseMovieDecoder(it->second.decoder);
    gMovies.erase(it);
}

}  // namespace platform
