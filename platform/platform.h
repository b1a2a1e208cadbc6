// The platform seam: every service the game needs from the machine.
//
// Two backends implement these procedures and are chosen at link time:
// platform/sdl (the real one) and platform/headless (tests). Nothing outside
// platform/ includes SDL, SDL_mixer, SDL_ttf, ImGui or FFmpeg headers.
//
// Objects are addressed by small fixed numbers, as everywhere in the game:
// windows 0 (main), 3 (loading), 4 (settings), 5 (history); sprites, images and sounds by
// their catalogue numbers; system fonts 0..6; movie 22.
//
// Texts handed to the platform are Latin-1 bytes; the backends convert them
// to UTF-8 where the system needs it (titles, message boxes, gadgets).
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// ---------------------------------------------------------------- start-up

// Brings up the window system and event queue; first call of start-up.
bool InitWindowSystem();
// The per-service start calls, made by start-up before the loading window
// opens; each returns false on failure.
bool InitKeyboard();
bool InitSprite();
bool InitMouse();
// Never fails for a missing audio device: the sound layer then starts silent.
bool InitSound();
bool InitMovie();
// Releases every platform layer; last call of the shutdown.
void ShutdownPlatform();

// ----------------------------------------------------------------- windows

enum WindowFlags : int {
    WindowBorderless = 1,     // pop-up without caption (loading window)
    WindowCaptioned = 2,      // caption, system menu and sizing border (main window)
    WindowCentered = 4,       // centre on the desktop (or over the main window for window 4)
    WindowHidden = 8,         // open invisible; ShowWindowNormal shows it
    WindowDialog = 16,        // fixed-size captioned dialog with a close box (settings window)
    WindowEscapeCloses = 32,  // Escape in the window is its close box (history window)
};

// Opens window `id` with a client area of w x h at (x, y); false on failure.
bool OpenWindow(int id, int x, int y, int w, int h, const std::string& title, int flags);
// Closes window `id` and anything inside it (its screen, its gadgets).
void CloseWindow(int id);
// True while window `id` exists.
bool WindowExists(int id);
// Moves and resizes window `id` (client area).
void ResizeWindow(int id, int x, int y, int w, int h);
// Sets the caption of window `id`.
void SetWindowTitle(int id, std::string_view title);
// Current caption of window `id` (Latin-1), empty when it has none.
std::string WindowTitle(int id);
// Limits the client area of window `id`; the backend turns these into outer sizes.
void SetWindowSizeLimits(int id, int minWidth, int minHeight, int maxWidth, int maxHeight);
// Current client-area size of window `id` (0 when it does not exist).
int WindowClientWidth(int id);
int WindowClientHeight(int id);
// Shows window `id` in its normal state and activates it.
void ShowWindowNormal(int id);

// Gives window `id` a menu with one title and one item; false when the platform cannot.
bool CreateWindowMenu(int id, const std::string& title, int command, const std::string& item);
// Adds one more item below the others of that menu; false without a menu.
bool AddWindowMenuItem(int id, int command, const std::string& item);

// Fullscreen on the desktop that shows window `id` (its resolution, no mode
// change): the whole screen drawn scaled to fit, centred between black bars,
// without the menu strip; the client area then reads as the screen's size.
// false leaves the window as it was (a desktop that refuses).
bool SetWindowFullscreen(int id, bool fullscreen);
bool WindowFullscreen(int id);
// A window that shows the whole screen scaled to its client area, the same
// way, instead of cutting it (the player's "Scale window" choice): it may
// then take any size, and its client area reads as the screen's size.
void SetWindowScaled(int id, bool scaled);

// Return is either Enter key; Alt either Alt key.
enum Key : int { KeyEscape = 0, Key1, Key2, KeyE, KeyF11, KeyReturn, KeyAlt, KeyS, KeyCount };

// Makes `key` pressed in window `id` send a menu event with `command`.
void AddKeyboardShortcut(int id, Key key, int command);
// Removes a shortcut added with AddKeyboardShortcut.
void RemoveKeyboardShortcut(int id, Key key);

enum class EventKind : int {
    None = 0,
    CloseWindow,      // the close box of `window` was used
    Menu,             // menu command or keyboard shortcut `id` in `window`
    Gadget,           // gadget `id` of `window` was activated (button pressed)
    LeftDoubleClick,  // left double-click in the client area of `window`
    Other,            // anything the game does not handle
};

struct Event {
    EventKind kind = EventKind::None;
    int window = -1;
    int id = 0;
};

// Takes at most one pending window event without waiting.
Event WindowEvent();

// Shows a modal message box with one OK button; returns when it is dismissed.
void MessageBox(const std::string& title, const std::string& text);

