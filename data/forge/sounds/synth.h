// A small synthesiser for the forge's sounds: instruments that render one
// note into a mono buffer, a stereo track that notes are mixed into (wrapping
// around for loops), a room reverb, and the Ogg Vorbis encoder.
//
// Everything is deterministic: noise comes from forge::Noise with a seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/forge/forge.h"

namespace forge::synth {

constexpr int Rate = 44100;

using Mono = std::vector<float>;

// A stereo clip of a fixed length. A looping track wraps whatever is mixed
// past its end around to its start, so the loop joins without a seam.
struct Track {
    Mono left, right;
    bool loop = false;
    Track(double seconds, bool looping);
    size_t Frames() const { return left.size(); }
};

// Frequency of a MIDI note (69 = A4 = 440 Hz).
double Hz(double note);
// Frames of a time in seconds.
int64_t FrameOf(double seconds);

// Mixes a mono note into the track at `seconds` with a gain and a pan (-1 left .. 1 right).
void Place(Track& track, double seconds, const Mono& note, double gain, double pan);

// ---------------------------------------------------------------- voices
// Each returns `seconds` of mono samples, peak near 1 before the gain.

// Struck metal: two FM pairs whose brightness falls with the decay.
Mono Bell(double hz, double seconds, double decay, double brightness = 1.0);
// A plucked string: harmonics that fade faster the higher they are.
Mono Pluck(double hz, double seconds, double decay, double brightness = 0.5);
// A soft sustained chord voice: detuned saw stacks with a slow swell.
Mono Pad(double hz, double seconds, double attack, double release);
// A round bass: sine with a little second and third harmonic.
Mono Bass(double hz, double seconds, double release = 0.05);
// A soft kick drum: a falling sine with a short click.
Mono Kick(double seconds);
// Filtered noise burst: `decay` seconds, high-passed above `cutoff` Hz.
Mono Hiss(Noise& noise, double seconds, double decay, double cutoff);
// Noise through a band-pass whose centre glides from f0 to f1 Hz, shaped by a
// rise-and-fall envelope peaking at `peak` (0..1 of the length).
Mono Sweep(Noise& noise, double seconds, double f0, double f1, double peak, double q = 2.0);
// A tone gliding exponentially from f0 to f1 Hz with vibrato, swelling in.
Mono Glide(double f0, double f1, double seconds, double vibrato);

// ---------------------------------------------------------------- effects
// A stereo room reverb mixed in at `wet`; loops are processed twice so that
// the tail of the end runs on into the start.
void Reverb(Track& track, double room, double damping, double wet);
// A ping-pong echo of `delay` seconds with feedback, loop-aware like Reverb.
void Echo(Track& track, double delay, double feedback, double wet);
// Scales the track so that its loudest sample reaches `peak`.
void Normalise(Track& track, double peak);
// Short fades at both ends of a one-shot sound so that it starts and ends at rest.
void FadeEnds(Track& track, double fadeIn, double fadeOut);

// ---------------------------------------------------------------- output
// Ogg Vorbis (44.1 kHz stereo, quality VBR) of the track; `serial` names the stream.
std::vector<uint8_t> EncodeOgg(const Track& track, int serial);

// The finished asset of catalogue sound `number` (label and file from the catalogue).
Asset SoundAsset(int number, const Track& track);

}  // namespace forge::synth
