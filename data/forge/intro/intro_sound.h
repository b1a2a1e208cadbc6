// The intro movie's sound track, made by the forge's synthesiser.
#pragma once

#include <cstdint>
#include <vector>

namespace forge::intro {

constexpr int SoundRate = 44100;

// The whole track, as long as the movie: interleaved left/right 16-bit samples.
std::vector<int16_t> IntroSoundTrack();

}  // namespace forge::intro
