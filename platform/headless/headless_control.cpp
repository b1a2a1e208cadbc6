// The test controls of the headless backend and the start of its services.
#include "platform/common/memory_policy.h"
#include "platform/headless/headless_machine.h"

namespace headless_machine {
Machine M;
}  // namespace headless_machine

using namespace headless_machine;

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

GadgetRecord GadgetShown(int gadget) {
    auto it = M.gadgets.find(gadget);
    return it == M.gadgets.end() ? GadgetRecord{} : it->second.record;
}

bool GadgetExists(int gadget) { return M.gadgets.count(gadget) > 0; }

std::vector<int> WindowGadgets(int window) {
    std::vector<int> ids;
    for (const auto& [id, gadget] : M.gadgets)
        if (gadget.window == window) ids.push_back(id);
    return ids;
}

std::pair<int, int> WindowPictureSize(int window, int picture) {
    auto it = M.windows.find(window);
    if (it == M.windows.end()) return {0, 0};
    auto found = it->second.pictures.find(picture);
    return found == it->second.pictures.end() ? std::pair<int, int>{0, 0} : found->second;
}

std::vector<std::pair<int, std::string>> WindowMenuItems(int window) {
    auto it = M.windows.find(window);
    return it == M.windows.end() ? std::vector<std::pair<int, std::string>>{} : it->second.menuItems;
}

void ClickListRow(int gadget, int row) {
    auto it = M.gadgets.find(gadget);
    if (it == M.gadgets.end() || it->second.record.kind != GadgetRecord::Kind::List ||
        !it->second.record.closed)
        return;
    if (row < 0 || row + 1 >= static_cast<int>(it->second.record.rows.size())) return;
    it->second.state = row;
    M.events.push_back(platform::Event{platform::EventKind::Gadget, it->second.window, gadget});
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

}  // namespace platform
