// Windows, the event queue, menus, shortcuts and message boxes on SDL2.
#include <SDL.h>

#include "platform/common/memory_policy.h"
#include "platform/sdl/sdl_internal.h"

namespace platform {
namespace sdl {

Backend& State() {
    static Backend backend;
    return backend;
}

Window* FindWindow(int id) {
    auto it = State().windows.find(id);
    return it == State().windows.end() ? nullptr : &it->second;
}

Window* FindWindowBySdlId(Uint32 sdlId, int* platformId) {
    for (auto& [id, window] : State().windows) {
        if (window.handle && SDL_GetWindowID(window.handle) == sdlId) {
            if (platformId) *platformId = id;
            return &window;
        }
    }
    return nullptr;
}

std::string ToUtf8(const std::string& latin1) {
    std::string out;
    out.reserve(latin1.size() + 8);
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

namespace {

SDL_Scancode ScancodeOf(Key key) {
    switch (key) {
        case KeyEscape: return SDL_SCANCODE_ESCAPE;
        case Key1: return SDL_SCANCODE_1;
        case Key2: return SDL_SCANCODE_2;
        case KeyE: return SDL_SCANCODE_E;
        default: return SDL_SCANCODE_UNKNOWN;
    }
}

void Push(EventKind kind, int window, int id = 0) { State().events.push_back(Event{kind, window, id}); }

}  // namespace

// The outer size limits of a window whose client area is limited.
void ApplyLimits(Window& window) {
    if (!window.handle || window.maxW <= 0 || window.fullscreen) return;
    if (window.scaled) {
        // Any size: the screen follows it, never cut; a quarter of it at least.
        SDL_SetWindowMinimumSize(window.handle, 320, 192 + window.menuHeight);
        SDL_SetWindowMaximumSize(window.handle, 16384, 16384);
        return;
    }
    SDL_SetWindowMinimumSize(window.handle, window.minW, window.minH + window.menuHeight);
    SDL_SetWindowMaximumSize(window.handle, window.maxW, window.maxH + window.menuHeight);
    int w = 0, h = 0;
    SDL_GetWindowSize(window.handle, &w, &h);
    const int clientH = h - window.menuHeight;
    const int fitW = SDL_clamp(w, window.minW, window.maxW);
    const int fitH = SDL_clamp(clientH, window.minH, window.maxH);
    if (fitW != w || fitH != clientH) SDL_SetWindowSize(window.handle, fitW, fitH + window.menuHeight);
}

void PumpEvents() {
    Backend& backend = State();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        InputOnEvent(event);
        switch (event.type) {
            case SDL_QUIT:
                // SIGINT and SIGTERM arrive here: treat them like closing the
                // main window. One that comes during start-up is kept until the
                // main window exists, so the game still ends through its shutdown.
                backend.quitRequested = true;
                Push(EventKind::CloseWindow, backend.windows.count(0) ? 0 : -1);
                if (backend.windows.count(0)) backend.quitDelivered = true;
                break;
            case SDL_WINDOWEVENT: {
                int id = -1;
                Window* window = FindWindowBySdlId(event.window.windowID, &id);
                if (window && window->imgui) GadgetsOnEvent(*window, event);
                if (window && window->hasMenu && window->menuHeight > 0) MenuOnEvent(*window, event);
                if (window && event.window.event == SDL_WINDOWEVENT_CLOSE) Push(EventKind::CloseWindow, id);
                // A window manager may ignore the size hints: hold the limits on every resize.
                if (window && (event.window.event == SDL_WINDOWEVENT_RESIZED ||
                               event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED))
                    ApplyLimits(*window);
                // A resized or newly shown window may have a new framebuffer.
                if (id >= 0 && id == backend.screenWindow) RepaintInvalidate();
                break;
            }
            case SDL_KEYDOWN: {
                int id = -1;
                Window* window = FindWindowBySdlId(event.key.windowID, &id);
                if (!window) break;
                if (window->imgui) GadgetsOnEvent(*window, event);
                // Escape closes such a window; letting it go is no key
                // release for the game (which would end on it).
                if ((window->flags & WindowEscapeCloses) &&
                    event.key.keysym.scancode == SDL_SCANCODE_ESCAPE && !event.key.repeat) {
                    Push(EventKind::CloseWindow, id);
                    InputOnShortcut(event.key.keysym.scancode);
                }
                auto shortcut = window->shortcuts.find(event.key.keysym.scancode);
                if (shortcut != window->shortcuts.end() && !event.key.repeat) {
                    Push(EventKind::Menu, id, shortcut->second);
                    InputOnShortcut(event.key.keysym.scancode);
                }
                break;
            }
            case SDL_MOUSEBUTTONDOWN: {
                int id = -1;
                Window* window = FindWindowBySdlId(event.button.windowID, &id);
                if (!window) break;
                if (window->imgui) {
                    GadgetsOnEvent(*window, event);
                    break;
                }
                if (window->hasMenu && window->menuHeight > 0 && MenuOnEvent(*window, event)) break;
                if (event.button.button == SDL_BUTTON_LEFT && event.button.clicks >= 2 &&
                    event.button.y >= window->menuHeight)
                    Push(EventKind::LeftDoubleClick, id);
                break;
            }
            default: {
                // Wheel, text and release events matter to the ImGui windows only.
                Uint32 sdlId = 0;
                if (event.type == SDL_MOUSEWHEEL) sdlId = event.wheel.windowID;
                if (event.type == SDL_MOUSEBUTTONUP) sdlId = event.button.windowID;
                if (event.type == SDL_KEYUP) sdlId = event.key.windowID;
                if (event.type == SDL_TEXTINPUT) sdlId = event.text.windowID;
                if (event.type == SDL_MOUSEMOTION) sdlId = event.motion.windowID;
                Window* window = sdlId ? FindWindowBySdlId(sdlId) : nullptr;
                if (window && window->imgui) GadgetsOnEvent(*window, event);
                if (window && window->hasMenu && window->menuHeight > 0) MenuOnEvent(*window, event);
                break;
            }
        }
    }
    for (auto& [id, window] : backend.windows) {
        if (!window.imgui || window.gadgetFramesDue <= 0) continue;
        GadgetsRender(id, window);
        --window.gadgetFramesDue;
    }
    MovieAdvance();
}

void ShowNow(Window& window) {
    window.showWithFrame = false;
    SDL_ShowWindow(window.handle);
    SDL_RestoreWindow(window.handle);
    SDL_RaiseWindow(window.handle);
}

}  // namespace sdl

using namespace sdl;

// How often and how far apart a named display is asked before the game gives up.
constexpr int DisplayAttempts = 4;
constexpr Uint32 DisplayRetryMilliseconds = 250;

bool InitWindowSystem() {
    ReturnLargeBlocksToTheSystem();
    // Keep the desktop's screen saver as it is until the game switches it off.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");
    // The window surface goes straight to the window system: emulating it
    // with a GL texture costs several times the CPU on machines without a GPU.
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    // With no display SDL falls back to a driver that shows nothing: a game
    // nobody sees would hold the single-instance lock. Only an environment
    // that asks for such a driver (the tests) gets one. A display that is
    // named but did not answer is asked again a few times: a busy X server
    // may refuse a connection for a moment.
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    const bool displayNamed = SDL_getenv("DISPLAY") && *SDL_getenv("DISPLAY");
    for (int attempt = 0;; ++attempt) {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) return false;
        const char* driver = SDL_GetCurrentVideoDriver();
        const bool invisible =
            driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
        if ((asked && *asked) || !invisible) break;
        SDL_Quit();
        if (!displayNamed || attempt >= DisplayAttempts - 1) return false;
        SDL_Delay(DisplayRetryMilliseconds);
    }
    State().videoUp = true;
    return true;
}

