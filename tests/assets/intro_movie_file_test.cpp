// The intro movie the forge ships (build/data/Intro.mpg), read by the game's
// own movie decoder the way the loading window plays it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/common/movie_decoder.h"

namespace {

const std::string MoviePath = std::string(NEBULOR_DATA_DIR) + "/Intro.mpg";
constexpr int SampleW = 160, SampleH = 96;

// The picture on show, scaled down, as B, G, R, A bytes.
std::vector<uint8_t> Picture(platform::MovieDecoder* movie) {
    std::vector<uint8_t> pixels(SampleW * SampleH * 4);
    EXPECT_TRUE(platform::MovieDecoderPicture(movie, SampleW, SampleH, pixels.data(), SampleW * 4));
    return pixels;
}

double MeanBrightness(const std::vector<uint8_t>& pixels) {
    double sum = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) sum += (pixels[i] + pixels[i + 1] + pixels[i + 2]) / 3.0;
    return sum / (pixels.size() / 4);
}

int LargestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

}  // namespace

TEST(ShippedIntroMovieTest, PlaysTwentySecondsOfPicturesThatEndOnAStillFrame) {
    ASSERT_TRUE(std::filesystem::exists(MoviePath)) << "the forge made no " << MoviePath;
    const auto bytes = std::filesystem::file_size(MoviePath);
    EXPECT_LE(bytes, 8'000'000u);
    EXPECT_GT(bytes, 1'000'000u);  // twenty seconds of pictures, not a stub

    platform::MovieDecoder* movie = platform::OpenMovieDecoder(MoviePath, 0, 0);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(platform::MovieDisplayWidth(movie), 1280);
    EXPECT_EQ(platform::MovieDisplayHeight(movie), 768);
    EXPECT_LT(MeanBrightness(Picture(movie)), 8) << "it opens out of black";

    // Pictures arrive every 40 ms; stepping by 10 ms sees each one change.
    std::vector<int16_t> sound;
    int pictures = 1;
    int64_t lastChange = 0;
    std::vector<std::pair<int64_t, std::vector<uint8_t>>> samples;
    const int64_t sampleTimes[] = {1500, 4000, 8000, 11000, 13000, 15000, 19000, 19960};
    size_t nextSample = 0;
    for (int64_t ms = 10; !platform::MovieDecoderFinished(movie) && ms < 30000; ms += 10) {
        if (platform::AdvanceMovieDecoder(movie, ms, sound)) {
            ++pictures;
            lastChange = ms;
        }
        if (nextSample < std::size(sampleTimes) && ms == sampleTimes[nextSample])
            samples.emplace_back(ms, Picture(movie)), ++nextSample;
    }
    EXPECT_TRUE(platform::MovieDecoderFinished(movie));
    EXPECT_EQ(pictures, 500);  // 20 s at 25 pictures a second
    EXPECT_NEAR(static_cast<double>(lastChange), 19960, 10);
    ASSERT_EQ(samples.size(), std::size(sampleTimes));
    for (const auto& [ms, pixels] : samples)
        EXPECT_GT(MeanBrightness(pixels), 20) << "dark picture at " << ms << " ms";
    // The flight, the reels and the logo are different pictures...
    EXPECT_GT(LargestDifference(samples[1].second, samples[3].second), 60);
    EXPECT_GT(LargestDifference(samples[3].second, samples[5].second), 60);
    // ...and the last second holds still, so the loading window can keep showing it.
    EXPECT_LE(LargestDifference(samples[6].second, samples[7].second), 3);
    platform::CloseMovieDecoder(movie);
}

TEST(ShippedIntroMovieTest, CarriesASoundTrackAsLongAsThePictures) {
    platform::MovieDecoder* movie = platform::OpenMovieDecoder(MoviePath, 44100, 2);
    ASSERT_NE(movie, nullptr);
    std::vector<int16_t> sound;
    platform::AdvanceMovieDecoder(movie, 100000, sound);
    platform::CloseMovieDecoder(movie);
    // Twenty seconds of stereo, give or take the last encoder frame of 1152 samples.
    EXPECT_NEAR(static_cast<double>(sound.size()), 20.0 * 44100 * 2, 1152 * 2 * 2);
    auto loudness = [&](double from, double to) {
        const size_t a = static_cast<size_t>(from * 44100) * 2,
                     b = std::min(sound.size(), static_cast<size_t>(to * 44100) * 2);
        double sum = 0;
        for (size_t i = a; i < b; ++i) sum += static_cast<double>(sound[i]) * sound[i];
        return b > a ? std::sqrt(sum / (b - a)) : 0.0;
    };
    EXPECT_GT(loudness(2, 6), 500);       // the flight is heard
    EXPECT_GT(loudness(13.5, 15), 1500);  // the chord when the logo flashes
    EXPECT_LT(loudness(19.8, 20), 100);   // and it has died away at the end
}
