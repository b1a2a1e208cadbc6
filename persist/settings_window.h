#include "assets/catalogue_numbers.h"
// The settings window (window 4): two volume sliders, the intro, fun-mode,
// fullscreen and scaled-window check boxes, the language options and "OK". Its values take
// effect at the next start: "OK" ends the game, which then saves them.
#pragma once

// Gadget numbers of the settings window. The two language options are
// consecutive, which makes them one group.
enum SettingsGadget : int {
    GadgetMusicLabel = 0,
    GadgetMusicVolume,
    GadgetEffectsLabel,
    GadgetEffectsVolume,
    GadgetIntro,
    GadgetFunMode,
    GadgetOk,
    GadgetLanguageLabel,
    GadgetGerman,
    GadgetEnglish,
    GadgetFullscreen,
    GadgetScaleWindow,
};

// Menu command 1 ("Settings"): opens the window with the current settings
// (or brings it to the front when it is open already).
void OpenSettingsWindow();

// The window's "OK": confirms, takes the values from the gadgets, closes the
// window and ends the game so that the shutdown saves them.
void ConfirmSettingsWindow();

// The window's close box: tells the player nothing was saved and closes it.
void CancelSettingsWindow();
