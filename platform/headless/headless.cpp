// The headless backend: the platform seam without a display, for tests.
#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <set>

#include "platform/common/crypt_scale.h"
#include "platform/common/movie_decoder.h"
#include "platform/headless/headless_control.h"
#include "platform/common/memory_policy.h"
#include "platform/platform.h"

namespace {

struct Window {
    int x = 0, y = 0, w = 0, h = 0;
    int minW = 0, minH = 0, maxW = 1 << 20, maxH = 1 << 20;
    std::string title;
    int flags = 0;
    bool hasMenu = false;
    bool fullscreen = false;
    bool scaled = false;
    std::map<int, int> shortcuts;  // key -> command
};

struct Sprite {
    int w = 0, h = 0;
    bool drawable = false;
};

struct Sound {
    int64_t lengthMs = 0;
};

struct Channel {
    int sound = 0;
    int64_t start = 0;
    bool loop = false;
    bool stopped = false;
};

struct Gadget {
    int window = 0;
    std::string text;
    int state = 0;
    bool option = false;
};

struct Machine {
    int64_t clock = 1;
    int64_t frameStep = 16;
    int64_t date = 1765000000;  // a fixed day until a test sets its own
    std::map<int, Window> windows;
    bool screenOpen = false;
    int screenWidth = 0, screenHeight = 0;
    int frameRate = 60;
    std::map<int, Sprite> sprites;
    std::set<int> images;
    std::map<int, int> systemFonts;  // id -> point size
    int drawingInto = -1;
    int blendSource = 6, blendDestination = 7;
    std::vector<headless::DrawRecord> current, last, spriteLog;
    int64_t flips = 0;
    // input
    int mouseX = 640, mouseY = 384;
    bool mouseInside = true;
    bool buttonDown = false;
    bool pressLatched = false;
    bool mouseButtonSeen = false;
    bool multiLatched = false, multiSeen = false;
    bool mouseReadable = true;
    bool mouseReleased = false;
    int restarts = 0;
    std::array<bool, platform::KeyCount> keysDown{};
    std::array<bool, platform::KeyCount> keysSeen{};
    std::array<bool, platform::KeyCount> keysReleased{};
    std::array<bool, platform::KeyCount> keysShortcut{};  // the press went to a window shortcut
    std::vector<platform::Event> events;
    // sound
    std::map<int, Sound> sounds;
    std::map<int, Channel> channels;
    int nextChannel = 1;
    bool soundCreation = true;
    std::vector<headless::SoundRecord> soundLog;
    // movie
    std::map<int, headless::MovieRecord> movies;
    std::string programFolder;
    // misc
    std::vector<headless::MessageRecord> boxes;
    bool cryptOpen = false;
    bool cryptZero = false;
    uint64_t cryptState = 0x2545F4914F6CDD1Dull;
    std::set<headless::Service> failing;
    bool otherInstance = false;
    bool lockHeld = false;
    bool screenSaver = true;
    std::map<int, Gadget> gadgets;
    int lastOptionGroupWindow = -1;
    int lastOptionGadget = -1000;
};

Machine M;

bool Fails(headless::Service service) { return M.failing.count(service) > 0; }

void Record(headless::DrawRecord record) {
    record.blendSource = M.blendSource;
    record.blendDestination = M.blendDestination;
    if (M.drawingInto >= 0)
        M.spriteLog.push_back(std::move(record));
    else
        M.current.push_back(std::move(record));
}

int ClampToLimits(int value, int minimum, int maximum) { return std::max(minimum, std::min(maximum, value)); }

uint32_t NextCryptWord() {
    // xorshift64*: a deterministic stand-in for the system generator.
    M.cryptState ^= M.cryptState >> 12;
    M.cryptState ^= M.cryptState << 25;
    M.cryptState ^= M.cryptState >> 27;
    return static_cast<uint32_t>((M.cryptState * 0x2545F4914F6CDD1Dull) >> 32);
}

}  // namespace

