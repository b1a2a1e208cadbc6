// Clock, secure random source, instance lock, screen saver and desktop queries.
#include <SDL.h>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <ctime>

#include "platform/common/crypt_scale.h"
#include "platform/sdl/sdl_internal.h"

namespace platform {

namespace {
bool gCryptOpen = false;
int gLockSocket = -1;
}  // namespace

int64_t ElapsedMilliseconds() {
    struct timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void Delay(int ms) {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

int64_t CurrentDate() { return static_cast<int64_t>(time(nullptr)); }

bool OpenCryptRandom() {
    uint32_t probe = 0;
    gCryptOpen = getrandom(&probe, sizeof probe, 0) == static_cast<ssize_t>(sizeof probe);
    return gCryptOpen;
}

int64_t CryptRandom(int64_t maximum) {
    if (!gCryptOpen) return 0;
    uint32_t words[2] = {0, 0};
    size_t got = 0;
    while (got < sizeof words) {
        const ssize_t n = getrandom(reinterpret_cast<uint8_t*>(words) + got, sizeof words - got, 0);
        if (n <= 0) return 0;
        got += static_cast<size_t>(n);
    }
    return ScaleRandomWords(words[0], words[1], maximum);
}

void CloseCryptRandom() { gCryptOpen = false; }

std::string ProgramFolder() {
    char* base = SDL_GetBasePath();  // from /proc/self/exe
    if (!base) return "";
    std::string folder(base);
    SDL_free(base);
    return folder;
}

void RestartProgram() {
    // The instance lock is close-on-exec: the new start takes it afresh.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return;
    self[length] = '\0';
    char* const arguments[] = {self, nullptr};
    execve(self, arguments, environ);
}

bool CreateInstanceLock(const std::string& name) {
    // An abstract Unix socket: it vanishes with the process, like a named mutex.
    if (gLockSocket >= 0) return true;  // this process holds it already
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;  // no way to tell: let the game run
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // Per user, like a named mutex of the user's session: another account on
    // the same machine plays its own copy.
    const std::string key = "nebulor-instance-" + std::to_string(getuid()) + "-" + name;
    memcpy(address.sun_path + 1, key.data(), std::min(key.size(), sizeof(address.sun_path) - 2));
    const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + key.size());
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        close(fd);
        return false;
    }
    gLockSocket = fd;
    return true;
}

void SetScreenSaverEnabled(bool enabled) {
    if (enabled)
        SDL_EnableScreenSaver();
    else
        SDL_DisableScreenSaver();
}

int DesktopWidth() {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : 1280;
}

int DesktopHeight() {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : 768;
}

int DesktopRefreshRate() {
    SDL_DisplayMode mode;
    return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.refresh_rate : 0;
}

}  // namespace platform
