#include "persist/settings.h"

#include <array>
#include <cstdint>
#include <vector>

#include "core/game_state.h"
#include "persist/preferences.h"
#include "persist/save_file.h"
#include "persist/user_folder.h"
#include "platform/platform.h"

namespace {

const char* const OptionsGroup = "Options";
const char* const SettingsFileName = "Settings.dat";

// Flags are 0 or 1 inside the game whatever the file holds, so that every
// test of a flag against 0 or 1 agrees.
int64_t Flag(int64_t value) { return value != 0 ? 1 : 0; }

int64_t ReadNumber(const PreferenceGroup& group, const char* key, int64_t fallback) {
    const std::string* value = FindPreference(group, key);
    return value ? DecimalValue(*value, fallback) : fallback;
}

void ReadOptions(const PreferenceGroup& options) {
    // Volumes are taken as stored; the sound layer clamps them where it plays.
    Game.MusicVolume = ReadNumber(options, "SoundMusik", 50);
    Game.EffectsVolume = ReadNumber(options, "SoundSFX", 60);
    Game.IntroOn = Flag(ReadNumber(options, "Intro", 1));
    Game.FunMode = Flag(ReadNumber(options, "Funmodus", 0));
    Game.Language = Flag(ReadNumber(options, "Lang", 0));
    // The graphics switch is read as text: "0" (or no key) is off, anything else on.
    const std::string* graphics = FindPreference(options, "Grafik");
    const std::string text = graphics ? *graphics : "0";
    Game.GraphicsOn = text == "0" ? 0 : 1;
    Game.Fullscreen = Flag(ReadNumber(options, "Vollbild", 0));
    Game.ScaleWindow = Flag(ReadNumber(options, "Skalieren", 0));
}

bool ReadPreferencesFile(const std::string& path, Preferences& preferences) {
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes)) return false;
    preferences = ParsePreferences(bytes.data(), bytes.size());
    return true;
}

bool WritePreferencesFile(const std::string& path, const Preferences& preferences) {
    const std::string text = FormatPreferences(preferences);
    return platform::WriteWholeFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

// The "Options" group with the six keys in their order, "Vollbild" and
// "Skalieren" after them (older readers skip keys they do not know), then any
// other keys it held.
void PutOptions(Preferences& preferences, const std::array<PreferenceEntry, 8>& values) {
    PreferenceGroup* options = FindPreferenceGroup(preferences, OptionsGroup);
    if (!options) {
        preferences.groups.push_back(PreferenceGroup{OptionsGroup, {}});
        options = &preferences.groups.back();
    }
    std::vector<PreferenceEntry> entries(values.begin(), values.end());
    for (const PreferenceEntry& entry : options->entries) {
        bool ours = false;
        for (const PreferenceEntry& value : values) ours = ours || value.key == entry.key;
        if (!ours) entries.push_back(entry);
    }
    options->entries = std::move(entries);
}

std::array<PreferenceEntry, 8> OptionValues(int64_t music, int64_t effects, int64_t intro, int64_t fun,
                                            int64_t graphics, int64_t language, int64_t fullscreen,
                                            int64_t scaled) {
    return {{{"SoundMusik", std::to_string(music)},
             {"SoundSFX", std::to_string(effects)},
             {"Intro", std::to_string(intro)},
             {"Funmodus", std::to_string(fun)},
             {"Grafik", std::to_string(graphics)},
             {"Lang", std::to_string(language)},
             {"Vollbild", std::to_string(fullscreen)},
             {"Skalieren", std::to_string(scaled)}}};
}

}  // namespace

std::string SettingsFilePath() { return SettingsFolder() + SettingsFileName; }

void LoadSettings() {
    const std::string path = SettingsFilePath();
    Preferences preferences;
    if (ReadPreferencesFile(path, preferences)) {
        if (const PreferenceGroup* options = FindPreferenceGroup(preferences, OptionsGroup))
            ReadOptions(*options);
    } else {
        platform::MessageBox("Error", "Settings not found! Load Defaults");
        Game.MusicVolume = 50;
        Game.EffectsVolume = 60;
        Game.IntroOn = 1;
        Game.FunMode = 0;
        Game.GraphicsOn = 1;
        // The new file says English while this run stays German; the shutdown
        // writes the running language over it.
        if (!ReadPreferencesFile(path, preferences)) {
            Preferences defaults;
            PutOptions(defaults, OptionValues(50, 60, 1, 0, 1, 1, 0, 0));
            WritePreferencesFile(path, defaults);
        }
    }
    LoadSaveData();
}

void SaveSettings() {
    StoreSaveData();
    const std::string path = SettingsFilePath();
    Preferences preferences;
    ReadPreferencesFile(path, preferences);  // other groups and keys of the file stay as they are
    PutOptions(preferences, OptionValues(Game.MusicVolume, Game.EffectsVolume, Game.IntroOn, Game.FunMode,
                                         Game.GraphicsOn, Game.Language, Game.Fullscreen, Game.ScaleWindow));
    WritePreferencesFile(path, preferences);
}

void WriteIntroPlayed() {
    const std::string path = SettingsFilePath();
    Preferences preferences;
    if (!ReadPreferencesFile(path, preferences)) return;
    PreferenceGroup* options = FindPreferenceGroup(preferences, OptionsGroup);
    if (!options) return;
    SetPreference(*options, "Intro", "0");
    WritePreferencesFile(path, preferences);
}
