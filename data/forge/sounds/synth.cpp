#include "data/forge/sounds/synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace forge::synth {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int TableSize = 4096;

// One sine cycle for table look-ups; the voices call it millions of times.
const std::array<float, TableSize + 1>& SineTable() {
    static const std::array<float, TableSize + 1> table = [] {
        std::array<float, TableSize + 1> t{};
        for (int i = 0; i <= TableSize; ++i) t[i] = static_cast<float>(std::sin(2.0 * Pi * i / TableSize));
        return t;
    }();
    return table;
}

// Sine of a phase given in cycles.
inline float Sine(double cycles) {
    const auto& table = SineTable();
    const double x = (cycles - std::floor(cycles)) * TableSize;
    const int i = static_cast<int>(x);
    const float f = static_cast<float>(x - i);
    return table[i] + (table[i + 1] - table[i]) * f;
}

// Rises over `attack` seconds with a smooth curve, then holds at 1.
inline double Attack(double t, double attack) {
    if (t >= attack) return 1.0;
    return 0.5 - 0.5 * std::cos(Pi * t / attack);
}

// Falls to 0 over the last `release` seconds of a note of length `length`.
inline double Release(double t, double length, double release) {
    const double left = length - t;
    if (left >= release) return 1.0;
    if (left <= 0) return 0.0;
    return 0.5 - 0.5 * std::cos(Pi * left / release);
}

size_t FramesOf(double seconds) { return static_cast<size_t>(std::max<int64_t>(0, FrameOf(seconds))); }

// A comb filter with a damped feedback path (the body of the room).
struct Comb {
    std::vector<float> buffer;
    size_t index = 0;
    float store = 0;
    float Process(float input, float feedback, float damp) {
        const float output = buffer[index];
        store = output * (1 - damp) + store * damp;
        buffer[index] = input + store * feedback;
        if (++index == buffer.size()) index = 0;
        return output;
    }
};

// An all-pass diffuser.
struct AllPass {
    std::vector<float> buffer;
    size_t index = 0;
    float Process(float input) {
        const float delayed = buffer[index];
        const float output = delayed - input;
        buffer[index] = input + delayed * 0.5f;
        if (++index == buffer.size()) index = 0;
        return output;
    }
};

// Runs `step` over every frame; a loop is run twice and only the second pass
// counts, so that state left at the end carries into the start.
template <typename Step>
void RunFrames(const Track& track, Step step) {
    const size_t frames = track.Frames();
    const int passes = track.loop ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (size_t i = 0; i < frames; ++i) step(i, pass == passes - 1);
}

}  // namespace

Track::Track(double seconds, bool looping)
    : left(FramesOf(seconds), 0.0f), right(FramesOf(seconds), 0.0f), loop(looping) {}

double Hz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

int64_t FrameOf(double seconds) { return std::llround(seconds * Rate); }

void Place(Track& track, double seconds, const Mono& note, double gain, double pan) {
    const int64_t frames = static_cast<int64_t>(track.Frames());
    if (frames == 0) return;
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * Pi / 4.0;
    const float gl = static_cast<float>(gain * std::cos(angle) * std::sqrt(2.0));
    const float gr = static_cast<float>(gain * std::sin(angle) * std::sqrt(2.0));
    const int64_t start = FrameOf(seconds);
    for (size_t i = 0; i < note.size(); ++i) {
        int64_t at = start + static_cast<int64_t>(i);
        if (track.loop) {
            at %= frames;
            if (at < 0) at += frames;
        } else if (at < 0 || at >= frames) {
            continue;
        }
        track.left[at] += note[i] * gl;
        track.right[at] += note[i] * gr;
    }
}

Mono Bell(double hz, double seconds, double decay, double brightness) {
    Mono out(FramesOf(seconds));
    // High bells get a smaller index so that their side bands stay below Nyquist.
    const double tame = std::min(1.0, 1400.0 / hz);
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / Rate;
        const double envelope = Attack(t, 0.0025) * std::exp(-t / decay) * Release(t, seconds, 0.01);
        const double index = brightness * tame * (1.6 * std::exp(-t / (decay * 0.22)) + 0.25);
        const double body = Sine(hz * t + index * Sine(hz * 3.5 * t) / (2 * Pi));
        const double shimmer = Sine(hz * 2.0 * t + 0.6 * index * Sine(hz * 5.02 * t) / (2 * Pi));
        const double partial = std::exp(-t / (decay * 0.45));
        out[n] = static_cast<float>(envelope * (0.78 * body + 0.22 * shimmer * partial));
    }
    return out;
}

