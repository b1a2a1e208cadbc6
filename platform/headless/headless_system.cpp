// The headless backend: clock and date, the secure random source, the
// program folder, the single-instance lock, the desktop.
#include "platform/common/crypt_scale.h"
#include "platform/headless/headless_machine.h"

using namespace headless_machine;

namespace {

uint32_t NextCryptWord() {
    // xorshift64*: a deterministic stand-in for the system generator.
    M.cryptState ^= M.cryptState >> 12;
    M.cryptState ^= M.cryptState << 25;
    M.cryptState ^= M.cryptState >> 27;
    return static_cast<uint32_t>((M.cryptState * 0x2545F4914F6CDD1Dull) >> 32);
}

}  // namespace

namespace platform {

using headless::Service;

int64_t ElapsedMilliseconds() { return M.clock; }
void Delay(int ms) { M.clock += ms > 0 ? ms : 0; }
int64_t CurrentDate() { return M.date + (M.clock / 1000); }

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
