#include "core/startup.h"

#include <cstdlib>
#include <filesystem>

#include "core/main_loop.h"
#include "persist/save_file.h"
#include "persist/settings.h"
#include "persist/settings_window.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"

using StartupTest = GameTest;

namespace {
std::string LastBoxText() {
    const auto& boxes = headless::MessageBoxes();
    return boxes.empty() ? std::string() : boxes.back().title + "|" + boxes.back().text;
}
}  // namespace

TEST_F(StartupTest, SecondCopyIsRefusedWithAnUntitledBox) {
    headless::SetOtherInstanceRunning(true);
    EXPECT_FALSE(Startup());
    EXPECT_EQ(LastBoxText(), "|Nebulor 2 Already started");
    EXPECT_FALSE(platform::WindowExists(0));
    EXPECT_TRUE(headless::ScreenSaverEnabled());
}

TEST_F(StartupTest, EachFailureShowsItsMessageAndEndsBeforeTheScreenSaverIsTouched) {
    struct Case {
        headless::Service service;
        const char* text;
    } cases[] = {
        {headless::Service::Keyboard, "Can't open DirectX 7-9"},
        {headless::Service::Sprite, "Can't open DirectX 7-9"},
        {headless::Service::Mouse, "Can't open DirectX 7-9"},
        {headless::Service::Sound, "Can't open DirectX 7-9"},
        {headless::Service::Movie, "Can't open DirectX 7-9"},
        {headless::Service::Window3, "Can't open Loading Window"},
        {headless::Service::Window0, "Can't open Main Window"},
        {headless::Service::Screen, "Can't open Loading Window"},
    };
    SaveSettings();  // a settings file exists: the failure is the only message
    for (const Case& c : cases) {
        headless::Reset();
        headless::FailService(c.service);
        EXPECT_FALSE(Startup());
        EXPECT_EQ(LastBoxText(), std::string("Nebulor|") + c.text);
        EXPECT_TRUE(headless::ScreenSaverEnabled());
        EXPECT_EQ(headless::MessageBoxes().size(), 1u);
    }
}

TEST_F(StartupTest, MissingMenuIsNoError) {
    headless::FailService(headless::Service::Menu);
    EXPECT_TRUE(Startup());
    EXPECT_TRUE(platform::WindowExists(0));
}

TEST_F(StartupTest, StartupReachesTheLoopWithItsInitialState) {
    ASSERT_TRUE(Startup());
    EXPECT_EQ(Game.GamePhase, PhaseReady);
    EXPECT_EQ(Game.Paylines, 0);
    EXPECT_EQ(Game.WinDisplayBlocked, 1);
    EXPECT_FALSE(headless::ScreenSaverEnabled());
    EXPECT_FALSE(platform::WindowExists(3));
    EXPECT_EQ(platform::WindowClientWidth(0), 1280);
    EXPECT_EQ(platform::WindowClientHeight(0), 748);
    EXPECT_EQ(headless::FrameRateCap(), 60);  // the headless desktop reports no rate
    EXPECT_EQ(platform::WindowTitle(0).rfind("Nebulor v2.5 - Punkte: ", 0), 0u);

    headless::PressKey(platform::KeyEscape);
    RunFrames(1);
    headless::ReleaseKey(platform::KeyEscape);
    RunFrames(1);
    EXPECT_TRUE(MainLoopFinished());
    Shutdown();
    EXPECT_TRUE(headless::ScreenSaverEnabled());
    EXPECT_FALSE(platform::WindowExists(0));
}

TEST_F(StartupTest, AppDataUnsetOrUnwritableStillStarts) {
    // Without APPDATA the XDG data folder serves, created when missing.
    unsetenv("APPDATA");
    setenv("XDG_DATA_HOME", (appData + "xdg/share").c_str(), 1);
    EXPECT_TRUE(Startup());
    EXPECT_TRUE(std::filesystem::exists(appData + "xdg/share/Dax-Fenno/Nebulor v2.5/Settings.dat"));
    EXPECT_TRUE(std::filesystem::exists(appData + "xdg/share/Dax-Fenno/Nebulor v2.5/Nebulor.Dat"));
    unsetenv("XDG_DATA_HOME");

    // A folder that cannot be made: the files go by their bare names into the working folder.
    headless::Reset();
    setenv("APPDATA", "/proc/no-such-folder", 1);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::create_directories(appData + "work");
    std::filesystem::current_path(appData + "work");
    const bool started = Startup();
    const bool settingsHere = std::filesystem::exists("Settings.dat");
    const bool saveHere = std::filesystem::exists("Nebulor.Dat");
    std::filesystem::current_path(previous);
    EXPECT_TRUE(started);
    EXPECT_TRUE(settingsHere);
    EXPECT_TRUE(saveHere);
}

TEST_F(StartupTest, ConfirmedSettingsStartTheGameAgainAfterTheSaveAndClosingDoesNot) {
    for (bool confirm : {true, false}) {
        headless::Reset();
        InitGameState(0, 0);
        std::filesystem::remove(SaveFilePath());
        ASSERT_TRUE(Startup());
        if (confirm) {
            headless::PushEvent({platform::EventKind::Menu, 0, 1});
            headless::PushEvent({platform::EventKind::Gadget, WindowSettings, GadgetOk});
        } else {
            headless::PushEvent({platform::EventKind::CloseWindow, 0, 0});
        }
        RunMainLoop();
        Shutdown();
        EXPECT_EQ(Game.RestartAfterQuit, confirm ? 1 : 0) << confirm;
        EndProgram(Game.RestartAfterQuit == 1);
        EXPECT_EQ(headless::RestartCount(), confirm ? 1 : 0) << confirm;
        // The new start finds what the old one saved.
        EXPECT_GE(platform::FileSize(SaveFilePath()), 24) << confirm;
    }
}
