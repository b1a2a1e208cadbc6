// The headless backend: the main window and the others, message boxes and
// the settings window's gadgets.
#include "platform/headless/headless_machine.h"

using namespace headless_machine;

namespace platform {

using headless::Service;

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

bool CreateWindowMenu(int id, const std::string&, int command, const std::string& item) {
    auto it = M.windows.find(id);
    if (it == M.windows.end() || Fails(Service::Menu)) return false;
    it->second.hasMenu = true;
    it->second.menuItems = {{command, item}};
    return true;
}

bool AddWindowMenuItem(int id, int command, const std::string& item) {
    auto it = M.windows.find(id);
    if (it == M.windows.end() || !it->second.hasMenu) return false;
    it->second.menuItems.emplace_back(command, item);
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
void TrackBarGadget(int window, int gadget, int, int, int, int, int, int) {
    AddGadget(window, gadget, "", false);
}
void CheckBoxGadget(int window, int gadget, int, int, int, int, const std::string& text) {
    AddGadget(window, gadget, text, false);
}
void OptionGadget(int window, int gadget, int, int, int, int, const std::string& text) {
    AddGadget(window, gadget, text, true);
}
void ButtonGadget(int window, int gadget, int, int, int, int, const std::string& text) {
    AddGadget(window, gadget, text, false);
}

void ListGadget(int window, int gadget, int x, int y, int w, int h, const std::vector<std::string>& rows,
                bool selectable) {
    auto old = M.gadgets.find(gadget);
    const int selected =
        old != M.gadgets.end() && old->second.record.kind == headless::GadgetRecord::Kind::List
            ? old->second.state
            : -1;
    AddGadget(window, gadget, "", false);
    Gadget& g = M.gadgets[gadget];
    g.state = selected;
    g.record = {headless::GadgetRecord::Kind::List, x, y, w, h, rows, -1, 0, {}, selectable};
}

bool WindowPicture(int window, int picture, int w, int h, const uint8_t*) {
    auto it = M.windows.find(window);
    if (it == M.windows.end() || w <= 0 || h <= 0) return false;
    it->second.pictures[picture] = {w, h};
    return true;
}

void PictureGadget(int window, int gadget, int x, int y, int w, int h, int picture) {
    AddGadget(window, gadget, "", false);
    M.gadgets[gadget].record = {headless::GadgetRecord::Kind::Picture, x, y, w, h, {}, picture, 0, {}, false};
}

void BoxGadget(int window, int gadget, int x, int y, int w, int h, uint32_t rgb, int) {
    AddGadget(window, gadget, "", false);
    M.gadgets[gadget].record = {headless::GadgetRecord::Kind::Box, x, y, w, h, {}, -1, rgb, {}, false};
}

void LineGadget(int window, int gadget, const std::vector<int>& points, uint32_t rgb, int, bool closed) {
    AddGadget(window, gadget, "", false);
    M.gadgets[gadget].record = {headless::GadgetRecord::Kind::Line, 0, 0, 0, 0, {}, -1, rgb, points, closed};
}

void RemoveGadget(int gadget) { M.gadgets.erase(gadget); }

void SetGadgetState(int gadget, int state) {
    auto it = M.gadgets.find(gadget);
    if (it == M.gadgets.end()) return;
    if (it->second.record.kind == headless::GadgetRecord::Kind::List)
        state = std::clamp(state, -1, static_cast<int>(it->second.record.rows.size()) - 2);
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

}  // namespace platform
