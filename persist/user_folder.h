// The per-user folder that holds the settings and the save file.
#pragma once

#include <string>

// The per-user data folder "<base>/Dax-Fenno/Nebulor v2.5/" (created when
// missing), or the empty string when it cannot be made: files are then
// addressed by their bare names in the working folder.
std::string SettingsFolder();
