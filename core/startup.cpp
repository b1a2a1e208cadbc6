#include "core/startup.h"

#include "assets/bitmap_font.h"
#include "assets/picture_decoding.h"
#include "assets/pictures.h"
#include "core/game_state.h"
#include "core/intro_movie.h"
#include "core/loading_screen.h"
#include "core/main_loop.h"
#include "core/text_table.h"
#include "core/window_title.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "slot/reel_strips.h"
#include "slot/stake.h"
#include "slot/win_presentation.h"

namespace {

constexpr int MainWindow = 0;
constexpr int LoadingWindow = 3;
constexpr int LoadingWidth = 400, LoadingHeight = 200;
constexpr int EscapeCommand = 15;

// Steps 6 to 17: the platform services of the screen, and the loading window.
bool ShowLoadingWindow() {
    if (!platform::InitKeyboard() || !platform::InitSprite() || !platform::InitMouse() || !platform::InitSound() ||
        !platform::InitMovie())
        return StartupFailure("Can't open DirectX 7-9");
    if (!OpenLoadingWindow()) return false;
    if (!ShowIntroMovie()) return false;
    if (!platform::OpenScreen(LoadingWindow, 0, 0, LoadingWidth, LoadingHeight))
        return StartupFailure("Can't open Loading Window");
    return RunLoadingScreen();
}

// Steps 18 to 23: the main window, its title, screen, menu and limits. It
// opens hidden and appears with its first frame, not black while the
// pictures load.
bool OpenMainWindow() {
    const int width = static_cast<int>(Game.ScreenWidth), height = static_cast<int>(Game.ScreenHeight);
    if (!platform::OpenWindow(MainWindow, 0, 0, width, height, "Nebulor",
                              platform::WindowCaptioned | platform::WindowCentered | platform::WindowHidden))
        return StartupFailure("Can't open Main Window");
    ComposeStartupTitle();
    if (!platform::OpenScreen(MainWindow, 0, 0, width, height)) return StartupFailure("Can't open Main Screen");
    platform::CreateWindowMenu(MainWindow, "Options", 1, "Settings");  // skipped when the platform cannot
    platform::SetWindowSizeLimits(MainWindow, 1080, 668, width, height - 20);
    platform::SetFrameRate(static_cast<int>(Game.RefreshRate));
    return true;
}

}  // namespace

bool OpenLoadingWindow() {
    if (!platform::OpenWindow(LoadingWindow, 0, 0, LoadingWidth, LoadingHeight, "Nebulor",
                              platform::WindowBorderless | platform::WindowCentered))
        return StartupFailure("Can't open Loading Window");
    platform::AddKeyboardShortcut(LoadingWindow, platform::KeyEscape, EscapeCommand);
    return true;
}

bool StartupFailure(const char* text) {
    platform::MessageBox("Nebulor", text);
    return false;
}

bool Startup() {
    platform::InitWindowSystem();
    InitGameState(platform::ElapsedMilliseconds(), platform::DesktopRefreshRate());
    if (!platform::CreateInstanceLock("Nebulor")) {
        platform::MessageBox("", "Nebulor 2 Already started");
        return false;
    }
    LoadSettings();  // also loads the save data
    FillTextTable(Game.Language);
    // The pictures decode on helper threads while the loading window shows;
    // they are created, in their order, once the main screen is open.
    StartDecodingPictures();
    if (!ShowLoadingWindow()) return false;
    if (!OpenMainWindow()) return false;
    platform::OpenCryptRandom();
    // Step 25: fonts for the main screen, every picture (one that cannot be
    // created ends the start), then the reels.
    if (!LoadFonts()) return false;
    ForgetDecodedAtlases();
    if (!LoadPictures()) return false;
    SetupReels();
    platform::RemoveKeyboardShortcut(MainWindow, platform::KeyEscape);
    // The screen holds the pointer from the start; the game draws its own.
    platform::ReleaseMouse(false);
    platform::ExamineMouse();
    platform::SetScreenSaverEnabled(false);
    Game.GamePhase = PhaseReady;
    Game.AllReelsStopped = 0;
    platform::ShowWindowNormal(MainWindow);
    ShowPaylineDemo();
    Game.Paylines = 0;
    Game.WinDisplayBlocked = 1;
    return true;
}

void Shutdown() {
    SettleAccountsForSave();  // nothing the player had in play is lost by quitting
    platform::CloseScreen();
    if (platform::WindowExists(MainWindow)) platform::CloseWindow(MainWindow);
    SaveSettings();  // the save data first, then the settings
    Game.CountUps.clear();
    Game.Particles.clear();
    platform::CloseCryptRandom();
    platform::SetScreenSaverEnabled(true);
}

void EndProgram(bool restart) {
    StopPictureDecoding();  // a start that failed early leaves it running
    platform::ShutdownPlatform();
    // Saved and closed: the confirmed settings take effect in a new start.
    if (restart) platform::RestartProgram();
}

int GameMain() {
    bool restart = false;
    if (Startup()) {
        RunMainLoop();
        Shutdown();
        restart = Game.RestartAfterQuit == 1;
    }
    EndProgram(restart);
    return 0;
}