bool OpenWindow(int id, int x, int y, int w, int h, const std::string& title, int flags) {
    if (!State().videoUp) return false;
    if (FindWindow(id)) CloseWindow(id);
    Uint32 sdlFlags = SDL_WINDOW_SHOWN;
    if (flags & WindowBorderless) sdlFlags |= SDL_WINDOW_BORDERLESS;
    if (flags & WindowCaptioned) sdlFlags |= SDL_WINDOW_RESIZABLE;
    if (flags & WindowHidden) sdlFlags = (sdlFlags & ~SDL_WINDOW_SHOWN) | SDL_WINDOW_HIDDEN;
    int px = x, py = y;
    if (flags & WindowCentered) px = py = SDL_WINDOWPOS_CENTERED;
    if (id == 4) {
        // The settings window sits centred over the main window.
        if (Window* main = FindWindow(0); main && main->handle) {
            int mx = 0, my = 0, mw = 0, mh = 0;
            SDL_GetWindowPosition(main->handle, &mx, &my);
            SDL_GetWindowSize(main->handle, &mw, &mh);
            px = mx + (mw - w) / 2;
            py = my + (mh - h) / 2;
        }
    }
    SDL_Window* handle = SDL_CreateWindow(ToUtf8(title).c_str(), px, py, w, h, sdlFlags);
    if (!handle) return false;
    Window window;
    window.handle = handle;
    window.flags = flags;
    window.title = title;
    State().windows[id] = std::move(window);
    return true;
}

void CloseWindow(int id) {
    Window* window = FindWindow(id);
    if (!window) return;
    MovieOnWindowClosing(id);
    ScreenOnWindowClosing(id);
    InputOnWindowClosed(id);
    if (window->imgui) GadgetsClose(*window);
    if (window->hasMenu) MenuShutdown();
    SDL_DestroyWindow(window->handle);
    State().windows.erase(id);
    // Events of a closed window are of no use any more.
    auto& events = State().events;
    for (auto it = events.begin(); it != events.end();)
        it = it->window == id ? events.erase(it) : std::next(it);
}

