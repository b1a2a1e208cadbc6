// The music clips: the intro jingle (0), the two spin jingles (1, 2), the
// looping free-game track (3) and the looping prize-wheel track (6).
#include <vector>

#include "data/forge/sounds/synth.h"

namespace forge::synth {
namespace {

// A chord of pad voices spread a little across the stereo field.
void PadChord(Track& track, double at, double length, const std::vector<double>& notes, double gain,
              double attack = 0.6, double release = 0.8) {
    for (size_t i = 0; i < notes.size(); ++i) {
        const double pan = notes.size() > 1 ? -0.5 + static_cast<double>(i) / (notes.size() - 1) : 0.0;
        Place(track, at, Pad(Hz(notes[i]), length, attack, release), gain, pan);
    }
}

// A run of bell notes, one every `step` seconds, panned from side to side.
void BellRun(Track& track, double at, double step, const std::vector<double>& notes, double gain,
             double decay, double brightness = 1.0) {
    for (size_t i = 0; i < notes.size(); ++i)
        Place(track, at + step * i, Bell(Hz(notes[i]), decay * 2.5, decay, brightness), gain,
              i % 2 ? 0.35 : -0.35);
}

// ------------------------------------------------------------ intro jingle
// A slow swell through Cmaj9, Fmaj7#11 and Gsus to a wide C chord with falling sparkles.
Track IntroJingle() {
    Track track(8.63, false);
    Noise noise(100);
    Place(track, 0.0, Sweep(noise, 2.6, 180, 5200, 0.75, 3.0), 0.30, 0.0);
    PadChord(track, 0.0, 2.55, {48, 55, 64, 71, 74}, 0.085, 0.9, 0.7);
    PadChord(track, 2.2, 2.45, {53, 60, 64, 69, 71}, 0.085, 0.5, 0.7);
    PadChord(track, 4.4, 1.75, {55, 62, 67, 72, 74}, 0.085, 0.4, 0.5);
    PadChord(track, 5.9, 2.73, {48, 55, 60, 64, 67, 74}, 0.09, 0.08, 2.0);
    Place(track, 0.0, Bass(Hz(36), 2.35, 0.3), 0.30, 0.0);
    Place(track, 2.2, Bass(Hz(41), 2.3, 0.3), 0.30, 0.0);
    Place(track, 4.4, Bass(Hz(43), 1.55, 0.2), 0.30, 0.0);
    Place(track, 5.9, Bass(Hz(36), 2.73, 1.8), 0.34, 0.0);
    BellRun(track, 0.25, 0.14, {72, 76, 79, 83, 86, 88, 91}, 0.16, 0.9);
    // The tune over the middle chords, leading up to the final chord.
    BellRun(track, 2.45, 0.3, {81, 84, 83, 79}, 0.2, 1.1);
    Place(track, 3.75, Bell(Hz(76), 2.0, 0.9), 0.2, 0.1);
    BellRun(track, 4.55, 0.3, {79, 81, 83, 86}, 0.18, 0.8);
    Place(track, 4.6, Sweep(noise, 1.3, 400, 9000, 1.0, 2.5), 0.22, 0.0);
    Place(track, 5.9, Kick(0.9), 0.45, 0.0);
    for (double note : {84.0, 88.0, 91.0, 96.0})
        Place(track, 5.9, Bell(Hz(note), 2.7, 1.3, 0.8), 0.14, note > 89 ? 0.4 : -0.4);
    BellRun(track, 6.05, 0.07, {103, 100, 96, 91, 88, 84, 79}, 0.07, 0.6, 0.6);
    BellRun(track, 6.75, 0.09, {98, 95, 91, 86, 83}, 0.05, 0.7, 0.5);
    Echo(track, 0.33, 0.35, 0.18);
    Reverb(track, 0.85, 0.4, 0.33);
    FadeEnds(track, 0.004, 1.4);
    Normalise(track, 0.89);
    return track;
}

// ------------------------------------------------------------ spin jingles
// Arpeggios over three chords (16th notes at 135 beats a minute) and a closing
// chord; jingle A rises through C, F and G, jingle B falls through D, G and A.
struct Jingle {
    std::vector<std::vector<double>> runs;  // three bars of eight notes
    std::vector<double> basses;             // one per bar, then the closing root
    std::vector<double> closing;            // closing bell chord
    std::vector<double> pad;                // closing pad chord
    bool plucked;                           // pluck or bell arpeggio
    uint64_t seed;
};

Track SpinJingle(const Jingle& jingle) {
    Track track(3.54, false);
    Noise noise(jingle.seed);
    const double step = 0.111;
    for (size_t bar = 0; bar < jingle.runs.size(); ++bar) {
        const double at = bar * 8 * step;
        for (size_t i = 0; i < jingle.runs[bar].size(); ++i) {
            const double hz = Hz(jingle.runs[bar][i]);
            const Mono note = jingle.plucked ? Pluck(hz, 0.6, 0.22, 0.55) : Bell(hz, 0.7, 0.28, 0.7);
            Place(track, at + i * step, note, i == 0 ? 0.2 : 0.15, i % 2 ? 0.45 : -0.45);
        }
        Place(track, at, Bass(Hz(jingle.basses[bar]), 8 * step, 0.05), 0.3, 0.0);
        for (int h = 0; h < 4; ++h)
            Place(track, at + (2 * h + 1) * step, Hiss(noise, 0.08, 0.025, 6000), 0.09, 0.2);
    }
    const double end = jingle.runs.size() * 8 * step;
    Place(track, end, Bass(Hz(jingle.basses.back()), 3.54 - end, 0.6), 0.3, 0.0);
    PadChord(track, end - 0.05, 3.54 - end + 0.05, jingle.pad, 0.08, 0.05, 0.9);
    for (size_t i = 0; i < jingle.closing.size(); ++i)
        Place(track, end + 0.03 * i, Bell(Hz(jingle.closing[i]), 3.54 - end, 0.7, 0.9), 0.15, -0.4 + 0.4 * i);
    Place(track, end, Hiss(noise, 0.5, 0.18, 7000), 0.08, 0.0);
    Echo(track, 0.222, 0.3, 0.15);
    Reverb(track, 0.7, 0.45, 0.25);
    FadeEnds(track, 0.003, 0.5);
    Normalise(track, 0.85);
    return track;
}

Track SpinJingleA() {
    return SpinJingle({{{72, 76, 79, 84, 88, 84, 79, 76},
                        {77, 81, 84, 89, 93, 89, 84, 81},
                        {79, 83, 86, 91, 95, 91, 86, 83}},
                       {36, 41, 43, 36},
                       {84, 88, 91, 96},
                       {48, 55, 64, 67, 71},
                       false,
                       201});
}

Track SpinJingleB() {
    return SpinJingle({{{86, 81, 78, 74, 78, 81, 86, 90},
                        {83, 79, 74, 71, 74, 79, 83, 86},
                        {85, 81, 76, 73, 76, 81, 85, 88}},
                       {38, 43, 45, 38},
                       {86, 90, 93, 98},
                       {50, 57, 66, 69, 73},
                       true,
                       202});
}

// ---------------------------------------------------------- free-game loop
// Eight bars at about 149 beats a minute: Am, F, C, G with a driving bass,
// plucked 16ths, hats and a bell tune in the second half. Loops seamlessly.
Track FreeGameLoop() {
    Track track(12.87, true);
    Noise noise(300);
    const double beat = 12.87 / 32, step = beat / 4;
    const double roots[4] = {45, 41, 48, 43};
    const std::vector<double> chords[4] = {
        {57, 60, 64, 69}, {53, 57, 60, 65}, {60, 64, 67, 72}, {55, 59, 62, 67}};
    const int arp[8] = {0, 1, 2, 3, 2, 1, 2, 3};
    for (int part = 0; part < 4; ++part) {
        const double at = part * 8 * beat;
        PadChord(track, at, 8 * beat + 0.3, {chords[part][0] - 12, chords[part][1], chords[part][2]}, 0.05,
                 0.4, 0.5);
        for (int b = 0; b < 8; ++b) {
            const double bt = at + b * beat;
            Place(track, bt, Kick(0.35), 0.32, 0.0);
            Place(track, bt + 2 * step, Hiss(noise, 0.09, 0.03, 7000), 0.15, 0.25);
            Place(track, bt + 3 * step, Hiss(noise, 0.05, 0.012, 9000), 0.07, -0.3);
            for (int e = 0; e < 2; ++e) {
                const double note = roots[part] + ((b * 2 + e) % 4 == 2 ? 12 : 0);
                Place(track, bt + e * 2 * step, Bass(Hz(note), 2 * step * 0.9, 0.03), 0.26, 0.0);
            }
            for (int s = 0; s < 4; ++s) {
                const double note = chords[part][arp[(b * 4 + s) % 8]] + 12;
                Place(track, bt + s * step, Pluck(Hz(note), 0.3, 0.12, 0.5), s == 0 ? 0.11 : 0.08,
                      s % 2 ? 0.4 : -0.4);
            }
        }
    }
    // The tune: bars 5 to 8, answering the arpeggios.
    const double tune[][2] = {{16, 76}, {17.5, 79}, {18, 81},   {20, 77}, {21.5, 76}, {22, 72}, {24, 79},
                              {25, 84}, {26, 83},   {27.5, 79}, {28, 74}, {29, 79},   {30, 83}};
    for (const auto& note : tune) Place(track, note[0] * beat, Bell(Hz(note[1]), 1.6, 0.55, 0.8), 0.15, 0.15);
    Echo(track, beat * 0.75, 0.3, 0.16);
    Reverb(track, 0.6, 0.5, 0.2);
    Normalise(track, 0.85);
    return track;
}

// ------------------------------------------------------------- wheel loop
// Eight bars at about 140 beats a minute: a music-box tune over C, Am, F, G
// with a light shaker and a soft bass. Loops seamlessly.
Track WheelLoop() {
    Track track(13.75, true);
    Noise noise(600);
    const double beat = 13.75 / 32, half = beat / 2;
    const double roots[4] = {48, 45, 41, 43};
    const std::vector<double> chords[4] = {
        {60, 64, 67, 71}, {57, 60, 64, 67}, {53, 57, 60, 64}, {55, 59, 62, 65}};
    for (int part = 0; part < 4; ++part) {
        const double at = part * 8 * beat;
        PadChord(track, at, 8 * beat + 0.4, chords[part], 0.04, 0.5, 0.6);
        for (int b = 0; b < 8; ++b) {
            const double bt = at + b * beat;
            if (b % 2 == 0)
                Place(track, bt, Bass(Hz(roots[part] - 12 + (b % 4 == 2 ? 7 : 0)), beat * 1.8, 0.1), 0.3,
                      0.0);
            Place(track, bt + half, Hiss(noise, 0.1, 0.035, 5000), 0.08, 0.3);
            Place(track, bt, Hiss(noise, 0.06, 0.015, 8000), 0.04, -0.3);
        }
    }
    // The music-box tune, in eighths: (eighth index, note).
    const double tune[][2] = {
        {0, 79},  {1, 84},  {2, 88},  {3, 84},  {4, 86},  {6, 83},  {8, 84},  {9, 79},  {10, 76}, {12, 79},
        {16, 81}, {17, 84}, {18, 88}, {19, 84}, {20, 83}, {22, 79}, {24, 81}, {26, 76}, {28, 72}, {30, 76},
        {32, 77}, {33, 81}, {34, 84}, {35, 81}, {36, 84}, {38, 89}, {40, 88}, {42, 84}, {44, 81}, {46, 77},
        {48, 79}, {49, 83}, {50, 86}, {51, 83}, {52, 86}, {54, 89}, {56, 91}, {58, 86}, {60, 83}, {62, 79},
    };
    for (const auto& note : tune) {
        const double at = note[0] * half;
        Place(track, at, Bell(Hz(note[1]), 1.4, 0.45, 0.9), 0.17, 0.2);
        Place(track, at, Pluck(Hz(note[1] - 12), 0.5, 0.2, 0.4), 0.05, -0.2);
    }
    Echo(track, beat * 1.5, 0.28, 0.14);
    Reverb(track, 0.7, 0.45, 0.24);
    Normalise(track, 0.82);
    return track;
}

JobRegistrar intro("sound 0 intro jingle", [] { return std::vector<Asset>{SoundAsset(0, IntroJingle())}; });
JobRegistrar spinA("sound 1 spin jingle", [] { return std::vector<Asset>{SoundAsset(1, SpinJingleA())}; });
JobRegistrar spinB("sound 2 spin jingle", [] { return std::vector<Asset>{SoundAsset(2, SpinJingleB())}; });
JobRegistrar freeGames("sound 3 free games",
                       [] { return std::vector<Asset>{SoundAsset(3, FreeGameLoop())}; });
JobRegistrar wheel("sound 6 wheel", [] { return std::vector<Asset>{SoundAsset(6, WheelLoop())}; });

}  // namespace
}  // namespace forge::synth