namespace headless {

void Reset() {
    M = Machine{};
    M.current.reserve(4096);
    M.last.reserve(4096);
}
void SetClock(int64_t ms) { M.clock = ms; }
void AdvanceClock(int64_t ms) { M.clock += ms; }
int64_t Clock() { return M.clock; }
void SetFrameStep(int64_t ms) { M.frameStep = ms; }
void SetDate(int64_t seconds) { M.date = seconds; }

void SetMouse(int x, int y) {
    M.mouseX = x;
    M.mouseY = y;
    M.mouseInside = true;
}
void SetMouseOutside() { M.mouseInside = false; }
void SetMouseButton(bool down, int clicks) {
    if (down && !M.buttonDown) {
        M.pressLatched = true;
        M.multiLatched = clicks >= 2;
    }
    M.buttonDown = down;
}
void SetMouseReadable(bool readable) { M.mouseReadable = readable; }
void PressKey(platform::Key key) { M.keysDown[key] = true; }
void ReleaseKey(platform::Key key) { M.keysDown[key] = false; }
bool MouseReleasedToDesktop() { return M.mouseReleased; }
int RestartCount() { return M.restarts; }

void PushEvent(platform::Event event) { M.events.push_back(event); }
void SetClientSize(int width, int height) {
    auto it = M.windows.find(0);
    if (it == M.windows.end()) return;
    it->second.w = ClampToLimits(width, it->second.minW, it->second.maxW);
    it->second.h = ClampToLimits(height, it->second.minH, it->second.maxH);
}

const std::vector<DrawRecord>& CurrentFrame() { return M.current; }
const std::vector<DrawRecord>& LastFrame() { return M.last; }
int64_t FlipCount() { return M.flips; }
const std::vector<DrawRecord>& SpriteDrawLog() { return M.spriteLog; }
void ClearSpriteDrawLog() { M.spriteLog.clear(); }

const std::vector<SoundRecord>& SoundLog() { return M.soundLog; }
void ClearSoundLog() { M.soundLog.clear(); }
void SetSoundCreation(bool works) { M.soundCreation = works; }

const std::vector<MessageRecord>& MessageBoxes() { return M.boxes; }

void PinCryptRandomToZero(bool pinned) { M.cryptZero = pinned; }
void SeedCryptRandom(uint64_t seed) { M.cryptState = seed ? seed : 1; }

void FailService(Service service, bool fails) {
    if (fails)
        M.failing.insert(service);
    else
        M.failing.erase(service);
}
void SetOtherInstanceRunning(bool running) { M.otherInstance = running; }
void SetProgramFolder(const std::string& folder) { M.programFolder = folder; }
bool ScreenSaverEnabled() { return M.screenSaver; }
int FrameRateCap() { return M.frameRate; }

std::string GadgetText(int gadget) {
    auto it = M.gadgets.find(gadget);
    return it == M.gadgets.end() ? std::string() : it->second.text;
}
MovieRecord MovieState(int id) {
    auto it = M.movies.find(id);
    return it == M.movies.end() ? MovieRecord{} : it->second;
}

int GadgetWindow(int gadget) {
    auto it = M.gadgets.find(gadget);
    return it == M.gadgets.end() ? -1 : it->second.window;
}

}  // namespace headless

