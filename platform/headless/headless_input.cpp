// The headless backend: mouse and keys as the tests script them.
#include "platform/headless/headless_machine.h"

using namespace headless_machine;

namespace platform {

using headless::Service;

bool ExamineMouse() {
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

}  // namespace platform