// --------------------------------------------------------------- gadgets
// Controls of the settings and the history window, drawn in the order they
// were added (one added again keeps its place). Coordinates are window pixels.

void TextGadget(int window, int gadget, int x, int y, int w, int h, const std::string& text);
void TrackBarGadget(int window, int gadget, int x, int y, int w, int h, int minimum, int maximum);
void CheckBoxGadget(int window, int gadget, int x, int y, int w, int h, const std::string& text);
// Consecutive option gadgets form one group: selecting one clears the others.
void OptionGadget(int window, int gadget, int x, int y, int w, int h, const std::string& text);
void ButtonGadget(int window, int gadget, int x, int y, int w, int h, const std::string& text);
// A table with column heads and rows: `rows[0]` holds the heads, each further
// entry one row; cells are separated by tabs, every column after the first
// is right-aligned. In a `selectable` list one row can be selected: its state
// is the selected row (0 the first below the heads, -1 none), and clicking a
// row selects it and sends a Gadget event. It scrolls when the rows do not fit.
// Added again, it keeps its selection.
void ListGadget(int window, int gadget, int x, int y, int w, int h, const std::vector<std::string>& rows,
                bool selectable);
// Gives window `window` picture `picture` (w x h straight-alpha RGBA bytes)
// for its picture gadgets; the pixels are copied.
bool WindowPicture(int window, int picture, int w, int h, const uint8_t* rgba);
// Shows picture `picture` of the window scaled into the rectangle.
void PictureGadget(int window, int gadget, int x, int y, int w, int h, int picture);
// A filled rectangle in 0xRRGGBB at opacity `alpha` (0..255).
void BoxGadget(int window, int gadget, int x, int y, int w, int h, uint32_t rgb, int alpha);
// A line through the points (x0, y0, x1, y1, ...) in 0xRRGGBB, `thickness`
// pixels wide; `closed` joins the last point to the first.
void LineGadget(int window, int gadget, const std::vector<int>& points, uint32_t rgb, int thickness,
                bool closed);
// Removes gadget `gadget` from its window (nothing when there is none).
void RemoveGadget(int gadget);
// Slider value, check-box state (0/1), option state (0/1) or a list's selected row.
void SetGadgetState(int gadget, int state);
int GetGadgetState(int gadget);

// ----------------------------------------------------------- sprite screen

// Opens the sprite screen of window `window` at (x, y), w x h logical pixels.
// One screen exists at a time; opening a new one replaces the old.
bool OpenScreen(int window, int x, int y, int w, int h);
// Closes the sprite screen (sprites live on across screens).
void CloseScreen();
// Fills the whole screen with an opaque 0xRRGGBB colour.
void ClearScreen(uint32_t rgb);
// Shows the finished frame and waits for the frame-rate cap.
void FlipBuffers();
// Caps FlipBuffers at `fps` frames per second; 0 caps at 60.
void SetFrameRate(int fps);
// The next flip paints the whole screen, not only what changed since the
// last frame (what benchmarks compare the repainting against).
void RepaintWholeNextFrame();
// Copies the current frame (before the flip) as RGBA rows; for screenshots and pixel tests.
bool GrabScreen(std::vector<uint8_t>& rgba, int& width, int& height);

// Creates sprite `id` from straight-alpha RGBA pixels (w*h*4 bytes); false on failure.
bool CreateSprite(int id, int w, int h, const uint8_t* rgba);

// The byte order of the four bytes of a pixel (straight alpha).
enum class PixelOrder : uint8_t { Rgba, Bgra };

// The pixels of a picture, four bytes each in `order`, rows top to bottom.
// Pictures are decoded into these on helper threads; the storage may be a
// little larger than the pixels (the decoder works in place).
struct PixelBuffer {
    int width = 0, height = 0;
    PixelOrder order = PixelOrder::Rgba;
    bool opaque = false;    // every alpha is 255
    uint64_t identity = 0;  // tells this buffer from every other one made in the process
    struct Free {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t[], Free> bytes;