bool WindowExists(int id) { return FindWindow(id) != nullptr; }

void ResizeWindow(int id, int x, int y, int w, int h) {
    Window* window = FindWindow(id);
    if (!window) return;
    SDL_SetWindowPosition(window->handle, x, y);
    SDL_SetWindowSize(window->handle, w, h + window->menuHeight);
    ApplyLimits(*window);
    if (State().screenWindow == id) ScreenApplyViewport();
}

void SetWindowTitle(int id, std::string_view title) {
    Window* window = FindWindow(id);
    if (!window || window->title == title) return;  // unchanged titles cost nothing
    window->title.assign(title);                    // keeps its capacity: no allocation per frame
    // Latin-1 to UTF-8 in a buffer kept between calls.
    static std::string utf8;
    utf8.clear();
    for (unsigned char c : title) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    SDL_SetWindowTitle(window->handle, utf8.c_str());
}

std::string WindowTitle(int id) {
    Window* window = FindWindow(id);
    return window ? window->title : std::string();
}

void SetWindowSizeLimits(int id, int minWidth, int minHeight, int maxWidth, int maxHeight) {
    Window* window = FindWindow(id);
    if (!window) return;
    window->minW = minWidth;
    window->minH = minHeight;
    window->maxW = maxWidth;
    window->maxH = maxHeight;
    ApplyLimits(*window);
    if (State().screenWindow == id) ScreenApplyViewport();
}

int WindowClientWidth(int id) {
    Window* window = FindWindow(id);
    if (!window) return 0;
    if (ShowsScaled(*window) && State().screenWindow == id) return State().screenW;  // all of it, scaled
    int w = 0, h = 0;
    SDL_GetWindowSize(window->handle, &w, &h);
    return w;
}

int WindowClientHeight(int id) {
    Window* window = FindWindow(id);
    if (!window) return 0;
    if (ShowsScaled(*window) && State().screenWindow == id) return State().screenH;
    int w = 0, h = 0;
    SDL_GetWindowSize(window->handle, &w, &h);
    return h - window->menuHeight;
}

void ShowWindowNormal(int id) {
    Window* window = FindWindow(id);
    if (!window) return;
    // A screen's window opened hidden appears with its first frame rather
    // than black while that frame is still being prepared.
    if (id == State().screenWindow && (SDL_GetWindowFlags(window->handle) & SDL_WINDOW_HIDDEN)) {
        window->showWithFrame = true;
        return;
    }
    ShowNow(*window);
}

bool CreateWindowMenu(int id, const std::string& title, int command, const std::string& item) {
    Window* window = FindWindow(id);
    if (!window || window->hasMenu) return window != nullptr;
    window->hasMenu = true;
    window->menuTitle = ToUtf8(title);
    window->menuItems = {MenuItem{ToUtf8(item), command}};
    State().menuQuietFrames = 0;  // the strip is laid out afresh
    // The strip sits above the client area: the window grows by its height.
    window->menuHeight = MenuStripHeight;
    int w = 0, h = 0;
    SDL_GetWindowSize(window->handle, &w, &h);
    SDL_SetWindowSize(window->handle, w, h + MenuStripHeight);
    ApplyLimits(*window);
    if (State().screenWindow == id) ScreenApplyViewport();
    return true;
}

bool AddWindowMenuItem(int id, int command, const std::string& item) {
    Window* window = FindWindow(id);
    if (!window || !window->hasMenu) return false;
    window->menuItems.push_back(MenuItem{ToUtf8(item), command});
    State().menuQuietFrames = 0;
    return true;
}

void AddKeyboardShortcut(int id, Key key, int command) {
    if (Window* window = FindWindow(id)) window->shortcuts[ScancodeOf(key)] = command;
}

void RemoveKeyboardShortcut(int id, Key key) {
    if (Window* window = FindWindow(id)) window->shortcuts.erase(ScancodeOf(key));
}

Event WindowEvent() {
    PumpEvents();
    Backend& backend = State();
    if (backend.quitRequested && !backend.quitDelivered && backend.windows.count(0)) {
        backend.quitDelivered = true;
        backend.events.push_back(Event{EventKind::CloseWindow, 0, 0});
    }
    auto& events = backend.events;
    if (events.empty()) return Event{};
    Event event = events.front();
    events.pop_front();
    return event;
}

void MessageBox(const std::string& title, const std::string& text) {
    Window* main = FindWindow(0);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, ToUtf8(title).c_str(), ToUtf8(text).c_str(),
                             main ? main->handle : nullptr);
}

void ShutdownPlatform() {
    MovieShutdown();
    SoundShutdown();
    FontsShutdown();
    while (!State().windows.empty()) CloseWindow(State().windows.begin()->first);
    if (State().videoUp) SDL_Quit();
    State().videoUp = false;
}

}  // namespace platform
