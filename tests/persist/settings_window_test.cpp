#include "persist/settings_window.h"

#include <string>
#include <vector>

#include "assets/catalogue_numbers.h"
#include "core/main_loop.h"
#include "core/startup.h"
#include "core/text_table.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"

namespace {

class SettingsWindowTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        FillTextTable(0);
        OpenMainWindowForTest();
    }

    void ChooseSettingsFromTheMenu() {
        headless::PushEvent(platform::Event{platform::EventKind::Menu, 0, 1});
        RunFrames(1);
    }
};

}  // namespace

TEST_F(SettingsWindowTest, MenuOpensTheWindowWithTheCurrentSettings) {
    Game.MusicVolume = 35;
    Game.EffectsVolume = 140;  // out of the slider's range: shown at its end
    Game.IntroOn = 0;
    Game.FunMode = 1;
    Game.Language = 1;
    Game.Fullscreen = 1;
    ChooseSettingsFromTheMenu();
    ASSERT_TRUE(platform::WindowExists(WindowSettings));
    EXPECT_EQ(Game.SettingsWindowOpen, 1);
    EXPECT_EQ(platform::WindowTitle(WindowSettings), "Settings");
    EXPECT_EQ(platform::WindowClientWidth(WindowSettings), 240);
    EXPECT_EQ(platform::WindowClientHeight(WindowSettings), 200);
    const std::vector<std::pair<int, std::string>> labels = {{GadgetMusicLabel, "Lautst\xe4rke Musik"},
                                                             {GadgetEffectsLabel, "Lautst\xe4rke Effekte"},
                                                             {GadgetIntro, "Intro"},
                                                             {GadgetFunMode, "Fun Modus"},
                                                             {GadgetOk, "OK"},
                                                             {GadgetLanguageLabel, "Language:"},
                                                             {GadgetGerman, "German"},
                                                             {GadgetEnglish, "English"},
                                                             {GadgetFullscreen, "Fullscreen"},
                                                             {GadgetScaleWindow, "Scale window"}};
    for (const auto& [gadget, label] : labels) {
        EXPECT_EQ(headless::GadgetText(gadget), label);
        EXPECT_EQ(headless::GadgetWindow(gadget), WindowSettings);
    }
    EXPECT_EQ(platform::GetGadgetState(GadgetMusicVolume), 35);
    EXPECT_EQ(platform::GetGadgetState(GadgetEffectsVolume), 100);
    EXPECT_EQ(platform::GetGadgetState(GadgetIntro), 0);
    EXPECT_EQ(platform::GetGadgetState(GadgetFunMode), 1);
    EXPECT_EQ(platform::GetGadgetState(GadgetGerman), 0);
    EXPECT_EQ(platform::GetGadgetState(GadgetEnglish), 1);
    EXPECT_EQ(platform::GetGadgetState(GadgetFullscreen), 1);
    EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(SettingsWindowTest, OkTakesTheGadgetsAndEndsTheGame) {
    ChooseSettingsFromTheMenu();
    platform::SetGadgetState(GadgetMusicVolume, 20);
    platform::SetGadgetState(GadgetEffectsVolume, 90);
    platform::SetGadgetState(GadgetIntro, 0);
    platform::SetGadgetState(GadgetFunMode, 1);
    platform::SetGadgetState(GadgetEnglish, 1);
    platform::SetGadgetState(GadgetFullscreen, 1);
    platform::SetGadgetState(GadgetScaleWindow, 1);
    EXPECT_EQ(platform::GetGadgetState(GadgetGerman), 0);  // one group
    EXPECT_EQ(Game.MusicVolume, 50);                       // nothing changes before "OK"

    headless::PushEvent(platform::Event{platform::EventKind::Gadget, WindowSettings, GadgetOk});
    RunFrames(1);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].title, "Info");
    EXPECT_EQ(headless::MessageBoxes()[0].text, "the game restarts to complete the procedure.");
    EXPECT_EQ(Game.MusicVolume, 20);
    EXPECT_EQ(Game.EffectsVolume, 90);
    EXPECT_EQ(Game.IntroOn, 0);
    EXPECT_EQ(Game.FunMode, 1);
    EXPECT_EQ(Game.Language, 1);
    EXPECT_FALSE(platform::WindowExists(WindowSettings));
    EXPECT_EQ(Game.SettingsWindowOpen, 0);
    EXPECT_EQ(Game.GamePhase, PhaseQuit);
    EXPECT_TRUE(MainLoopFinished());

    // The normal shutdown saves them for the next start.
    Shutdown();
    InitGameState(0, 0);
    LoadSettings();
    EXPECT_EQ(Game.MusicVolume, 20);
    EXPECT_EQ(Game.EffectsVolume, 90);
    EXPECT_EQ(Game.IntroOn, 0);
    EXPECT_EQ(Game.FunMode, 1);
    EXPECT_EQ(Game.Language, 1);
    EXPECT_EQ(Game.Fullscreen, 1);
    EXPECT_EQ(Game.ScaleWindow, 1);
}

TEST_F(SettingsWindowTest, CloseBoxChangesNothing) {
    ChooseSettingsFromTheMenu();
    platform::SetGadgetState(GadgetMusicVolume, 5);
    platform::SetGadgetState(GadgetEnglish, 1);
    headless::PushEvent(platform::Event{platform::EventKind::CloseWindow, WindowSettings, 0});
    RunFrames(1);
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].title, "Info");
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Settings not saved!");
    EXPECT_FALSE(platform::WindowExists(WindowSettings));
    EXPECT_EQ(Game.SettingsWindowOpen, 0);
    EXPECT_EQ(Game.MusicVolume, 50);
    EXPECT_EQ(Game.Language, 0);
    EXPECT_NE(Game.GamePhase, PhaseQuit);
    EXPECT_TRUE(platform::WindowExists(0));  // the game plays on

    // Opened again, it shows the unchanged settings.
    ChooseSettingsFromTheMenu();
    EXPECT_EQ(platform::GetGadgetState(GadgetMusicVolume), 50);
    EXPECT_EQ(platform::GetGadgetState(GadgetGerman), 1);
    EXPECT_EQ(headless::GadgetText(GadgetFullscreen), "Vollbild");  // in the game's language
    EXPECT_EQ(headless::GadgetText(GadgetScaleWindow), "Fenster skalieren");
    EXPECT_EQ(platform::GetGadgetState(GadgetFullscreen), 0);
}

TEST_F(SettingsWindowTest, ChoosingTheMenuAgainKeepsTheOpenWindowAsItIs) {
    ChooseSettingsFromTheMenu();
    platform::SetGadgetState(GadgetMusicVolume, 77);
    ChooseSettingsFromTheMenu();
    EXPECT_EQ(platform::GetGadgetState(GadgetMusicVolume), 77);
    EXPECT_EQ(Game.SettingsWindowOpen, 1);
}
