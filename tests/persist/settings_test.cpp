#include "persist/settings.h"

#include <filesystem>
#include <string>
#include <vector>

#include "persist/preferences.h"
#include "persist/save_file.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"

namespace {

class SettingsTest : public GameTest {
protected:
    std::string SettingsPath() { return appData + "Dax-Fenno/Nebulor v2.5/Settings.dat"; }

    void WriteSettings(const std::string& text) {
        std::filesystem::create_directories(appData + "Dax-Fenno/Nebulor v2.5");
        ASSERT_TRUE(platform::WriteWholeFile(SettingsPath(), reinterpret_cast<const uint8_t*>(text.data()),
                                             text.size()));
    }
    std::string SettingsText() {
        std::vector<uint8_t> bytes;
        platform::ReadWholeFile(SettingsPath(), bytes);
        return std::string(bytes.begin(), bytes.end());
    }
};

}  // namespace

TEST_F(SettingsTest, FolderIsMadeBelowTheUserDataFolder) {
    EXPECT_EQ(SettingsFolder(), appData + "Dax-Fenno/Nebulor v2.5/");
    EXPECT_TRUE(std::filesystem::is_directory(appData + "Dax-Fenno/Nebulor v2.5"));
    Game.MakerName = "";
    EXPECT_EQ(SettingsFolder(), appData + "Nebulor v2.5/");
    setenv("APPDATA", "/proc/no-such-folder", 1);
    EXPECT_EQ(SettingsFolder(), "");
    EXPECT_EQ(SettingsFilePath(), "Settings.dat");
}

TEST_F(SettingsTest, FirstStartWarnsOnceAndWritesDefaultsButPlaysInGerman) {
    Game.GraphicsOn = 0;
    Game.MusicVolume = 3;
    LoadSettings();
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].title, "Error");
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Settings not found! Load Defaults");
    EXPECT_EQ(Game.MusicVolume, 50);
    EXPECT_EQ(Game.EffectsVolume, 60);
    EXPECT_EQ(Game.IntroOn, 1);
    EXPECT_EQ(Game.FunMode, 0);
    EXPECT_EQ(Game.GraphicsOn, 1);
    EXPECT_EQ(Game.Language, 0);
    EXPECT_EQ(SettingsText(),
              "[Options]\r\nSoundMusik = 50\r\nSoundSFX = 60\r\nIntro = 1\r\nFunmodus = 0\r\nGrafik = "
              "1\r\nLang = 1\r\n"
              "Vollbild = 0\r\nSkalieren = 0\r\n");
    // The save data came along: a new player.
    EXPECT_EQ(Game.Points, 1000);
    EXPECT_GT(platform::FileSize(SaveFilePath()), 0);

    // The next start reads the file: no message, and the file's English.
    InitGameState(0, 0);
    LoadSettings();
    EXPECT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(Game.Language, 1);
}

TEST_F(SettingsTest, ValuesAreReadFromTheOptionsGroup) {
    WriteSettings(
        "[Options]\r\nSoundMusik = 15\r\nSoundSFX=85\r\nIntro = 0\r\nFunmodus = 1\r\nGrafik = 0\r\nLang = "
        "1\r\n");
    LoadSettings();
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_EQ(Game.MusicVolume, 15);
    EXPECT_EQ(Game.EffectsVolume, 85);
    EXPECT_EQ(Game.IntroOn, 0);
    EXPECT_EQ(Game.FunMode, 1);
    EXPECT_EQ(Game.GraphicsOn, 0);
    EXPECT_EQ(Game.Language, 1);
}

TEST_F(SettingsTest, GraphicsSwitchIsReadAsText) {
    struct Case {
        const char* line;
        int64_t graphics;
    } cases[] = {
        {"Grafik = 2\r\n", 1}, {"Grafik = 1\r\n", 1}, {"Grafik = 0\r\n", 0}, {"Grafik = on\r\n", 1}, {"", 0}};
    for (const Case& c : cases) {
        WriteSettings(std::string("[Options]\r\nSoundMusik = 50\r\n") + c.line);
        Game.GraphicsOn = 7;
        LoadSettings();
        EXPECT_EQ(Game.GraphicsOn, c.graphics) << c.line;
    }
}

TEST_F(SettingsTest, FileWithoutTheGroupChangesNothing) {
    WriteSettings("[Sound]\r\nSoundMusik = 5\r\nLang = 1\r\n");
    LoadSettings();
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_EQ(Game.MusicVolume, 50);
    EXPECT_EQ(Game.Language, 0);
    EXPECT_EQ(Game.GraphicsOn, 1);
    EXPECT_EQ(Game.IntroOn, 1);
}

