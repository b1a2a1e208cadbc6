// Mouse and keyboard on SDL2. Presses are latched from the event stream so
// that a click shorter than a frame still counts once.
#include <SDL.h>

#include <array>

#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {
namespace {

struct Input {
    bool captured = false;
    int screenX = 0, screenY = 0;  // the screen mouse
    bool buttonDown = false;
    bool pressLatched = false;
    bool buttonSeen = false;
    bool multiLatched = false;  // the latched press carried a double-click
    bool multiSeen = false;
    std::array<bool, KeyCount> down{};
    std::array<bool, KeyCount> pressed{};   // went down since the last examine
    std::array<bool, KeyCount> released{};  // went up since the last examine
    std::array<bool, KeyCount> wentUp{};    // went up since the last examine, shortcut or not
    std::array<bool, KeyCount> releasedSeen{};
    std::array<bool, KeyCount> pushedSeen{};
    std::array<bool, KeyCount> shortcut{};  // the press went to a window shortcut
};

Input gInput;

int KeyOf(SDL_Scancode code) {
    switch (code) {
        case SDL_SCANCODE_ESCAPE: return KeyEscape;
        case SDL_SCANCODE_1: return Key1;
        case SDL_SCANCODE_2: return Key2;
        case SDL_SCANCODE_E: return KeyE;
        case SDL_SCANCODE_S: return KeyS;
        case SDL_SCANCODE_F11: return KeyF11;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER: return KeyReturn;
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT: return KeyAlt;
        default: return -1;
    }
}

// Keeps the screen mouse on the screen; when the pointer leaves the client
// area the screen mouse rests on the nearest edge.
void FollowPointer(Window& window, int clientX, int clientY, bool inside) {
    Backend& backend = State();
    if (!gInput.captured || backend.screenW <= 0) return;
    const int maxX = backend.screenW - 1, maxY = backend.screenH - 1;
    int x = SDL_clamp(clientX, 0, maxX), y = SDL_clamp(clientY, 0, maxY);
    if (!inside) {
        int w = backend.screenW, h = backend.screenH;  // a scaled window: its position in screen pixels
        if (!ShowsScaled(window)) {
            SDL_GetWindowSize(window.handle, &w, &h);
            h -= window.menuHeight;
        }
        const int toLeft = clientX, toTop = clientY, toRight = w - 1 - clientX, toBottom = h - 1 - clientY;
        const int nearest = SDL_min(SDL_min(toLeft, toTop), SDL_min(toRight, toBottom));
        if (nearest == toLeft)
            x = 0;
        else if (nearest == toTop)
            y = 0;
        else if (nearest == toRight)
            x = maxX;
        else
            y = maxY;
    }
    gInput.screenX = x;
    gInput.screenY = y;
}

}  // namespace

void InputOnEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEMOTION: {
            Window* window = FindWindowBySdlId(event.motion.windowID);
            if (!window) break;
            int cx = event.motion.x, cy = event.motion.y - window->menuHeight;
            bool inside = cy >= 0;
            if (ShowsScaled(*window)) inside = ScaledPointer(*window, event.motion.x, event.motion.y, cx, cy);
            window->mouseX = inside ? cx : -1;
            window->mouseY = inside ? cy : -1;
            if (FindWindow(State().screenWindow) == window) FollowPointer(*window, cx, cy, inside);
            break;
        }
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_LEAVE) {
                Window* window = FindWindowBySdlId(event.window.windowID);
                if (!window) break;
                const int cx = window->mouseX, cy = window->mouseY;
                window->mouseX = window->mouseY = -1;
                if (FindWindow(State().screenWindow) == window)
                    FollowPointer(*window, cx, cy < 0 ? -1 : cy, false);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) {
                Window* window = FindWindowBySdlId(event.button.windowID);
                int x = 0, y = 0;  // a press in the black bars around a scaled screen is no click on it
                if (window && FindWindow(State().screenWindow) == window &&
                    event.button.y >= window->menuHeight &&
                    (!ShowsScaled(*window) || ScaledPointer(*window, event.button.x, event.button.y, x, y))) {
                    gInput.buttonDown = true;
                    gInput.pressLatched = true;
                    gInput.multiLatched = event.button.clicks >= 2;
                }
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT) gInput.buttonDown = false;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const int key = KeyOf(event.key.keysym.scancode);
            if (key < 0 || event.key.repeat) break;
            const bool down = event.type == SDL_KEYDOWN;
            if (down) gInput.pressed[key] = true;
            if (!down && gInput.down[key] && !gInput.shortcut[key]) gInput.released[key] = true;
            if (!down && gInput.down[key]) gInput.wentUp[key] = true;
            if (!down) gInput.shortcut[key] = false;
            gInput.down[key] = down;
            break;
        }
        default: break;
    }
}

void InputOnShortcut(SDL_Scancode code) {
    // The key still reads as held, but letting it go is no key release: the
    // Escape that skips the intro must not also quit the game later.
    const int key = KeyOf(code);
    if (key >= 0) gInput.shortcut[key] = true;
}

void InputOnWindowClosed(int id) {
    if (id == State().screenWindow) gInput.buttonDown = false;
}

}  // namespace platform::sdl

namespace platform {

using namespace sdl;

bool InitKeyboard() { return State().videoUp; }
bool InitMouse() { return State().videoUp; }

bool ExamineMouse() {
    if (!State().renderer) return false;
    PumpEvents();
    gInput.buttonSeen = gInput.buttonDown || gInput.pressLatched;
    gInput.multiSeen = gInput.pressLatched && gInput.multiLatched;
    gInput.pressLatched = false;
    gInput.multiLatched = false;
    return true;
}

int MouseX() { return gInput.screenX; }
int MouseY() { return gInput.screenY; }
bool MouseButtonLeft() { return gInput.buttonSeen; }
bool MouseDoubleClickPress() { return gInput.multiSeen; }

int WindowMouseX(int id) {
    Window* window = FindWindow(id);
    return window ? window->mouseX : -1;
}

int WindowMouseY(int id) {
    Window* window = FindWindow(id);
    return window ? window->mouseY : -1;
}

void ReleaseMouse(bool release) {
    gInput.captured = !release;
    // While captured the system pointer is hidden: the game draws its own.
    SDL_ShowCursor(release ? SDL_ENABLE : SDL_DISABLE);
}

void MouseLocate(int x, int y) {
    gInput.screenX = x;
    gInput.screenY = y;
}

void ExamineKeyboard() {
    PumpEvents();
    for (int key = 0; key < KeyCount; ++key) {
        gInput.releasedSeen[key] = gInput.released[key];
        // Held at any moment since the last examine: Alt let go in the same
        // frame as Enter still held it.
        gInput.pushedSeen[key] = gInput.down[key] || gInput.pressed[key] || gInput.wentUp[key];
        gInput.wentUp[key] = false;
        gInput.released[key] = false;
        gInput.pressed[key] = false;
    }
}

bool KeyboardPushed(Key key) { return gInput.pushedSeen[key]; }
bool KeyboardReleased(Key key) { return gInput.releasedSeen[key]; }

}  // namespace platform
