#include "tests/support/test_game.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "assets/embedded.h"
#include "assets/pictures.h"
#include "core/main_loop.h"
#include "platform/platform.h"
#include "ui/layout.h"

void GameTest::SetUp() {
    headless::Reset();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // One folder per process and test: ctest runs tests side by side, and other
    // builds on the machine may run the same test at the same moment.
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests: "Suite/Test.Name/0"
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("nebulor-tests-" + std::to_string(getpid())) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    appData = folder.string() + "/";
    setenv("APPDATA", appData.c_str(), 1);
    // Thousands of games are written per test: the test folder need not
    // survive a power cut.
    platform::SetDurableWrites(false);
    InitGameState(platform::ElapsedMilliseconds(), 0);
    // Every start-up loads all pictures, fonts and sounds: decode them once per test program.
    KeepDecodedAssets(true);
    ClearPictureReplacements();
}

void GameTest::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(appData, ignored);
    // The process's folder goes with its last test.
    std::filesystem::remove(std::filesystem::path(appData).parent_path().parent_path(), ignored);
}

int PercentX(float percent) { return static_cast<int>(LayoutX(percent)); }
int PercentY(float percent) { return static_cast<int>(LayoutY(percent)); }

void OpenMainWindowForTest() {
    platform::OpenWindow(0, 0, 0, 1280, 768, "Nebulor", platform::WindowCaptioned);
    platform::OpenScreen(0, 0, 0, 1280, 768);
    platform::SetWindowSizeLimits(0, 1080, 668, 1280, 748);
}

void RunFrames(int frames) {
    for (int i = 0; i < frames; ++i) RunMainLoopPass();
}

void ClickAt(int x, int y) {
    headless::SetMouse(x, y);
    headless::SetMouseButton(true);
    RunMainLoopPass();
    headless::SetMouseButton(false);
    RunMainLoopPass();
}

int CentreX(float x1, float x2) { return (PercentX(x1) + PercentX(x2)) / 2; }
int CentreY(float y1, float y2) { return (PercentY(y1) + PercentY(y2)) / 2; }