namespace platform {

using headless::Service;

bool InitWindowSystem() {
    ReturnLargeBlocksToTheSystem();
    return true;
}
bool InitKeyboard() { return !Fails(Service::Keyboard); }
bool InitSprite() { return !Fails(Service::Sprite); }
bool InitMouse() { return !Fails(Service::Mouse); }
bool InitSound() { return !Fails(Service::Sound); }
bool InitMovie() { return !Fails(Service::Movie); }
void ShutdownPlatform() {}

// ----------------------------------------------------------------- windows

bool OpenWindow(int id, int x, int y, int w, int h, const std::string& title, int flags) {
    if ((id == 3 && Fails(Service::Window3)) || (id == 0 && Fails(Service::Window0))) return false;
    Window window;
    window.x = x;
    window.y = y;
    window.w = w;
    window.h = h;
    window.title = title;
    window.flags = flags;
    M.windows[id] = window;
    return true;
}

void CloseWindow(int id) {
    M.windows.erase(id);
    for (auto it = M.gadgets.begin(); it != M.gadgets.end();)
        it = it->second.window == id ? M.gadgets.erase(it) : std::next(it);
}

bool WindowExists(int id) { return M.windows.count(id) > 0; }

void ResizeWindow(int id, int x, int y, int w, int h) {
    auto it = M.windows.find(id);
    if (it == M.windows.end()) return;
    it->second.x = x;
    it->second.y = y;
    it->second.w = ClampToLimits(w, it->second.minW, it->second.maxW);
    it->second.h = ClampToLimits(h, it->second.minH, it->second.maxH);
}

void SetWindowTitle(int id, std::string_view title) {
    auto it = M.windows.find(id);
    if (it != M.windows.end() && it->second.title != title) it->second.title = title;
}

std::string WindowTitle(int id) {
    auto it = M.windows.find(id);
    return it == M.windows.end() ? std::string() : it->second.title;
}

void SetWindowSizeLimits(int id, int minWidth, int minHeight, int maxWidth, int maxHeight) {
    auto it = M.windows.find(id);
    if (it == M.windows.end()) return;
    Window& window = it->second;
    window.minW = minWidth;
    window.minH = minHeight;
    window.maxW = maxWidth;
    window.maxH = maxHeight;
    window.w = ClampToLimits(window.w, minWidth, maxWidth);
    window.h = ClampToLimits(window.h, minHeight, maxHeight);
}

// A fullscreen window shows the whole screen, scaled: its client area reads as the screen's size.
int WindowClientWidth(int id) {
    auto it = M.windows.find(id);
    if (it == M.windows.end()) return 0;
    return (it->second.fullscreen || it->second.scaled) && M.screenOpen ? M.screenWidth : it->second.w;
}

int WindowClientHeight(int id) {
    auto it = M.windows.find(id);
    if (it == M.windows.end()) return 0;
    return (it->second.fullscreen || it->second.scaled) && M.screenOpen ? M.screenHeight : it->second.h;
}

bool SetWindowFullscreen(int id, bool fullscreen) {
    auto it = M.windows.find(id);
    if (it == M.windows.end() || (fullscreen && Fails(Service::Fullscreen))) return false;
    it->second.fullscreen = fullscreen;
    return true;
}

bool WindowFullscreen(int id) {
    auto it = M.windows.find(id);
    return it != M.windows.end() && it->second.fullscreen;
}

void SetWindowScaled(int id, bool scaled) {
    auto it = M.windows.find(id);
    if (it != M.windows.end()) it->second.scaled = scaled;
}

void ShowWindowNormal(int) {}

bool CreateWindowMenu(int id, const std::string&, int, const std::string&) {
    auto it = M.windows.find(id);
    if (it == M.windows.end() || Fails(Service::Menu)) return false;
    it->second.hasMenu = true;
    return true;
}

void AddKeyboardShortcut(int id, Key key, int command) {
    auto it = M.windows.find(id);
    if (it != M.windows.end()) it->second.shortcuts[key] = command;
}

void RemoveKeyboardShortcut(int id, Key key) {
    auto it = M.windows.find(id);
    if (it != M.windows.end()) it->second.shortcuts.erase(key);
}

Event WindowEvent() {
    // Keys bound to a shortcut of the loading window arrive as menu commands.
    for (auto& [id, window] : M.windows) {
        for (auto [key, command] : window.shortcuts) {
            if (M.keysDown[key] && !M.keysSeen[key]) {
                M.keysSeen[key] = true;
                M.keysShortcut[key] = true;
                return Event{EventKind::Menu, id, command};
            }
        }
    }
    if (M.events.empty()) return Event{};
    Event event = M.events.front();
    M.events.erase(M.events.begin());
    return event;
}

void MessageBox(const std::string& title, const std::string& text) { M.boxes.push_back({title, text}); }

// --------------------------------------------------------------- gadgets

namespace {
void AddGadget(int window, int gadget, const std::string& text, bool option) {
    Gadget g;
    g.window = window;
    g.text = text;
    g.option = option;
    M.gadgets[gadget] = g;
}
}  // namespace

void TextGadget(int window, int gadget, int, int, int, int, const std::string& text) {
    AddGadget(window, gadget, text, false);
}
void TrackBarGadget(int window, int gadget, int, int, int, int, int, int) { AddGadget(window, gadget, "", false); }
void CheckBoxGadget(int window, int gadget, int, int, int, int, const std::string& text) {
    AddGadget(window, gadget, text, false);
}
void OptionGadget(int window, int gadget, int, int, int, int, const std::string& text) {
    AddGadget(window, gadget, text, true);
}
void ButtonGadget(int window, int gadget, int, int, int, int, const std::string& text) {
    AddGadget(window, gadget, text, false);
}

void SetGadgetState(int gadget, int state) {
    auto it = M.gadgets.find(gadget);
    if (it == M.gadgets.end()) return;
    it->second.state = state;
    // Options are grouped with their neighbours of consecutive numbers.
    if (it->second.option && state) {
        for (int other = gadget - 1; M.gadgets.count(other) && M.gadgets[other].option; --other)
            M.gadgets[other].state = 0;
        for (int other = gadget + 1; M.gadgets.count(other) && M.gadgets[other].option; ++other)
            M.gadgets[other].state = 0;
    }
}

int GetGadgetState(int gadget) {
    auto it = M.gadgets.find(gadget);
    return it == M.gadgets.end() ? 0 : it->second.state;
}

// ----------------------------------------------------------- sprite screen

bool OpenScreen(int window, int, int, int w, int h) {
    if (!WindowExists(window) || Fails(Service::Screen)) return false;
    M.screenOpen = true;
    M.screenWidth = w;
    M.screenHeight = h;
    return true;
}

void CloseScreen() { M.screenOpen = false; }

void ClearScreen(uint32_t rgb) {
    headless::DrawRecord record;
    record.kind = headless::DrawKind::Clear;
    record.rgb = rgb;
    M.current.push_back(record);
}

void FlipBuffers() {
    std::swap(M.current, M.last);
    M.current.clear();
    ++M.flips;
    M.clock += M.frameStep;
}

void SetFrameRate(int fps) { M.frameRate = fps > 0 ? fps : 60; }

void RepaintWholeNextFrame() {}  // every headless frame is recorded whole

bool GrabScreen(std::vector<uint8_t>&, int&, int&) { return false; }

bool CreateSprite(int id, int w, int h, const uint8_t* rgba) {
    if (w <= 0 || h <= 0 || !rgba) return false;
    M.sprites[id] = Sprite{w, h, false};
    return true;
}

PixelOrder ScreenPixelOrder() { return PixelOrder::Rgba; }

// Nearest pixels: the headless screen never shows them.
bool ZoomPixels(const PixelBuffer& source, int w, int h, PixelBuffer& zoomed) {
    if (!source.bytes || w <= 0 || h <= 0 || !zoomed.Allocate(w, h)) return false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t from = (static_cast<size_t>(y) * source.height / h * source.width +
                                 static_cast<size_t>(x) * source.width / w) * 4;
            std::memcpy(zoomed.bytes.get() + (static_cast<size_t>(y) * w + x) * 4, source.bytes.get() + from, 4);
        }
    zoomed.order = source.order;
    zoomed.opaque = source.opaque;
    return true;
}

