// The state of the headless backend's one machine, shared by its services
// (headless_*.cpp, one per service as in platform/sdl/). Tests reach it only
// through headless_control.h.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/headless/headless_control.h"
#include "platform/platform.h"

namespace headless_machine {

struct Window {
    int x = 0, y = 0, w = 0, h = 0;
    int minW = 0, minH = 0, maxW = 1 << 20, maxH = 1 << 20;
    std::string title;
    int flags = 0;
    bool hasMenu = false;
    std::vector<std::pair<int, std::string>> menuItems;  // command, item
    std::map<int, std::pair<int, int>> pictures;         // picture -> its size
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
    headless::GadgetRecord record;
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

extern Machine M;

inline bool Fails(headless::Service service) { return M.failing.count(service) > 0; }

inline void Record(headless::DrawRecord record) {
    record.blendSource = M.blendSource;
    record.blendDestination = M.blendDestination;
    if (M.drawingInto >= 0)
        M.spriteLog.push_back(std::move(record));
    else
        M.current.push_back(std::move(record));
}

inline int ClampToLimits(int value, int minimum, int maximum) {
    return std::max(minimum, std::min(maximum, value));
}

}  // namespace headless_machine
