#include "core/intro_movie.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/main_loop.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "tests/platform/movie_maker.h"
#include "tests/support/test_game.h"

namespace {

constexpr int Movie = 22;

// Runs each test inside its own working folder, where "Intro.mpg" is looked for.
class IntroMovieTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::create_directories(appData + "work");
        std::filesystem::current_path(appData + "work");
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        GameTest::TearDown();
    }
    void WriteIntro() { ASSERT_TRUE(WriteTestMovie("Intro.mpg", 64, 48, 10, false)); }
    // A settings file with the intro on, as a player who never switched it off has.
    void WriteSettingsWithIntro() {
        SaveSettings();
        ASSERT_NE(SettingsText().find("Intro = 1"), std::string::npos);
    }
    std::string SettingsText() {
        std::vector<uint8_t> bytes;
        platform::ReadWholeFile(SettingsFilePath(), bytes);
        return std::string(bytes.begin(), bytes.end());
    }
    // Events that are not for the intro: each costs one pass of the wait (10 ms).
    void QueueIdleEvents(int count) {
        for (int i = 0; i < count; ++i)
            headless::PushEvent(platform::Event{platform::EventKind::Other, 3, 0});
    }
    std::filesystem::path previous;
};

}  // namespace

TEST_F(IntroMovieTest, EscapeEndsTheIntroAndTheLoadingWindowComesBack) {
    WriteIntro();
    WriteSettingsWithIntro();
    ASSERT_TRUE(OpenLoadingWindow());
    QueueIdleEvents(10);
    headless::PushEvent(platform::Event{platform::EventKind::Menu, 3, 15});
    const int64_t start = headless::Clock();
    ASSERT_TRUE(ShowIntroMovie());
    EXPECT_EQ(headless::Clock() - start, 100);
    EXPECT_FALSE(headless::MovieState(Movie).loaded);  // stopped and freed
    EXPECT_EQ(platform::WindowClientWidth(3), 400);
    EXPECT_EQ(platform::WindowClientHeight(3), 200);
    EXPECT_NE(SettingsText().find("Intro = 0"), std::string::npos);
    EXPECT_EQ(Game.IntroOn, 1);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(IntroMovieTest, PlaysFullScreenInTheLoadingWindowUntilTheTimeIsUp) {
    WriteIntro();
    ASSERT_TRUE(OpenLoadingWindow());
    ASSERT_TRUE(platform::LoadMovie(Movie, "Intro.mpg"));
    platform::ResizeWindow(3, 0, 0, platform::DesktopWidth(), platform::DesktopHeight());
    platform::ResizeMovie(Movie, 0, 0, platform::DesktopWidth(), platform::DesktopHeight());
    platform::PlayMovie(Movie, 3);
    const headless::MovieRecord playing = headless::MovieState(Movie);
    EXPECT_TRUE(playing.playing);
    EXPECT_EQ(playing.window, 3);
    EXPECT_EQ(playing.w, 1920);
    EXPECT_EQ(playing.h, 1080);

    const int64_t start = headless::Clock();
    EXPECT_TRUE(WaitForIntroMovie(start));
    const int64_t waited = headless::Clock() - start;
    EXPECT_GT(waited, 22000);
    EXPECT_LE(waited, 22010);
    EXPECT_FALSE(headless::MovieState(Movie).playing);
    EXPECT_EQ(headless::MovieState(Movie).stops, 1);
}

TEST_F(IntroMovieTest, ClosingTheWindowEndsTheProgramWithoutSaving) {
    WriteIntro();
    WriteSettingsWithIntro();
    headless::PushEvent(platform::Event{platform::EventKind::CloseWindow, 3, 0});
    EXPECT_FALSE(Startup());
    EXPECT_EQ(headless::MovieState(Movie).stops, 1);
    EXPECT_FALSE(platform::WindowExists(0));
    EXPECT_TRUE(headless::ScreenSaverEnabled());
    EXPECT_TRUE(headless::MessageBoxes().empty());
    // Only the intro note reached the settings file: a shutdown would have
    // written the running game's "Intro = 1" back.
    EXPECT_NE(SettingsText().find("Intro = 0"), std::string::npos);
}

TEST_F(IntroMovieTest, MissingOrBrokenFilesAreSkippedSilently) {
    WriteSettingsWithIntro();
    ASSERT_TRUE(OpenLoadingWindow());
    const int64_t start = headless::Clock();
    ASSERT_TRUE(ShowIntroMovie());  // no file
    EXPECT_EQ(headless::Clock(), start);
    EXPECT_NE(SettingsText().find("Intro = 0"), std::string::npos);  // noted all the same

    std::ofstream("Intro.mpg") << "not a movie";
    ASSERT_TRUE(ShowIntroMovie());
    EXPECT_EQ(headless::Clock(), start);
    EXPECT_FALSE(headless::MovieState(Movie).loaded);
    EXPECT_EQ(platform::WindowClientWidth(3), 400);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

// An installed game: PREFIX/games/nebulor with PREFIX/share/nebulor/Intro.mpg.
// The window is closed during the intro, so the movie stays loaded to look at.
TEST_F(IntroMovieTest, TheIntroInstalledBesideTheProgramPlaysWhenTheWorkingFolderHasNone) {
    const std::string prefix = appData + "prefix with spaces/";
    std::filesystem::create_directories(prefix + "games");
    std::filesystem::create_directories(prefix + "share/nebulor");
    ASSERT_TRUE(WriteTestMovie(prefix + "share/nebulor/Intro.mpg", 32, 24, 10, false));
    headless::SetProgramFolder(prefix + "games/");
    ASSERT_TRUE(OpenLoadingWindow());
    headless::PushEvent(platform::Event{platform::EventKind::CloseWindow, 3, 0});
    EXPECT_FALSE(ShowIntroMovie());
    const headless::MovieRecord installed = headless::MovieState(Movie);
    ASSERT_TRUE(installed.loaded);
    EXPECT_TRUE(std::filesystem::equivalent(installed.path, prefix + "share/nebulor/Intro.mpg"))
        << installed.path;
    EXPECT_EQ(installed.width, 32);
    EXPECT_EQ(installed.window, 3);

    // A movie in the working folder comes first.
    WriteIntro();
    platform::FreeMovie(Movie);
    ASSERT_TRUE(OpenLoadingWindow());
    headless::PushEvent(platform::Event{platform::EventKind::CloseWindow, 3, 0});
    EXPECT_FALSE(ShowIntroMovie());
    EXPECT_EQ(headless::MovieState(Movie).path, "Intro.mpg");
    EXPECT_EQ(headless::MovieState(Movie).width, 64);
}

TEST_F(IntroMovieTest, WithoutAnInstalledIntroOrAKnownProgramFolderNothingPlays) {
    WriteSettingsWithIntro();
    ASSERT_TRUE(OpenLoadingWindow());
    headless::SetProgramFolder(appData + "games/");  // no share/nebulor beside it
    ASSERT_TRUE(ShowIntroMovie());
    headless::SetProgramFolder("");  // the system could not tell
    ASSERT_TRUE(ShowIntroMovie());
    EXPECT_FALSE(headless::MovieState(Movie).loaded);
    EXPECT_EQ(platform::WindowClientWidth(3), 400);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(IntroMovieTest, IntroSwitchedOffLeavesFileAndSettingsAlone) {
    WriteIntro();
    SaveSettings();
    Game.IntroOn = 0;
    SaveSettings();
    const std::string before = SettingsText();
    ASSERT_TRUE(OpenLoadingWindow());
    ASSERT_TRUE(ShowIntroMovie());
    EXPECT_FALSE(headless::MovieState(Movie).loaded);
    EXPECT_EQ(SettingsText(), before);
}

TEST_F(IntroMovieTest, LoadingWindowThatCannotReopenEndsStartup) {
    WriteIntro();
    ASSERT_TRUE(OpenLoadingWindow());
    headless::PushEvent(platform::Event{platform::EventKind::Menu, 3, 15});
    headless::FailService(headless::Service::Window3);
    EXPECT_FALSE(ShowIntroMovie());
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Can't open Loading Window");
}

TEST_F(IntroMovieTest, TheEscapeThatSkipsTheIntroDoesNotQuitTheGame) {
    WriteIntro();
    WriteSettingsWithIntro();
    headless::PressKey(platform::KeyEscape);
    const int64_t start = headless::Clock();
    ASSERT_TRUE(Startup());
    EXPECT_LT(headless::Clock() - start, 1000);  // skipped at once
    EXPECT_NE(SettingsText().find("Intro = 0"), std::string::npos);
    RunFrames(2);
    headless::ReleaseKey(platform::KeyEscape);
    RunFrames(2);
    EXPECT_FALSE(MainLoopFinished());

    // A fresh press and release in the game is the developer key again.
    headless::PressKey(platform::KeyEscape);
    RunFrames(1);
    headless::ReleaseKey(platform::KeyEscape);
    RunFrames(1);
    EXPECT_TRUE(MainLoopFinished());
}
