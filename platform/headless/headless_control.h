// Test controls of the headless backend: a settable clock, scripted mouse and
// keys, recorded draw, sound and message-box calls, a pinnable secure random
// source, and injected failures. Real files are used (point APPDATA at a
// temporary folder). The tools that run the game's procedures without a
// screen (the spin simulator, the save inspector) link this backend as their
// null platform and never call these controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace headless {

// Back to a fresh machine: no windows, no sprites, clock 1, nothing recorded.
void Reset();

// ------------------------------------------------------------------ clock
void SetClock(int64_t ms);
void AdvanceClock(int64_t ms);
int64_t Clock();
// Milliseconds the clock moves on every FlipBuffers (default 16).
void SetFrameStep(int64_t ms);
// The local date and time (seconds since 1970) reported by CurrentDate.
void SetDate(int64_t seconds);

// ------------------------------------------------------------------ input
// Puts the pointer at (x, y) of the logical screen, inside the window.
void SetMouse(int x, int y);
// Puts the pointer outside the client area (window position -1).
void SetMouseOutside();
// `clicks` 2 or more: the press is the second of a double-click, as SDL
// reports it (push the LeftDoubleClick event with it).
void SetMouseButton(bool down, int clicks = 1);
void PressKey(platform::Key key);
void ReleaseKey(platform::Key key);
bool MouseReleasedToDesktop();

// ------------------------------------------------------------ window events
void PushEvent(platform::Event event);
// Resizes the client area of the main window as the player would (within its limits).
void SetClientSize(int width, int height);

// ------------------------------------------------------------ what was drawn
enum class DrawKind { Clear, Sprite, Rect, SpriteFill, SpriteImage, SpriteText, Flip };

struct DrawRecord {
    DrawKind kind = DrawKind::Sprite;
    int id = 0;  // sprite, image or system font
    int x = 0, y = 0, w = 0, h = 0;
    platform::DrawOptions options;
    int blendSource = 6, blendDestination = 7;
    uint32_t rgb = 0;
    int alpha = 255;
    std::string text;
};

// Draw calls of the frame being built, and of the last flipped frame.
const std::vector<DrawRecord>& CurrentFrame();
const std::vector<DrawRecord>& LastFrame();
int64_t FlipCount();
// Draw calls into sprites (message pictures), oldest first.
const std::vector<DrawRecord>& SpriteDrawLog();
void ClearSpriteDrawLog();

// ---------------------------------------------------------------- sounds
struct SoundRecord {
    int sound = 0;
    int channel = 0;
    int flags = 0;
    int volume = 0;
    int64_t time = 0;
    bool stop = false;  // a stop call rather than a play
};
const std::vector<SoundRecord>& SoundLog();
void ClearSoundLog();
// Makes CreateSound fail from now on (a damaged sound).
void SetSoundCreation(bool works);

// ---------------------------------------------------------- message boxes
struct MessageRecord {
    std::string title;
    std::string text;
};
const std::vector<MessageRecord>& MessageBoxes();

// ---------------------------------------------------------------- random
// 0: a seeded deterministic generator; 1: always 0 (as without a generator).
void PinCryptRandomToZero(bool pinned);
void SeedCryptRandom(uint64_t seed);

// --------------------------------------------------------------- failures
// Fullscreen: a desktop that refuses it.
enum class Service {
    Keyboard,
    Sprite,
    Mouse,
    Sound,
    Movie,
    Window3,
    Window0,
    Screen,
    Menu,
    CryptRandom,
    Fullscreen
};
void FailService(Service service, bool fails = true);
// Another copy of the game holds the instance lock.
void SetOtherInstanceRunning(bool running);
bool ScreenSaverEnabled();
int FrameRateCap();

// How often the program asked to start itself again (RestartProgram).
int RestartCount();

// ------------------------------------------------------------------ files
// The folder ProgramFolder reports (default empty: unknown).
void SetProgramFolder(const std::string& folder);

// ---------------------------------------------------------------- movies
struct MovieRecord {
    bool loaded = false;
    std::string path;                // the file it was loaded from
    int width = 0, height = 0;       // picture size of the file
    int x = 0, y = 0, w = 0, h = 0;  // set by ResizeMovie
    bool playing = false;
    int window = -1;
    int stops = 0;  // StopMovie calls
};
// What the game did with movie `id`; loaded is false once it is freed (or never loaded).
MovieRecord MovieState(int id);

// --------------------------------------------------------------- gadgets
// Label, kind and window of gadget `gadget`; empty label when it does not exist.
std::string GadgetText(int gadget);
int GadgetWindow(int gadget);
// What a gadget shows beyond its label.
struct GadgetRecord {
    enum class Kind { Control, List, Picture, Box, Line } kind = Kind::Control;
    int x = 0, y = 0, w = 0, h = 0;
    std::vector<std::string> rows;  // a list's heads and rows (tab-separated cells)
    int picture = -1;
    uint32_t rgb = 0;
    std::vector<int> points;
    bool closed = false;  // a line joins its ends; a list's rows can be selected
};
// The record of gadget `gadget` (a Control record when it does not exist).
GadgetRecord GadgetShown(int gadget);
bool GadgetExists(int gadget);
// Every gadget of window `window`, by number.
std::vector<int> WindowGadgets(int window);
// The size of picture `picture` of window `window`; 0 x 0 when it has none.
std::pair<int, int> WindowPictureSize(int window, int picture);
// The items of the window's menu: command and text, in order.
std::vector<std::pair<int, std::string>> WindowMenuItems(int window);
// A click on row `row` of list gadget `gadget` (0 the first below the heads):
// selects it and sends its Gadget event, as the real list does.
void ClickListRow(int gadget, int row);

}  // namespace headless
