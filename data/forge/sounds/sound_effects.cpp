// The effect clips: scatter landing (4), free-game symbols (5), the wheel tick
// (7), the ladder ticks (8..11), the three spare chimes (19..21), the win-line
// tones (23..32) and the respin riser (33).
#include <cmath>
#include <vector>

#include "data/forge/sounds/synth.h"

namespace forge::synth {
namespace {

// Room, level and soft ends shared by the short effects.
void Finish(Track& track, double room, double wet, double fadeOut, double peak) {
    Reverb(track, room, 0.5, wet);
    FadeEnds(track, 0.002, fadeOut);
    Normalise(track, peak);
}

// A scatter planet lands: a thump under two bright bells and a sparkle.
Track ScatterLanding() {
    Track track(0.69, false);
    Noise noise(400);
    Place(track, 0.0, Glide(260, 120, 0.18, 0.0), 0.25, 0.0);
    Place(track, 0.0, Kick(0.3), 0.35, 0.0);
    Place(track, 0.0, Bell(Hz(88), 0.69, 0.3, 1.0), 0.4, -0.25);
    Place(track, 0.06, Bell(Hz(95), 0.63, 0.26, 0.9), 0.32, 0.3);
    Place(track, 0.03, Hiss(noise, 0.4, 0.1, 8000), 0.12, 0.0);
    Finish(track, 0.55, 0.25, 0.12, 0.85);
    return track;
}

// The free-game symbols light up: a quick harp run upwards on air.
Track FreeGameSparkle() {
    Track track(0.69, false);
    Noise noise(500);
    const double notes[] = {79, 81, 84, 86, 88, 91, 93, 96, 98, 100};
    for (int i = 0; i < 10; ++i)
        Place(track, 0.035 * i, Bell(Hz(notes[i]), 0.69 - 0.035 * i, 0.22, 0.6), 0.14, -0.6 + 0.13 * i);
    Place(track, 0.0, Sweep(noise, 0.6, 1500, 9000, 0.55, 2.0), 0.2, 0.0);
    Finish(track, 0.6, 0.3, 0.15, 0.8);
    return track;
}

// One click of the prize wheel's pointer over a peg.
Track WheelTick() {
    Track track(0.20, false);
    Noise noise(700);
    Place(track, 0.0, Hiss(noise, 0.06, 0.006, 2500), 0.6, 0.0);
    Place(track, 0.0, Pluck(Hz(93), 0.15, 0.03, 0.6), 0.45, 0.0);
    Place(track, 0.0, Pluck(Hz(69), 0.12, 0.025, 0.3), 0.3, 0.0);
    Finish(track, 0.3, 0.12, 0.05, 0.75);
    return track;
}

// A ladder step: a short bright tick, higher for the higher rungs.
Track LadderTick(double note, uint64_t seed) {
    Track track(0.48, false);
    Noise noise(seed);
    Place(track, 0.0, Pluck(Hz(note), 0.45, 0.11, 0.6), 0.55, 0.0);
    Place(track, 0.0, Bell(Hz(note + 12), 0.35, 0.08, 0.5), 0.18, 0.0);
    Place(track, 0.0, Hiss(noise, 0.03, 0.004, 4000), 0.25, 0.0);
    Finish(track, 0.4, 0.18, 0.1, 0.8);
    return track;
}

// Three spare chimes: a rising fifth, a falling cascade, a falling fourth.
Track ChimeUp() {
    Track track(0.59, false);
    Place(track, 0.0, Bell(Hz(84), 0.59, 0.2, 0.8), 0.4, -0.2);
    Place(track, 0.09, Bell(Hz(91), 0.5, 0.22, 0.8), 0.4, 0.2);
    Finish(track, 0.5, 0.22, 0.12, 0.8);
    return track;
}

Track CoinCascade() {
    Track track(1.45, false);
    Noise noise(2000);
    const double notes[] = {100, 96, 93, 91, 88, 84, 81, 79};
    for (int i = 0; i < 8; ++i)
        Place(track, 0.06 * i, Bell(Hz(notes[i]), 1.45 - 0.06 * i, 0.35, 0.9), 0.16, i % 2 ? 0.5 : -0.5);
    for (double note : {72.0, 76.0, 79.0}) Place(track, 0.5, Pad(Hz(note), 0.95, 0.05, 0.7), 0.08, 0.0);
    Place(track, 0.0, Hiss(noise, 0.8, 0.25, 9000), 0.06, 0.0);
    Finish(track, 0.7, 0.3, 0.35, 0.8);
    return track;
}

Track ChimeDown() {
    Track track(0.59, false);
    Place(track, 0.0, Pluck(Hz(79), 0.59, 0.2, 0.5), 0.45, -0.2);
    Place(track, 0.1, Pluck(Hz(72), 0.49, 0.22, 0.5), 0.45, 0.2);
    Finish(track, 0.5, 0.22, 0.12, 0.8);
    return track;
}

// The tone of the n-th win line (1..10), rising up a pentatonic scale.
Track LineTone(int n) {
    static const double scale[10] = {72, 74, 76, 79, 81, 84, 86, 88, 91, 93};
    const double note = scale[n - 1];
    Track track(1.66, false);
    Noise noise(2300 + n);
    // The bell carries the pitch; the pluck and pad an octave below only warm it.
    Place(track, 0.0, Bell(Hz(note), 1.66, 0.55, 0.9), 0.4, 0.15);
    Place(track, 0.0, Pluck(Hz(note - 12), 1.2, 0.35, 0.5), 0.1, -0.15);
    Place(track, 0.0, Pad(Hz(note - 12), 1.66, 0.04, 0.9), 0.035, -0.4);
    Place(track, 0.0, Pad(Hz(note - 5), 1.66, 0.04, 0.9), 0.03, 0.4);
    Place(track, 0.02, Hiss(noise, 0.5, 0.12, 9000), 0.05, 0.0);
    Finish(track, 0.65, 0.28, 0.45, 0.82);
    return track;
}

// The respin: a rising whoosh with ticks that speed up, blooming into a chord.
Track RespinRiser() {
    Track track(4.85, false);
    Noise noise(3300);
    const double bloom = 3.6;
    Place(track, 0.0, Sweep(noise, bloom + 0.15, 180, 7500, 0.96, 2.5), 0.45, 0.0);
    Place(track, 0.0, Glide(Hz(45), Hz(81), bloom, 0.012), 0.16, -0.2);
    Place(track, 0.0, Glide(Hz(52), Hz(88), bloom, 0.015), 0.1, 0.2);
    // Ticks every 0.3 s at first, every 0.05 s at the end, climbing in pitch.
    double at = 0.1, gap = 0.3;
    for (int k = 0; at < bloom - 0.05; ++k) {
        const double note = 72 + std::min(24.0, at / bloom * 24.0);
        Place(track, at, Pluck(Hz(note), 0.25, 0.06, 0.6), 0.12 + 0.1 * at / bloom, k % 2 ? 0.5 : -0.5);
        at += gap;
        gap = std::max(0.05, gap * 0.86);
    }
    Place(track, bloom, Kick(0.8), 0.5, 0.0);
    for (double note : {84.0, 88.0, 91.0, 96.0})
        Place(track, bloom, Bell(Hz(note), 1.25, 0.6, 1.0), 0.16, 0.0);
    for (double note : {48.0, 60.0, 64.0, 67.0})
        Place(track, bloom, Pad(Hz(note), 1.25, 0.02, 1.0), 0.07, 0.0);
    Place(track, bloom, Hiss(noise, 1.2, 0.35, 6000), 0.12, 0.0);
    Finish(track, 0.75, 0.3, 0.5, 0.88);
    return track;
}

std::vector<Asset> LadderTicks() {
    // Sound 8 is the tick of the top rungs, 11 of the bottom ones.
    return {SoundAsset(8, LadderTick(88, 801)), SoundAsset(9, LadderTick(84, 901)),
            SoundAsset(10, LadderTick(79, 1001)), SoundAsset(11, LadderTick(76, 1101))};
}

std::vector<Asset> LineTonesLow() {
    std::vector<Asset> assets;
    for (int n = 1; n <= 5; ++n) assets.push_back(SoundAsset(22 + n, LineTone(n)));
    return assets;
}

std::vector<Asset> LineTonesHigh() {
    std::vector<Asset> assets;
    for (int n = 6; n <= 10; ++n) assets.push_back(SoundAsset(22 + n, LineTone(n)));
    return assets;
}

JobRegistrar shortEffects("sounds 4 5 7 19 20 21", [] {
    return std::vector<Asset>{SoundAsset(4, ScatterLanding()), SoundAsset(5, FreeGameSparkle()),
                              SoundAsset(7, WheelTick()),      SoundAsset(19, ChimeUp()),
                              SoundAsset(20, CoinCascade()),   SoundAsset(21, ChimeDown())};
});
JobRegistrar ladder("sounds 8-11 ladder ticks", LadderTicks);
JobRegistrar linesLow("sounds 23-27 line tones", LineTonesLow);
JobRegistrar linesHigh("sounds 28-32 line tones", LineTonesHigh);
JobRegistrar respin("sound 33 respin", [] { return std::vector<Asset>{SoundAsset(33, RespinRiser())}; });

}  // namespace
}  // namespace forge::synth