Mono Pluck(double hz, double seconds, double decay, double brightness) {
    Mono out(FramesOf(seconds));
    const int harmonics = std::clamp(static_cast<int>(16000.0 / hz), 1, 8);
    // Each harmonic decays by a constant factor per sample: cheaper than exp().
    double amplitude[8], factor[8], weight = 0;
    for (int k = 1; k <= harmonics; ++k) {
        amplitude[k - 1] = std::pow(brightness, k - 1) / k;
        factor[k - 1] = std::exp(-(1.0 + 0.7 * (k - 1)) / (decay * Rate));
        weight += amplitude[k - 1];
    }
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / Rate;
        double sum = 0;
        for (int k = 1; k <= harmonics; ++k) {
            sum += amplitude[k - 1] * Sine(hz * k * t + 0.13 * k);
            amplitude[k - 1] *= factor[k - 1];
        }
        out[n] = static_cast<float>(sum / weight * Attack(t, 0.0015) * Release(t, seconds, 0.01));
    }
    return out;
}

Mono Pad(double hz, double seconds, double attack, double release) {
    Mono out(FramesOf(seconds));
    const double detune[3] = {-0.0045, 0.0, 0.0052};
    const int harmonics = std::clamp(static_cast<int>(9000.0 / hz), 1, 8);
    double amplitude[8], weight = 0;
    for (int k = 1; k <= harmonics; ++k) {
        amplitude[k - 1] = 1.0 / std::pow(k, 1.4);  // a saw's 1/k, softened
        weight += 3.0 * amplitude[k - 1];
    }
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / Rate;
        double sum = 0;
        for (int v = 0; v < 3; ++v) {
            const double f = hz * (1.0 + detune[v]);
            for (int k = 1; k <= harmonics; ++k)
                sum += Sine(f * k * t + 0.31 * v + 0.17 * k) * amplitude[k - 1];
        }
        const double breathe = 1.0 + 0.08 * Sine(0.27 * t + hz * 0.001);
        out[n] =
            static_cast<float>(sum / weight * breathe * Attack(t, attack) * Release(t, seconds, release));
    }
    return out;
}

Mono Bass(double hz, double seconds, double release) {
    Mono out(FramesOf(seconds));
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / Rate;
        const double envelope =
            Attack(t, 0.006) * (0.7 + 0.3 * std::exp(-t / 0.12)) * Release(t, seconds, release);
        const double tone =
            Sine(hz * t) + 0.32 * Sine(2 * hz * t) * std::exp(-t / 0.2) + 0.1 * Sine(3 * hz * t);
        out[n] = static_cast<float>(envelope * tone / 1.2);
    }
    return out;
}

Mono Kick(double seconds) {
    Mono out(FramesOf(seconds));
    double phase = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / Rate;
        const double f = 44.0 + 80.0 * std::exp(-t / 0.035);
        phase += f / Rate;
        out[n] = static_cast<float>(Sine(phase) * Attack(t, 0.001) * std::exp(-t / 0.2) *
                                    Release(t, seconds, 0.02));
    }
    return out;
}

Mono Hiss(Noise& noise, double seconds, double decay, double cutoff) {
    Mono out(FramesOf(seconds));
    const double a = 1.0 / (1.0 + 2 * Pi * cutoff / Rate);
    double x1 = 0, y1 = 0, z1 = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / Rate;
        const double x = noise.Range(-1.0, 1.0);
        const double y = a * (y1 + x - x1);  // two one-pole high-passes in a row
        const double z = a * (z1 + y - y1);
        x1 = x;
        y1 = y;
        z1 = z;
        out[n] =
            static_cast<float>(z * Attack(t, 0.0008) * std::exp(-t / decay) * Release(t, seconds, 0.005));
    }
    return out;
}

