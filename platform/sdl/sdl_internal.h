// State shared by the pieces of the SDL backend.
#pragma once

#include <SDL.h>

#include <array>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

struct ImGuiContext;

namespace platform::sdl {

// Height of the main window's menu strip above its client area.
constexpr int MenuStripHeight = 22;

struct Gadget {
    enum class Kind { Text, TrackBar, CheckBox, Option, Button, List, Picture, Box, Line } kind = Kind::Text;
    int id = 0;
    int x = 0, y = 0, w = 0, h = 0;
    std::string label;  // UTF-8
    int minimum = 0, maximum = 100;
    int state = 0;
    std::vector<std::vector<std::string>> rows;  // a list's heads and rows, UTF-8
    int picture = 0;
    uint32_t rgb = 0xFFFFFF;  // a box's or a line's colour
    int alpha = 255;
    std::vector<int> points;  // a line's corners
    int thickness = 1;
    bool closed = false;  // a line joins its ends; a list's rows can be selected
};

struct MenuItem {
    std::string label;  // UTF-8
    int command = 0;
};

struct Window {
    SDL_Window* handle = nullptr;
    int flags = 0;
    int menuHeight = 0;  // strip above the client area (main window with a menu)
    std::string title;   // Latin-1, as the game set it
    int minW = 0, minH = 0, maxW = 0, maxH = 0;
    // menu
    bool hasMenu = false;
    std::string menuTitle;  // UTF-8
    std::vector<MenuItem> menuItems;
    std::map<SDL_Scancode, int> shortcuts;
    // settings-style windows draw their gadgets with their own renderer
    SDL_Renderer* gadgetRenderer = nullptr;
    ImGuiContext* imgui = nullptr;
    std::vector<Gadget> gadgets;
    std::map<int, SDL_Texture*> pictures;  // the picture gadgets' pictures, in gadgetRenderer
    // Frames of the gadget window still to draw: set by its events and by any
    // change of its gadgets, so a window nobody touches costs nothing.
    int gadgetFramesDue = 0;
    // last known pointer position in client coordinates, -1 outside
    int mouseX = -1, mouseY = -1;
    // fullscreen: the menu strip's height and the window's place before it
    bool fullscreen = false;
    int windowedMenuHeight = 0;
    SDL_Rect windowed{};
    bool scaled = false;  // windowed, the screen scaled to the client area rather than cut
    // opened hidden and asked to show: shown with the screen's next frame
    bool showWithFrame = false;
};

// The window shows the whole screen scaled (fullscreen or a scaled window).
inline bool ShowsScaled(const Window& window) { return window.fullscreen || window.scaled; }

struct Backend {
    bool videoUp = false;
    std::map<int, Window> windows;
    std::deque<Event> events;
    // SIGINT or SIGTERM arrived: the main window is closed as soon as it exists.
    bool quitRequested = false;
    bool quitDelivered = false;
    // the sprite screen
    int screenWindow = -1;
    SDL_Renderer* renderer = nullptr;
    int screenW = 0, screenH = 0;
    ImGuiContext* menuImgui = nullptr;  // the main window's menu strip
    uint64_t menuStripShown = 0;        // fingerprint of the strip the framebuffer shows (0: none)
    bool menuStripRedrawn = false;      // the strip was drawn in this frame
    int menuQuietFrames = 0;            // strip frames since an input or a new item reached it
    int64_t menuStripLayouts = 0;       // ImGui frames the strip has run, for the tests
    int menuStripWidth = 0;             // the window width the strip was laid out for
};

Backend& State();

// Finds the platform window of an SDL window id; nullptr for none.
Window* FindWindowBySdlId(Uint32 sdlId, int* platformId = nullptr);
Window* FindWindow(int id);

// Shows, raises and restores a window.
void ShowNow(Window& window);

// Drains SDL's queue into the game's event queue and the input state.
void PumpEvents();

// Input state fed by PumpEvents.
void InputOnEvent(const SDL_Event& event);
void InputOnWindowClosed(int id);
// A key press that a window shortcut turned into a command.
void InputOnShortcut(SDL_Scancode code);

// A renderer for a window: the software renderer unless SDL_RENDER_DRIVER asks
// for another (a 2D screen of pre-scaled sprites is cheap on any CPU, draws the
// same pixels everywhere, and starts no GL driver on machines without a GPU).
SDL_Renderer* CreateWindowRenderer(SDL_Window* window, Uint32 flags);

// Applies the client-area limits of a window to its outer size (not while fullscreen).
void ApplyLimits(Window& window);

// The scaled screen (sdl_fullscreen.cpp). While the screen's window is
// fullscreen the screen is drawn into a canvas texture of its own size, and
// the flip shows the canvas scaled into the window.
bool ScreenScaled();
SDL_Texture* ScreenCanvas();
// The window pixel (wx, wy) of a scaled window as a screen position; false
// in the black bars around the picture or on the menu strip (the position
// then lies off the screen).
bool ScaledPointer(const Window& window, int wx, int wy, int& x, int& y);
// Shows the canvas and the menu strip: only what `pieces` (screen
// rectangles) reach when `inPieces`, else the whole client area.
void PresentScaled(Window& window, bool inPieces, const std::vector<SDL_Rect>& pieces);
// The screen closes: the canvas goes with its renderer.
void ScaledOnScreenClosing();

// Sprite-screen hooks used by the window code.
void ScreenOnWindowClosing(int id);
void ScreenApplyViewport();
bool ScreenDrawingIntoSprite();

// One drawing step of the screen, kept for repainting (sdl_repaint.cpp).
struct PaintCommand {
    enum class Kind : uint8_t { Clear, Fill, Copy };
    Kind kind = Kind::Copy;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_ScaleMode scale = SDL_ScaleModeNearest;
    SDL_Color colour{255, 255, 255, 255};  // clear or fill colour; a copy's tint and intensity
    SDL_Texture* texture = nullptr;
    uint64_t content = 0;  // which pixels the texture held (sprites count up on every change)
    SDL_Rect source{}, target{};
};
struct RepaintStats {
    int64_t frames = 0, wholeFrames = 0;
    int64_t paintedPixels = 0;  // of the last frame
};
// A new renderer: `retained` when its framebuffer keeps the last frame.
void RepaintReset(bool retained);
// True when the renderer's framebuffer keeps the last frame.
bool RepaintRetained();
// True while the screen's drawing is kept for the flip rather than drawn now.
bool RepaintRecording();
void RepaintRecord(const PaintCommand& command);
void RepaintRun(SDL_Renderer* renderer, const PaintCommand& command);
// Whether this frame's drawing so far shows pixels of `content`.
bool RepaintUses(uint64_t content);
// Draws what this frame kept so far; the rest of the frame draws directly.
void RepaintFlush();
// At the flip: paints what differs from the last frame (or everything).
// True when only RepaintedPieces() changed: the rest of the framebuffer
// still shows the last frame.
bool RepaintFrame(SDL_Renderer* renderer, const SDL_Rect& viewport);
// The screen rectangles the last RepaintFrame painted, when it painted pieces.
const std::vector<SDL_Rect>& RepaintedPieces();
// The framebuffer no longer holds the last frame: the next one paints all.
void RepaintInvalidate();
// Paints the whole last frame again over itself (for tests).
void RepaintWholeLastFrame();
const RepaintStats& Repainting();
// Draws the menu strip; true when an open drop-down covered part of the screen.
bool MenuDrawStrip(Window& window);
bool MenuOnEvent(Window& window, const SDL_Event& event);
void MenuShutdown();

// Gadget windows (ImGui)
void GadgetsRender(int id, Window& window);
bool GadgetsOnEvent(Window& window, const SDL_Event& event);
void GadgetsClose(Window& window);

// Latin-1 to UTF-8 and back.
std::string ToUtf8(const std::string& latin1);

// Movie playback advances inside the event pump.
void MovieAdvance();
// A movie playing in a window that is about to close stops and lets go of it.
void MovieOnWindowClosing(int id);
void MovieShutdown();
void SoundShutdown();
void FontsShutdown();

}  // namespace platform::sdl
