// Music and effects: which clip starts with which volume, and the channels
// the game state remembers for later status queries and stops.
#pragma once

#include <cstdint>

// Starts a music clip (flags 2, or 3 to loop) at MusicVolume; keeps its channel.
void PlayMusic(int64_t sound, int64_t flags);
// Starts an effect once at EffectsVolume; keeps its channel.
void PlayEffect(int64_t sound);
// PlayEffect, unless that effect still plays on the effects channel.
void PlayEffectIfIdle(int64_t sound);
// The n-th win line of a presentation (1..10) plays sound 22 + n; others nothing.
void PlayLineTone(int64_t n);
// At each spin start: the free-game track, or the two spin jingles in turn.
void SpinMusic();
// Stops `sound` on the music or the effects channel.
void StopMusic(int64_t sound);
void StopEffect(int64_t sound);
// True while `sound` plays on the given channel.
bool SoundPlaying(int64_t sound, int64_t channel);
