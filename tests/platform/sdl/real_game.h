// The real game started on the real SDL backend without a display (dummy
// video and sound, software renderer), in a folder of its own, for the tests
// that look at what the backend paints.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/game_state.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/platform.h"

// Starts the game (intro off) with APPDATA in a new folder named after `tag`
// and this process, which `home` receives; false when the start failed.
inline bool StartRealGame(const std::string& tag, std::string& home) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_RENDER_DRIVER");
    home = (std::filesystem::temp_directory_path() / ("nebulor-" + tag + "-" + std::to_string(getpid())))
               .string();
    std::filesystem::create_directories(home);
    setenv("APPDATA", home.c_str(), 1);
    InitGameState(platform::ElapsedMilliseconds(), 0);
    Game.IntroOn = 0;
    SaveSettings();
    return Startup();
}

// Ends what StartRealGame began and removes its folder.
inline void StopRealGame(bool started, const std::string& home) {
    if (started) Shutdown();
    platform::ShutdownPlatform();
    std::filesystem::remove_all(home);
}
