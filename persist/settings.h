// The settings file "Settings.dat" in the per-user data folder: music and
// effects volume, intro, fun mode, graphics switch and language, in the group
// "Options". Read once at start-up, written once at shutdown.
#pragma once

#include <string>

#include "persist/user_folder.h"

// Full path of the settings file.
std::string SettingsFilePath();

// Start-up: reads the settings into the game state (defaults, a message and a
// new file when there is none), then loads the save data.
void LoadSettings();

// Shutdown: writes the save data, then the six settings, "Vollbild" and "Skalieren"; silently nothing
// when the settings file cannot be opened.
void SaveSettings();

// Start-up, while the intro is shown: stores "Intro = 0" in the group
// "Options" of an existing settings file (the game state keeps IntroOn).
void WriteIntroPlayed();
