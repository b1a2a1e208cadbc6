#include "assets/sound.h"

#include <algorithm>

#include "assets/catalogue_numbers.h"
#include "core/game_state.h"
#include "platform/platform.h"

namespace {

// Volumes come from the settings file as stored: clamp them where they are used.
int Volume(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, 0, 100)); }

bool Idle(int64_t sound, int64_t channel) {
    const int status = platform::GetSoundStatus(static_cast<int>(sound), static_cast<int>(channel));
    return status == platform::SoundStopped || status == platform::SoundNoStatus;
}

}  // namespace

void PlayMusic(int64_t sound, int64_t flags) {
    if (!Game.SoundOn) return;
    Game.MusicChannel =
        platform::PlaySound(static_cast<int>(sound), static_cast<int>(flags), Volume(Game.MusicVolume));
}

void PlayEffect(int64_t sound) {
    if (!Game.SoundOn) return;
    Game.EffectsChannel =
        platform::PlaySound(static_cast<int>(sound), platform::SoundMultiChannel, Volume(Game.EffectsVolume));
}

void PlayEffectIfIdle(int64_t sound) {
    if (Game.SoundOn && Idle(sound, Game.EffectsChannel)) PlayEffect(sound);
}

void PlayLineTone(int64_t n) {
    if (n >= 1 && n <= 10) PlayEffect(SoundLineToneFirst - 1 + n);
}

void SpinMusic() {
    if (!Game.SoundOn) return;
    const bool freeGames = Game.FreeGamesWon != Game.FreeGamesPlayed || Game.GameMode == ModeFreeGames;
    if (freeGames) {
        if (Idle(SoundFreeGamesMusic, Game.MusicChannel)) {
            StopMusic(SoundSpinJingleFirst);
            StopMusic(SoundSpinJingleSecond);
            Game.JingleToggle = 0;
            PlayMusic(SoundFreeGamesMusic, platform::SoundLoop | platform::SoundMultiChannel);
        }
        return;
    }
    if (Game.JingleToggle == 0) {
        StopMusic(SoundSpinJingleSecond);
        StopMusic(SoundFreeGamesMusic);
        Game.JingleToggle = 1;
        PlayMusic(SoundSpinJingleFirst, platform::SoundMultiChannel);
    } else {
        StopMusic(SoundSpinJingleFirst);
        StopMusic(SoundFreeGamesMusic);
        Game.JingleToggle = 0;
        PlayMusic(SoundSpinJingleSecond, platform::SoundMultiChannel);
    }
}

void StopMusic(int64_t sound) {
    if (Game.SoundOn) platform::StopSound(static_cast<int>(sound), static_cast<int>(Game.MusicChannel));
}

void StopEffect(int64_t sound) {
    if (Game.SoundOn) platform::StopSound(static_cast<int>(sound), static_cast<int>(Game.EffectsChannel));
}

bool SoundPlaying(int64_t sound, int64_t channel) { return !Idle(sound, channel); }