Mono Sweep(Noise& noise, double seconds, double f0, double f1, double peak, double q) {
    Mono out(FramesOf(seconds));
    double low = 0, band = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / Rate;
        const double u = t / seconds;
        const double centre = f0 * std::pow(f1 / f0, u);
        const double f = 2.0 * std::sin(Pi * std::min(centre, 12000.0) / Rate);
        const double x = noise.Range(-1.0, 1.0);
        const double high = x - low - band / q;
        band += f * high;
        low += f * band;
        // Rises to the peak, then falls away; a peak at the very end only rises.
        const double shape = peak >= 1.0 ? std::pow(std::sin(0.5 * Pi * u), 2.0) * Release(t, seconds, 0.02)
                             : u < peak  ? std::pow(std::sin(0.5 * Pi * u / peak), 2.0)
                                         : std::pow(std::cos(0.5 * Pi * (u - peak) / (1.0 - peak)), 2.0);
        out[n] = static_cast<float>(band * shape * 0.7);
    }
    return out;
}

Mono Glide(double f0, double f1, double seconds, double vibrato) {
    Mono out(FramesOf(seconds));
    double phase = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = static_cast<double>(n) / Rate;
        const double u = t / seconds;
        const double f = f0 * std::pow(f1 / f0, u) * (1.0 + vibrato * u * Sine(5.3 * t));
        phase += f / Rate;
        const double tone = Sine(phase) + 0.3 * Sine(2 * phase + 0.1) + 0.12 * Sine(3 * phase + 0.2);
        out[n] = static_cast<float>(tone / 1.3 * std::pow(u, 1.5) * Release(t, seconds, 0.03));
    }
    return out;
}

void Reverb(Track& track, double room, double damping, double wet) {
    static const int combTuning[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int allPassTuning[4] = {556, 441, 341, 225};
    constexpr int Spread = 23;
    std::array<std::array<Comb, 8>, 2> combs;
    std::array<std::array<AllPass, 4>, 2> allPasses;
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < 8; ++i) combs[c][i].buffer.assign(combTuning[i] + c * Spread, 0.0f);
        for (int i = 0; i < 4; ++i) allPasses[c][i].buffer.assign(allPassTuning[i] + c * Spread, 0.0f);
    }
    const float feedback = static_cast<float>(room * 0.28 + 0.7);
    const float damp = static_cast<float>(damping * 0.4);
    const Mono dryLeft = track.left, dryRight = track.right;
    RunFrames(track, [&](size_t i, bool keep) {
        const float input = (dryLeft[i] + dryRight[i]) * 0.015f;
        float out[2] = {0, 0};
        for (int c = 0; c < 2; ++c) {
            for (Comb& comb : combs[c]) out[c] += comb.Process(input, feedback, damp);
            for (AllPass& pass : allPasses[c]) out[c] = pass.Process(out[c]);
        }
        if (keep) {
            track.left[i] = dryLeft[i] + static_cast<float>(wet * 3.0) * out[0];
            track.right[i] = dryRight[i] + static_cast<float>(wet * 3.0) * out[1];
        }
    });
}

void Echo(Track& track, double delay, double feedback, double wet) {
    const size_t length = std::max<size_t>(1, FramesOf(delay));
    Mono bufferLeft(length, 0.0f), bufferRight(length, 0.0f);
    size_t index = 0;
    const Mono dryLeft = track.left, dryRight = track.right;
    const float fb = static_cast<float>(feedback), w = static_cast<float>(wet);
    RunFrames(track, [&](size_t i, bool keep) {
        const float outLeft = bufferLeft[index], outRight = bufferRight[index];
        bufferLeft[index] = (dryLeft[i] + dryRight[i]) * 0.5f + outRight * fb;
        bufferRight[index] = outLeft * fb;
        if (++index == length) index = 0;
        if (keep) {
            track.left[i] = dryLeft[i] + w * outLeft;
            track.right[i] = dryRight[i] + w * outRight;
        }
    });
}

void Normalise(Track& track, double peak) {
    float loudest = 0;
    for (size_t i = 0; i < track.Frames(); ++i)
        loudest = std::max({loudest, std::fabs(track.left[i]), std::fabs(track.right[i])});
    if (loudest <= 0) return;
    const float scale = static_cast<float>(peak / loudest);
    for (size_t i = 0; i < track.Frames(); ++i) {
        track.left[i] *= scale;
        track.right[i] *= scale;
    }
}

void FadeEnds(Track& track, double fadeIn, double fadeOut) {
    const double length = static_cast<double>(track.Frames()) / Rate;
    for (size_t i = 0; i < track.Frames(); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const float g = static_cast<float>(Attack(t, fadeIn) * Release(t, length, fadeOut));
        track.left[i] *= g;
        track.right[i] *= g;
    }
}

}  // namespace forge::synth