bool CreateSpriteFromPixels(int id, int w, int h, const PixelBuffer& pixels) {
    if (w <= 0 || h <= 0 || !pixels.bytes || pixels.width <= 0 || pixels.height <= 0) return false;
    M.sprites[id] = Sprite{w, h, false};
    return true;
}

bool CreateBlankSprite(int id, int w, int h) {
    if (w <= 0 || h <= 0) return false;
    M.sprites[id] = Sprite{w, h, true};
    return true;
}

void FreeSprite(int id) { M.sprites.erase(id); }
bool SpriteExists(int id) { return M.sprites.count(id) > 0; }
int SpriteWidth(int id) {
    auto it = M.sprites.find(id);
    return it == M.sprites.end() ? 0 : it->second.w;
}
int SpriteHeight(int id) {
    auto it = M.sprites.find(id);
    return it == M.sprites.end() ? 0 : it->second.h;
}

bool CreateImage(int id, int w, int h, const uint8_t* rgba) {
    if (w <= 0 || h <= 0 || !rgba) return false;
    M.images.insert(id);
    return true;
}

bool ImageExists(int id) { return M.images.count(id) > 0; }

void FreeImage(int id) { M.images.erase(id); }

void DrawSprite(int id, int x, int y, const DrawOptions& options) {
    if (!SpriteExists(id)) return;
    headless::DrawRecord record;
    record.kind = headless::DrawKind::Sprite;
    record.id = id;
    record.x = x;
    record.y = y;
    record.options = options;
    const Sprite& sprite = M.sprites[id];
    const int clipW = options.clipWidth >= 0 ? options.clipWidth : sprite.w;
    const int clipH = options.clipHeight >= 0 ? options.clipHeight : sprite.h;
    record.w = options.width >= 0 ? options.width : clipW;
    record.h = options.height >= 0 ? options.height : clipH;
    Record(std::move(record));
}

