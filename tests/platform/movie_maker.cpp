#include "tests/platform/movie_maker.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "data/forge/intro/mpeg_writer.h"

bool WriteTestMovie(const std::string& path, int w, int h, int frames, bool withSound) {
    forge::intro::MovieFormat format;
    format.width = w;
    format.height = h;
    format.framesPerSecond = 25;
    format.videoBitRate = 400'000;
    format.soundRate = 44100;
    std::vector<int16_t> sound;
    if (withSound) {
        sound.resize(static_cast<size_t>(frames) * 44100 / 25 * 2);
        for (size_t i = 0; i < sound.size() / 2; ++i) {
            const auto value = static_cast<int16_t>(6000.0 * std::sin(2.0 * M_PI * 440.0 * i / 44100.0));
            sound[2 * i] = sound[2 * i + 1] = value;
        }
    }
    forge::intro::MpegWriter writer;
    if (!writer.Open(path, format, std::move(sound))) return false;
    std::vector<uint32_t> picture(static_cast<size_t>(w) * h);
    for (int n = 0; n < frames; ++n) {
        // Ten steps of the video's luma (16 = black .. 235 = white) a picture.
        const int luma = std::min(235, 16 + 10 * n);
        const auto grey = static_cast<uint32_t>(std::lround((luma - 16) * 255.0 / 219.0));
        std::fill(picture.begin(), picture.end(), 0xFF000000u | grey << 16 | grey << 8 | grey);
        if (!writer.AddPicture(reinterpret_cast<const uint8_t*>(picture.data()), w * 4)) return false;
    }
    return writer.Finish();
}