TEST_F(SettingsTest, OddValuesCannotUnsettleTheGame) {
    WriteSettings(
        "[Options]\r\nSoundMusik = 250\r\nSoundSFX = -40\r\nIntro = yes\r\nFunmodus = 3\r\nLang = "
        "7\r\nGrafik = \r\n");
    LoadSettings();
    EXPECT_EQ(Game.MusicVolume, 250);  // taken as stored; the sound layer clamps where it plays
    EXPECT_EQ(Game.EffectsVolume, -40);
    EXPECT_EQ(Game.IntroOn, 1);  // text: the key's default
    EXPECT_EQ(Game.FunMode, 1);  // flags are 0 or 1 inside the game
    EXPECT_EQ(Game.Language, 1);
    EXPECT_EQ(Game.GraphicsOn, 1);  // an empty text is neither "0" nor missing
}

TEST_F(SettingsTest, SavingWritesTheSaveDataThenTheSixKeysInOrder) {
    WriteSettings("[Window]\r\nX = 3\r\n[Options]\r\nLang = 1\r\nCustom = keep\r\nSoundMusik = 1\r\n");
    LoadSettings();
    Game.MusicVolume = 40;
    Game.EffectsVolume = 0;
    Game.IntroOn = 1;
    Game.FunMode = 1;
    Game.GraphicsOn = 1;
    Game.Language = 0;
    Game.Points = 4242;
    SaveSettings();
    EXPECT_EQ(
        SettingsText(),
        "[Window]\r\nX = 3\r\n[Options]\r\nSoundMusik = 40\r\nSoundSFX = 0\r\nIntro = 1\r\nFunmodus = 1\r\n"
        "Grafik = 1\r\nLang = 0\r\nVollbild = 0\r\nSkalieren = 0\r\nCustom = keep\r\n");
    InitGameState(0, 0);
    LoadSettings();
    EXPECT_EQ(Game.Points, 4242);
    EXPECT_EQ(Game.FunMode, 1);
}

TEST_F(SettingsTest, ScreenModesAreKeptAfterTheSixKeysAndAFileWithoutThemReadsWindowed) {
    // A file of the older format: no key, a window.
    WriteSettings(
        "[Options]\r\nSoundMusik = 50\r\nSoundSFX = 60\r\nIntro = 1\r\nFunmodus = 0\r\nGrafik = 1\r\n"
        "Lang = 1\r\n");
    Game.Fullscreen = 1;
    Game.ScaleWindow = 1;
    LoadSettings();
    EXPECT_EQ(Game.Fullscreen, 0);
    EXPECT_EQ(Game.ScaleWindow, 0);
    Game.Fullscreen = 1;
    Game.ScaleWindow = 1;
    SaveSettings();
    const std::string text = SettingsText();
    EXPECT_NE(text.find("Lang = 1\r\nVollbild = 1\r\nSkalieren = 1\r\n"), std::string::npos) << text;
    InitGameState(0, 0);
    LoadSettings();
    EXPECT_EQ(Game.Fullscreen, 1);
    EXPECT_EQ(Game.ScaleWindow, 1);
    EXPECT_EQ(Game.Language, 1);
    // What an older reader sees: the six keys first, the new ones after them.
    std::vector<uint8_t> bytes(text.begin(), text.end());
    const Preferences read = ParsePreferences(bytes.data(), bytes.size());
    const PreferenceGroup* options = FindPreferenceGroup(read, "Options");
    ASSERT_NE(options, nullptr);
    const char* const sixKeys[] = {"SoundMusik", "SoundSFX", "Intro", "Funmodus", "Grafik", "Lang"};
    for (size_t i = 0; i < 6; ++i) {
        ASSERT_GT(options->entries.size(), i);
        EXPECT_EQ(options->entries[i].key, sixKeys[i]);
    }
    // Any value other than 0 means fullscreen, as for the other flags.
    WriteSettings("[Options]\r\nVollbild = 2\r\n");
    LoadSettings();
    EXPECT_EQ(Game.Fullscreen, 1);
}

TEST_F(SettingsTest, SettingsThatCannotBeWrittenAreSkippedSilently) {
    // A folder where the file should be: it can be neither read nor replaced.
    std::filesystem::create_directories(SettingsPath());
    Game.Points = 3131;
    SaveSettings();
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_TRUE(std::filesystem::is_directory(SettingsPath()));
    EXPECT_FALSE(std::filesystem::exists(SettingsPath() + ".tmp"));
    // The save data before it was written all the same.
    LoadSaveData();
    EXPECT_EQ(Game.Points, 3131);
}

TEST_F(SettingsTest, IntroNoteOnlyTouchesTheOptionsGroup) {
    WriteIntroPlayed();  // no file: nothing is made
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    WriteSettings("[Options]\r\nSoundMusik = 50\r\nIntro = 1\r\nLang = 1\r\n");
    WriteIntroPlayed();
    EXPECT_EQ(SettingsText(), "[Options]\r\nSoundMusik = 50\r\nIntro = 0\r\nLang = 1\r\n");
    WriteSettings("[Other]\r\nIntro = 1\r\n");
    WriteIntroPlayed();
    EXPECT_EQ(SettingsText(), "[Other]\r\nIntro = 1\r\n");
}