void SetSpriteBlending(int source, int destination) {
    M.blendSource = source;
    M.blendDestination = destination;
}

void SetSpriteQuality(int) {}

void DrawScreenRect(int x, int y, int w, int h, uint32_t rgb, int alpha) {
    headless::DrawRecord record;
    record.kind = headless::DrawKind::Rect;
    record.x = x;
    record.y = y;
    record.w = w;
    record.h = h;
    record.rgb = rgb;
    record.alpha = alpha;
    Record(std::move(record));
}

bool StartSpriteDrawing(int id) {
    auto it = M.sprites.find(id);
    if (it == M.sprites.end() || !it->second.drawable) return false;
    M.drawingInto = id;
    return true;
}

void SpriteFillRect(int x, int y, int w, int h, uint32_t rgb, int alpha) {
    if (M.drawingInto < 0) return;
    headless::DrawRecord record;
    record.kind = headless::DrawKind::SpriteFill;
    record.id = M.drawingInto;
    record.x = x;
    record.y = y;
    record.w = w;
    record.h = h;
    record.rgb = rgb;
    record.alpha = alpha;
    Record(std::move(record));
}

void SpriteDrawImage(int image, int x, int y) {
    if (M.drawingInto < 0 || !ImageExists(image)) return;
    headless::DrawRecord record;
    record.kind = headless::DrawKind::SpriteImage;
    record.id = image;
    record.x = x;
    record.y = y;
    Record(std::move(record));
}

void SpriteDrawText(int font, int x, int y, const std::string& text, uint32_t rgb, int alpha) {
    if (M.drawingInto < 0) return;
    headless::DrawRecord record;
    record.kind = headless::DrawKind::SpriteText;
    record.id = font;
    record.x = x;
    record.y = y;
    record.rgb = rgb;
    record.alpha = alpha;
    record.text = text;
    Record(std::move(record));
}

void StopSpriteDrawing() { M.drawingInto = -1; }

bool LoadSystemFont(int id, int pointSize, const uint8_t* ttf, size_t bytes) {
    if (!ttf || bytes == 0 || pointSize <= 0) return false;
    M.systemFonts[id] = pointSize;
    return true;
}

int SystemTextWidth(int font, const std::string& text) {
    // Without a rasteriser: an average bold glyph is about 0.6 em wide, and
    // the em of a point size at 96 dots per inch is size * 4 / 3 pixels.
    auto it = M.systemFonts.find(font);
    if (it == M.systemFonts.end()) return 0;
    return static_cast<int>(text.size() * it->second * 4 * 6 / 30);
}

// ------------------------------------------------------------------- input

bool ExamineMouse() {
    if (!M.mouseReadable) return false;
    M.mouseButtonSeen = M.buttonDown || M.pressLatched;
    M.multiSeen = M.pressLatched && M.multiLatched;
    M.pressLatched = false;
    M.multiLatched = false;
    return true;
}

int MouseX() { return M.mouseX; }
int MouseY() { return M.mouseY; }
bool MouseButtonLeft() { return M.mouseButtonSeen; }
bool MouseDoubleClickPress() { return M.multiSeen; }

int WindowMouseX(int id) {
    auto it = M.windows.find(id);
    if (it == M.windows.end() || !M.mouseInside) return -1;
    return M.mouseX >= 0 && M.mouseX < it->second.w ? M.mouseX : -1;
}

int WindowMouseY(int id) {
    auto it = M.windows.find(id);
    if (it == M.windows.end() || !M.mouseInside) return -1;
    return M.mouseY >= 0 && M.mouseY < it->second.h ? M.mouseY : -1;
}

void ReleaseMouse(bool release) { M.mouseReleased = release; }

void MouseLocate(int x, int y) {
    M.mouseX = x;
    M.mouseY = y;
}

void ExamineKeyboard() {
    for (int key = 0; key < KeyCount; ++key) {
        // Letting go of a key whose press was a shortcut is no key release.
        M.keysReleased[key] = M.keysSeen[key] && !M.keysDown[key] && !M.keysShortcut[key];
        if (!M.keysDown[key]) M.keysShortcut[key] = false;
        M.keysSeen[key] = M.keysDown[key];
    }
}

bool KeyboardPushed(Key key) { return M.keysDown[key]; }
bool KeyboardReleased(Key key) { return M.keysReleased[key]; }

// ------------------------------------------------------------------- sound

