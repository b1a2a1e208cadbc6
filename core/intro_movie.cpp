#include "core/intro_movie.h"

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/platform.h"

namespace {

constexpr int64_t IntroLimitMs = 22000;

// The working folder's "Intro.mpg" first, then the one installed with the
// game: NEBULOR_DATA_FROM_PROGRAM leads from the program's folder to its
// data folder (share/nebulor beside games/ under the install prefix).
bool LoadIntroMovie() {
    if (platform::LoadMovie(MovieIntro, "Intro.mpg")) return true;
    const std::string program = platform::ProgramFolder();
    return !program.empty() &&
           platform::LoadMovie(MovieIntro, program + NEBULOR_DATA_FROM_PROGRAM "Intro.mpg");
}

}  // namespace

bool WaitForIntroMovie(int64_t startTime) {
    for (;;) {
        const platform::Event event = platform::WindowEvent();
        if (event.kind == platform::EventKind::CloseWindow) {
            platform::StopMovie(MovieIntro);
            return false;
        }
        if (event.kind == platform::EventKind::Menu && event.id == CommandEscape) break;
        if (platform::ElapsedMilliseconds() - startTime > IntroLimitMs) break;
        platform::Delay(10);
    }
    platform::StopMovie(MovieIntro);
    return true;
}

bool ShowIntroMovie() {
    if (Game.IntroOn == 1) {
        if (LoadIntroMovie()) {
            const int width = platform::DesktopWidth(), height = platform::DesktopHeight();
            platform::ResizeWindow(WindowLoading, 0, 0, width, height);
            platform::ResizeMovie(MovieIntro, 0, 0, width, height);
            platform::PlayMovie(MovieIntro, WindowLoading);
        }
        // Shown once: the shutdown writes the player's own choice back.
        WriteIntroPlayed();
    }
    if (!platform::MovieExists(MovieIntro)) return true;
    if (!WaitForIntroMovie(platform::ElapsedMilliseconds())) return false;
    platform::FreeMovie(MovieIntro);
    platform::CloseWindow(WindowLoading);
    return OpenLoadingWindow();
}
