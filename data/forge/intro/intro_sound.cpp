// The sound of the flight: a slow chord under a rising wind, a whoosh for
// each passing planet, the reels' stops, a shimmer while the light gathers,
// and a wide C chord when the logo flashes, dying away before the end.
#include "data/forge/intro/intro_sound.h"

#include <algorithm>
#include <cmath>

#include "data/forge/intro/intro_timeline.h"
#include "data/forge/sounds/synth.h"

namespace forge::intro {

using namespace synth;

namespace {

void Chord(Track& track, double at, double length, const std::vector<double>& notes, double gain,
           double attack, double release) {
    for (size_t i = 0; i < notes.size(); ++i) {
        const double pan = notes.size() > 1 ? -0.6 + 1.2 * static_cast<double>(i) / (notes.size() - 1) : 0.0;
        Place(track, at, Pad(Hz(notes[i]), length, attack, release), gain, pan);
    }
}

// The planets pass left, right, left, right (as their paths in the pictures).
constexpr double PlanetPan[4] = {-0.7, 0.7, -0.6, 0.65};

}  // namespace

std::vector<int16_t> IntroSoundTrack() {
    static_assert(SoundRate == Rate, "the track is made at the synthesiser's rate");
    Track track(Length, false);
    Noise noise(1717);

    // The flight: C minor (add 9) turning to A flat, wind rising with the speed.
    Chord(track, 0.0, 6.0, {36, 43, 51, 62}, 0.075, 2.5, 1.5);
    Chord(track, 5.0, 5.6, {44, 51, 56, 63, 68}, 0.1, 1.5, 1.2);
    Place(track, 0.0, Bass(Hz(24), 6.0, 1.5), 0.3, 0.0);
    Place(track, 5.0, Bass(Hz(32), 5.6, 1.2), 0.3, 0.0);
    Place(track, 0.0, Sweep(noise, 10.0, 140, 1600, 0.6, 1.6), 0.22, 0.0);
    for (int i = 0; i < 4; ++i)
        Place(track, PlanetPass[i] - 0.8, Sweep(noise, 1.7, 3200, 260, 0.5, 3.0), 0.34, PlanetPan[i]);

    // The reel frame comes near: a rising tone, then B flat suspended while the reels run.
    Place(track, SlowDownFrom, Glide(Hz(55), Hz(67), 3.2, 0.004), 0.08, 0.0);
    Place(track, SlowDownFrom - 0.5, Sweep(noise, 3.6, 220, 3200, 0.85, 2.0), 0.3, 0.0);
    // A heartbeat that quickens and grows while the frame comes near.
    for (double beat = 6.2; beat < Arrival - 0.2; beat += 0.5 - 0.2 * Progress(beat, 6.2, Arrival)) {
        Place(track, beat, Kick(0.4), 0.12 + 0.25 * Progress(beat, 6.2, Arrival), 0.0);
        Place(track, beat, Bass(Hz(32), 0.3, 0.2), 0.12, 0.0);
    }
    Chord(track, 9.6, 4.1, {46, 53, 58, 65}, 0.06, 0.6, 0.5);
    Place(track, 9.6, Bass(Hz(34), 4.0, 0.4), 0.28, 0.0);
    for (double at = 8.6; at < ReelStop[4]; at += 0.06) {
        int turning = 0;
        for (double stop : ReelStop) turning += at < stop ? 1 : 0;
        Place(track, at, Hiss(noise, 0.03, 0.008, 4000), 0.015 * turning, 0.1 * (turning - 3));
    }
    for (int reel = 0; reel < 5; ++reel) {
        const double at = ReelStop[reel], pan = -0.6 + 0.3 * reel;
        Place(track, at, Kick(0.22), 0.3, pan);
        Place(track, at, Hiss(noise, 0.12, 0.03, 2500), 0.16, pan);
        Place(track, at, Bell(Hz(79 + 2 * reel), 0.6, 0.18, 0.7), 0.1, pan);
    }

    // The line lights up and its light gathers: bells climbing ever faster, a sweep into the flash.
    for (size_t i = 0; i < 5; ++i)
        Place(track, LineLight + 0.07 * i, Bell(Hz(84 + 3.0 * i), 1.0, 0.35), 0.12, -0.4 + 0.2 * i);
    static const double shimmer[] = {84, 86, 88, 91, 93, 96, 98, 100};
    double at = LightFlies;
    while (at < LogoFlash - 0.05) {
        Place(track, at, Bell(Hz(shimmer[noise.Next() % 8]), 0.7, 0.2, 0.6), 0.045, noise.Range(-0.8, 0.8));
        at += 0.11 - 0.07 * Progress(at, LightFlies, LogoFlash);
    }
    Place(track, LightFlies, Sweep(noise, LogoFlash - LightFlies + 0.1, 300, 9000, 0.97, 2.5), 0.24, 0.0);

    // The flash: a wide C chord with a deep bass, bells and a long shimmer of air.
    const double ring = Length - LogoFlash - 0.3;
    Place(track, LogoFlash, Kick(1.0), 0.55, 0.0);
    Chord(track, LogoFlash, ring, {36, 43, 48, 52, 55, 62, 64, 67}, 0.06, 0.06, 4.0);
    Place(track, LogoFlash, Bass(Hz(24), ring, 4.0), 0.34, 0.0);
    for (double note : {84.0, 88.0, 91.0, 96.0})
        Place(track, LogoFlash, Bell(Hz(note), 3.0, 1.4, 0.8), 0.12, note > 89 ? 0.45 : -0.45);
    Place(track, LogoFlash, Hiss(noise, 3.0, 1.0, 6000), 0.1, 0.0);
    // The orbit draws round from left to right; the "2" lands; the gleam and the sparkles.
    for (int i = 0; i < 3; ++i)
        Place(track, LogoFlash + 0.15 + 0.33 * i, Sweep(noise, 0.5, 1200, 6000, 0.5, 3.0), 0.09,
              -0.7 + 0.7 * i);
    Place(track, LogoFlash + 0.4, Bell(Hz(79), 1.5, 0.6, 0.9), 0.16, 0.0);
    Place(track, LogoFlash + 0.4, Pluck(Hz(55), 1.0, 0.4), 0.12, 0.0);
    Place(track, ShineSweep, Bell(Hz(100), 1.2, 0.5, 0.5), 0.07, -0.3);
    Place(track, ShineSweep + 0.5, Bell(Hz(103), 1.2, 0.5, 0.5), 0.06, 0.4);
    const double falling[] = {103, 100, 96, 91, 88, 84};
    for (int i = 0; i < 6; ++i)
        Place(track, LogoFlash + 1.1 + 0.09 * i, Bell(Hz(falling[i]), 1.2, 0.5, 0.6), 0.05,
              i % 2 ? 0.4 : -0.4);
    Place(track, LastGlint + 0.3, Bell(Hz(103), 1.5, 0.6, 0.5), 0.05, 0.2);

    Echo(track, 0.36, 0.3, 0.16);
    Reverb(track, 0.88, 0.4, 0.3);
    FadeEnds(track, FadeInEnd, 2.2);  // in with the picture out of black
    Normalise(track, 0.85);

    std::vector<int16_t> samples(track.Frames() * 2);
    for (size_t i = 0; i < track.Frames(); ++i) {
        samples[2 * i] = static_cast<int16_t>(std::lround(std::clamp(track.left[i], -1.0f, 1.0f) * 32767));
        samples[2 * i + 1] =
            static_cast<int16_t>(std::lround(std::clamp(track.right[i], -1.0f, 1.0f) * 32767));
    }
    return samples;
}

}  // namespace forge::intro
