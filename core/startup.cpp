#include "core/startup.h"

#include <cstdio>

#include "assets/bitmap_font.h"
#include "assets/catalogue_numbers.h"
#include "assets/picture_decoding.h"
#include "assets/pictures.h"
#include "core/account_keeper.h"
#include "core/game_state.h"
#include "core/intro_movie.h"
#include "core/loading_screen.h"
#include "core/main_loop.h"
#include "core/screen_mode.h"
#include "core/text_table.h"
#include "core/window_title.h"
#include "persist/save_file.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "slot/reel_strips.h"
#include "slot/stake.h"
#include "slot/win_presentation.h"

namespace {

constexpr int LoadingWidth = 400, LoadingHeight = 200;

// Set when no display could be reached: the one start that ends with a failing exit code.
bool gNoDisplay = false;

// Starts the keyboard, sprite, mouse, sound and movie services, opens the
// loading window, shows the intro, then opens the loading window's screen and
// runs the loading screen (its fonts and picture, the sounds, the jingle).
bool ShowLoadingWindow() {
    if (!platform::InitKeyboard() || !platform::InitSprite() || !platform::InitMouse() ||
        !platform::InitSound() || !platform::InitMovie())
        return StartupFailure("Can't open DirectX 7-9");
    if (!OpenLoadingWindow()) return false;
    if (!ShowIntroMovie()) return false;
    if (!platform::OpenScreen(WindowLoading, 0, 0, LoadingWidth, LoadingHeight))
        return StartupFailure("Can't open Loading Window");
    return RunLoadingScreen();
}

// Opens the main window with its start-up title, its screen, the Options menu
// and its size limits, and caps the frame rate at the desktop's refresh rate.
// It opens hidden and appears with its first frame, not black while the
// pictures load.
bool OpenMainWindow() {
    const int width = static_cast<int>(Game.ScreenWidth), height = static_cast<int>(Game.ScreenHeight);
    if (!platform::OpenWindow(WindowMain, 0, 0, width, height, "Nebulor",
                              platform::WindowCaptioned | platform::WindowCentered | platform::WindowHidden))
        return StartupFailure("Can't open Main Window");
    ComposeStartupTitle();
    if (!platform::OpenScreen(WindowMain, 0, 0, width, height))
        return StartupFailure("Can't open Main Screen");
    if (platform::CreateWindowMenu(WindowMain, "Options", CommandSettings,
                                   "Settings"))  // skipped when the platform cannot
        platform::AddWindowMenuItem(WindowMain, CommandHistory, Text(TextHistory));
    platform::SetWindowSizeLimits(WindowMain, 1080, 668, width, height - 20);
    ApplyStartupScreenMode();
    platform::SetFrameRate(static_cast<int>(Game.RefreshRate));
    return true;
}

}  // namespace

bool OpenLoadingWindow() {
    if (!platform::OpenWindow(WindowLoading, 0, 0, LoadingWidth, LoadingHeight, "Nebulor",
                              platform::WindowBorderless | platform::WindowCentered))
        return StartupFailure("Can't open Loading Window");
    platform::AddKeyboardShortcut(WindowLoading, platform::KeyEscape, CommandEscape);
    return true;
}

bool StartupFailure(const char* text) {
    platform::MessageBox("Nebulor", text);
    return false;
}

bool Startup() {
    if (!platform::InitWindowSystem()) {
        // No display to show anything on: said where a terminal sees it.
        fputs("Can't open Main Window\n", stderr);
        gNoDisplay = true;
        return false;
    }
    InitGameState(platform::ElapsedMilliseconds(), platform::DesktopRefreshRate());
    if (!platform::CreateInstanceLock("Nebulor")) {
        platform::MessageBox("", "Nebulor 2 Already started");
        return false;
    }
    LoadSettings();  // also loads the save data
    FillTextTable(Game.Language);
    // The history settles what a crash left open and stands in for a damaged save.
    const std::string recovery = StartAccountKeeping(SaveLoadState());
    if (!recovery.empty()) platform::MessageBox("Nebulor", recovery);
    // The pictures decode on helper threads while the loading window shows;
    // they are created, in their order, once the main screen is open.
    StartDecodingPictures();
    if (!ShowLoadingWindow()) return false;
    if (!OpenMainWindow()) return false;
    platform::OpenCryptRandom();
    // With the main screen open: its fonts, every picture (one that cannot be
    // created ends the start), then the reels.
    if (!LoadFonts()) return false;
    ForgetDecodedAtlases();
    if (!LoadPictures()) return false;
    SetupReels();
    platform::RemoveKeyboardShortcut(WindowMain, platform::KeyEscape);
    // The screen holds the pointer from the start; the game draws its own.
    platform::ReleaseMouse(false);
    platform::ExamineMouse();
    platform::SetScreenSaverEnabled(false);
    Game.GamePhase = PhaseReady;
    Game.AllReelsStopped = 0;
    platform::ShowWindowNormal(WindowMain);
    ShowPaylineDemo();
    Game.Paylines = 0;
    Game.WinDisplayBlocked = 1;
    return true;
}

void Shutdown() {
    SettleAccountsForSave();  // nothing the player had in play is lost by quitting
    FinishAccountKeeping();   // the last game's line, then the writer stops
    platform::CloseScreen();
    if (platform::WindowExists(WindowMain)) platform::CloseWindow(WindowMain);
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
    WriteAccountInline(false);  // the disk's pace never holds up a frame
    bool restart = false;
    if (Startup()) {
        RunMainLoop();
        Shutdown();
        restart = Game.RestartAfterQuit == 1;
    }
    FinishAccountKeeping();  // a start that failed leaves the writer waiting
    EndProgram(restart);
    // Every end is a normal one, but a start without a display: whoever
    // launched the game from a script or a session that lost its display
    // learns that nothing was shown.
    return gNoDisplay ? 1 : 0;
}