bool CreateSound(int id, const int16_t* pcm, size_t frames, int channels, int rate) {
    if (!M.soundCreation || !pcm || frames == 0 || channels <= 0 || rate <= 0) return false;
    M.sounds[id] = Sound{static_cast<int64_t>(frames * 1000 / static_cast<size_t>(rate))};
    return true;
}

bool SoundExists(int id) { return M.sounds.count(id) > 0; }

int PlaySound(int id, int flags, int volume) {
    if (!SoundExists(id)) return 0;
    // Like a mixer's channels, finished ones are given up (the oldest first) so
    // that a long session does not pile them up.
    for (auto it = M.channels.begin(); M.channels.size() > 256 && it != M.channels.end();) {
        const Channel& c = it->second;
        const bool finished = c.stopped || (!c.loop && M.clock - c.start >= M.sounds[c.sound].lengthMs);
        it = finished ? M.channels.erase(it) : std::next(it);
    }
    const int channel = M.nextChannel++;
    M.channels[channel] = Channel{id, M.clock, (flags & SoundLoop) != 0, false};
    M.soundLog.push_back({id, channel, flags, volume, M.clock, false});
    return channel;
}

void StopSound(int id, int channel) {
    auto it = M.channels.find(channel);
    if (it != M.channels.end() && it->second.sound == id) it->second.stopped = true;
    M.soundLog.push_back({id, channel, 0, 0, M.clock, true});
}

int GetSoundStatus(int id, int channel) {
    auto it = M.channels.find(channel);
    if (!SoundExists(id) || it == M.channels.end() || it->second.sound != id) return SoundNoStatus;
    const Channel& c = it->second;
    if (c.stopped) return SoundStopped;
    if (!c.loop && M.clock - c.start >= M.sounds[id].lengthMs) return SoundStopped;
    return SoundPlaying;
}

// ------------------------------------------------------------------- movie

bool LoadMovie(int id, const std::string& path) {
    // Only a file that decodes as a movie loads, as with the real player.
    MovieDecoder* decoder = OpenMovieDecoder(path, 0, 0);
    if (!decoder) return false;
    headless::MovieRecord record;
    record.loaded = true;
    record.path = path;
    record.width = MovieDisplayWidth(decoder);
    record.height = MovieDisplayHeight(decoder);
    CloseMovieDecoder(decoder);
    M.movies[id] = record;
    return true;
}
bool MovieExists(int id) { return M.movies.count(id) > 0; }
void ResizeMovie(int id, int x, int y, int w, int h) {
    auto it = M.movies.find(id);
    if (it == M.movies.end()) return;
    it->second.x = x;
    it->second.y = y;
    it->second.w = w;
    it->second.h = h;
}
void PlayMovie(int id, int window) {
    auto it = M.movies.find(id);
    if (it == M.movies.end() || !WindowExists(window)) return;
    it->second.playing = true;
    it->second.window = window;
}
void StopMovie(int id) {
    auto it = M.movies.find(id);
    if (it == M.movies.end()) return;
    it->second.playing = false;
    ++it->second.stops;
}
void FreeMovie(int id) { M.movies.erase(id); }

// ------------------------------------------------------------- clock, date

int64_t ElapsedMilliseconds() { return M.clock; }
void Delay(int ms) { M.clock += ms > 0 ? ms : 0; }
int64_t CurrentDate() { return M.date + (M.clock / 1000); }

// ------------------------------------------------------------------ random

bool OpenCryptRandom() {
    M.cryptOpen = !Fails(Service::CryptRandom);
    return M.cryptOpen;
}

int64_t CryptRandom(int64_t maximum) {
    if (!M.cryptOpen || M.cryptZero) return 0;
    const uint32_t high = NextCryptWord();
    const uint32_t low = NextCryptWord();
    return ScaleRandomWords(high, low, maximum);
}

void CloseCryptRandom() { M.cryptOpen = false; }

// ------------------------------------------------------------------ system

std::string ProgramFolder() { return M.programFolder; }
void RestartProgram() { M.restarts += 1; }

bool CreateInstanceLock(const std::string&) {
    if (M.otherInstance) return false;
    M.lockHeld = true;
    return true;
}

void SetScreenSaverEnabled(bool enabled) { M.screenSaver = enabled; }
int DesktopWidth() { return 1920; }
int DesktopHeight() { return 1080; }
int DesktopRefreshRate() { return 0; }

}  // namespace platform