    // Storage for w x h pixels and at least `bytesAtLeast` bytes, uninitialised; false when out of memory.
    bool Allocate(int w, int h, size_t bytesAtLeast = 0) {
        const size_t size = std::max(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, bytesAtLeast);
        bytes.reset(static_cast<uint8_t*>(std::malloc(size ? size : 1)));
        static std::atomic<uint64_t> made{0};
        identity = ++made;
        width = bytes ? w : 0;
        height = bytes ? h : 0;
        return bytes != nullptr;
    }
    // Gives back storage beyond the pixels.
    void Trim() {
        if (auto* smaller = static_cast<uint8_t*>(std::realloc(bytes.get(), Size() ? Size() : 1))) {
            (void)bytes.release();
            bytes.reset(smaller);
        }
    }
    size_t Size() const { return static_cast<size_t>(width) * static_cast<size_t>(height) * 4; }
};

// The order in which the screen keeps sprite pixels: pictures decoded in it
// are taken as they are.
PixelOrder ScreenPixelOrder();
// Scales `source` to w x h exactly as the screen zooms a sprite drawn at that
// size (filtered), so a picture that is only ever drawn at one size can be
// kept at that size. Safe on any thread; false when out of memory.
bool ZoomPixels(const PixelBuffer& source, int w, int h, PixelBuffer& zoomed);
// Creates sprite `id`, a w x h picture whose pixels come at the size it is
// drawn at (pixels.width x pixels.height, in ScreenPixelOrder). SpriteWidth
// and SpriteHeight report w x h; drawn at pixels' size it is copied as it
// is. The pixels are copied: the buffer may be freed afterwards. Sprites made
// from the same buffer (its pixels unchanged) share one copy of them, as the
// fonts made from one atlas do.
bool CreateSpriteFromPixels(int id, int w, int h, const PixelBuffer& pixels);
// Creates sprite `id` as a transparent picture that can be drawn into.
bool CreateBlankSprite(int id, int w, int h);
void FreeSprite(int id);
bool SpriteExists(int id);
int SpriteWidth(int id);
int SpriteHeight(int id);

// Creates plain image `id` (drawn into sprites, never onto the screen).
bool CreateImage(int id, int w, int h, const uint8_t* rgba);
bool ImageExists(int id);
// Frees plain image `id` (nothing when it does not exist).
void FreeImage(int id);

// How one sprite is drawn. The clip rectangle selects part of the sprite
// (width -1: whole sprite); width/height is the size on screen (-1: clip size).
struct DrawOptions {
    int clipX = 0, clipY = 0, clipWidth = -1, clipHeight = -1;
    int width = -1, height = -1;
    int intensity = 255;       // alpha modulation 0..255
    uint32_t tint = 0xFFFFFF;  // colour modulation 0xRRGGBB
    bool opaque = false;       // copy without transparency
};

// Draws sprite `id` on the screen with its top-left corner at (x, y).
void DrawSprite(int id, int x, int y, const DrawOptions& options = {});
// Sets the blending factors (0..9) used by DrawSprite; (6, 7) is ordinary alpha.
void SetSpriteBlending(int source, int destination);
// 0 draws zoomed sprites unfiltered, 1 filtered.
void SetSpriteQuality(int quality);
// Fills a rectangle on the screen with a colour at an opacity, blended.
void DrawScreenRect(int x, int y, int w, int h, uint32_t rgb, int alpha);

// Starts drawing into sprite `id` (made with CreateBlankSprite); false if it cannot.
bool StartSpriteDrawing(int id);
// Fills a rectangle of the sprite, writing all four channels (no blending).
void SpriteFillRect(int x, int y, int w, int h, uint32_t rgb, int alpha);
// Copies plain image `image` into the sprite at (x, y), writing all four channels.
void SpriteDrawImage(int image, int x, int y);
// Draws a line of text in system font `font`, alpha-blended over the sprite.
void SpriteDrawText(int font, int x, int y, const std::string& text, uint32_t rgb, int alpha);
void StopSpriteDrawing();

// Opens system font `id` ("Arial" bold, Liberation Sans Bold here) at a point
// size, from TrueType data in memory (96 dots per inch).
bool LoadSystemFont(int id, int pointSize, const uint8_t* ttf, size_t bytes);
// Width of `text` in system font `id`, in pixels.
int SystemTextWidth(int font, const std::string& text);

// ------------------------------------------------------------------- input

// Reads the mouse for this frame; false when it cannot be read.
bool ExamineMouse();
// Mouse position on the logical screen.
int MouseX();
int MouseY();
// Left button held (a press since the last examine counts once as held).
bool MouseButtonLeft();
// The press seen by the last examine was the second (or later) press of a
// double-click: the one that also brings the LeftDoubleClick event.
bool MouseDoubleClickPress();
// Mouse position in the client area of window `id`; -1 outside it.
int WindowMouseX(int id);
int WindowMouseY(int id);
// true: the screen gives the pointer back to the desktop; false: it captures it
// (the system pointer is hidden over the screen and the game draws its own).
void ReleaseMouse(bool release);
// Places the screen mouse at (x, y).
void MouseLocate(int x, int y);

// Reads the keyboard for this frame.
void ExamineKeyboard();
// Key held down at some moment since the previous ExamineKeyboard (or now).
bool KeyboardPushed(Key key);
// Key released since the previous ExamineKeyboard.
bool KeyboardReleased(Key key);

// ------------------------------------------------------------------- sound

enum SoundFlags : int { SoundLoop = 1, SoundMultiChannel = 2 };
enum SoundStatus : int { SoundStopped = 0, SoundPlaying = 1, SoundPaused = 2, SoundNoStatus = 3 };

// Creates sound `id` from interleaved signed 16-bit PCM; false on failure.
bool CreateSound(int id, const int16_t* pcm, size_t frames, int channels, int rate);
bool SoundExists(int id);
// Plays sound `id` with flags and a volume 0..100; returns its channel (0 if none).
int PlaySound(int id, int flags, int volume);
// Stops the instance of sound `id` on `channel`.
void StopSound(int id, int channel);
// Status of sound `id` on `channel`: SoundStatus.
int GetSoundStatus(int id, int channel);

// ------------------------------------------------------------------- movie

// Loads movie `id` from a file; false when it is missing or cannot be decoded.
bool LoadMovie(int id, const std::string& path);
bool MovieExists(int id);
void ResizeMovie(int id, int x, int y, int w, int h);
// Starts playing movie `id` inside window `window`; frames advance while the
// game pumps WindowEvent.
void PlayMovie(int id, int window);
void StopMovie(int id);
void FreeMovie(int id);

// ------------------------------------------------------------- clock, date

// Monotonic milliseconds.
int64_t ElapsedMilliseconds();
// Sleeps `ms` milliseconds.
void Delay(int ms);
// Seconds since 1970 of the current local date and time.
int64_t CurrentDate();
// Formats a date with the tokens %yyyy %yy %mm %dd %hh %ii %ss.
std::string FormatDate(const std::string& pattern, int64_t date);

// ------------------------------------------------------------------ random

// Opens the system's cryptographic generator; false when there is none.
bool OpenCryptRandom();
// Uniform 0..maximum from the cryptographic generator: two 32-bit words scaled
// by multiplication; 0 when the generator is not open.
int64_t CryptRandom(int64_t maximum);
void CloseCryptRandom();

// The fast seeded generator, seeded on first use from the thread and the clock.
// Uniform 0..maximum.
int64_t Random(int64_t maximum);
// Uniform between the two values, inclusive, in either order.
int64_t RandomRange(int64_t a, int64_t b);
// Seeds the fast generator (tests and the simulator).
void RandomSeed(uint64_t seed);

// -------------------------------------------------------- files, environment

// Value of an environment variable, empty when unset.
std::string GetEnvironmentVariable(const std::string& name);
// The per-user data base folder with a trailing "/": $APPDATA, else
// $XDG_DATA_HOME, else ~/.local/share.
std::string UserDataFolder();
// Folder of the running program's own file (links resolved) with a trailing
// "/"; empty when the system cannot tell.
std::string ProgramFolder();
// Starts the program's own file again in this process, with the same working
// folder and environment; returns only when that is not possible.
void RestartProgram();
bool FolderExists(const std::string& path);
bool CreateFolder(const std::string& path);
// Size in bytes; -1 when the file does not exist, -2 for a folder.
int64_t FileSize(const std::string& path);
// When the file was last written, in nanoseconds since 1970; -1 when it cannot be read.
int64_t FileModifiedNanoseconds(const std::string& path);
// Reads a whole file; false when it cannot be opened or is no plain file
// (a folder, FIFO or device is refused without blocking).
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& data);
// Reads at most the last `most` bytes of a plain file; returns the offset they
// start at, -1 when it cannot be read.
int64_t ReadFileTail(const std::string& path, size_t most, std::vector<uint8_t>& data);
// Writes a whole file atomically and durably (temporary file in the same
// folder, fsync, rename, fsync of the folder); a symbolic link is written
// through. False on failure, and when something other than a file is there.
bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t bytes);
// Appends to a plain file (created when missing) and flushes it to disk; on
// failure nothing of `data` stays behind.
bool AppendToFile(const std::string& path, const uint8_t* data, size_t bytes);
// Whether writes wait for the disk (fsync); on by default. Tests that play
// thousands of games switch it off: their files need not survive a power cut.
void SetDurableWrites(bool durable);
// Renames a file, replacing the target.
bool RenameFile(const std::string& from, const std::string& to);
// Lets the memory pages wholly inside data[0..size) go: read-only data of the
// program file (an embedded picture once decoded), read again from the file
// should it ever be touched.
void ReleaseReadOnlyPages(const uint8_t* data, size_t size);

// ------------------------------------------------------------------ system

// Takes the system-wide single-instance lock `name`; false when another
// process already holds it. The lock vanishes with the process.
bool CreateInstanceLock(const std::string& name);
// Switches the desktop's screen saver on or off.
void SetScreenSaverEnabled(bool enabled);
int DesktopWidth();
int DesktopHeight();
// Refresh rate of the desktop in Hz; 0 when the display reports only its default.
int DesktopRefreshRate();

}  // namespace platform
