#include "persist/settings_window.h"

#include <algorithm>

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "platform/platform.h"

namespace {

int SliderValue(int64_t volume) { return static_cast<int>(std::clamp<int64_t>(volume, 0, 100)); }

}  // namespace

void OpenSettingsWindow() {
    if (platform::WindowExists(WindowSettings)) {
        platform::ShowWindowNormal(WindowSettings);
        return;
    }
    if (!platform::OpenWindow(WindowSettings, 0, 0, 240, 200, "Settings",
                              platform::WindowDialog | platform::WindowCentered))
        return;
    platform::TextGadget(WindowSettings, GadgetMusicLabel, 15, 8, 100, 25, "Lautst\xe4rke Musik");
    platform::TrackBarGadget(WindowSettings, GadgetMusicVolume, 15, 37, 100, 25, 0, 100);
    platform::SetGadgetState(GadgetMusicVolume, SliderValue(Game.MusicVolume));
    platform::TextGadget(WindowSettings, GadgetEffectsLabel, 15, 71, 100, 25, "Lautst\xe4rke Effekte");
    platform::TrackBarGadget(WindowSettings, GadgetEffectsVolume, 15, 111, 100, 25, 0, 100);
    platform::SetGadgetState(GadgetEffectsVolume, SliderValue(Game.EffectsVolume));
    platform::CheckBoxGadget(WindowSettings, GadgetIntro, 15, 150, 40, 25, "Intro");
    platform::SetGadgetState(GadgetIntro, Game.IntroOn != 0 ? 1 : 0);
    platform::CheckBoxGadget(WindowSettings, GadgetFunMode, 15, 170, 80, 25, "Fun Modus");
    platform::SetGadgetState(GadgetFunMode, Game.FunMode != 0 ? 1 : 0);
    platform::ButtonGadget(WindowSettings, GadgetOk, 150, 170, 30, 20, "OK");
    platform::TextGadget(WindowSettings, GadgetLanguageLabel, 150, 90, 100, 25, "Language:");
    platform::OptionGadget(WindowSettings, GadgetGerman, 150, 110, 80, 25, "German");
    platform::OptionGadget(WindowSettings, GadgetEnglish, 150, 130, 80, 25, "English");
    platform::SetGadgetState(Game.Language == 0 ? GadgetGerman : GadgetEnglish, 1);
    platform::CheckBoxGadget(WindowSettings, GadgetFullscreen, 150, 150, 80, 25,
                             Game.Language == 0 ? "Vollbild" : "Fullscreen");
    platform::SetGadgetState(GadgetFullscreen, Game.Fullscreen != 0 ? 1 : 0);
    platform::CheckBoxGadget(WindowSettings, GadgetScaleWindow, 15, 130, 120, 25,
                             Game.Language == 0 ? "Fenster skalieren" : "Scale window");
    platform::SetGadgetState(GadgetScaleWindow, Game.ScaleWindow != 0 ? 1 : 0);
    Game.SettingsWindowOpen = 1;
}

void ConfirmSettingsWindow() {
    platform::MessageBox("Info", "the game restarts to complete the procedure.");
    Game.MusicVolume = platform::GetGadgetState(GadgetMusicVolume);
    Game.EffectsVolume = platform::GetGadgetState(GadgetEffectsVolume);
    Game.IntroOn = platform::GetGadgetState(GadgetIntro) != 0 ? 1 : 0;
    Game.FunMode = platform::GetGadgetState(GadgetFunMode) != 0 ? 1 : 0;
    Game.Language = platform::GetGadgetState(GadgetGerman) != 0 ? 0 : 1;
    Game.Fullscreen = platform::GetGadgetState(GadgetFullscreen) != 0 ? 1 : 0;
    Game.ScaleWindow = platform::GetGadgetState(GadgetScaleWindow) != 0 ? 1 : 0;
    platform::CloseWindow(WindowSettings);
    Game.SettingsWindowOpen = 0;
    Game.GamePhase = PhaseQuit;
    Game.RestartAfterQuit = 1;  // as the message says: the game comes back with the new settings
}

void CancelSettingsWindow() {
    platform::MessageBox("Info", "Settings not saved!");
    platform::CloseWindow(WindowSettings);
    Game.SettingsWindowOpen = 0;
}
