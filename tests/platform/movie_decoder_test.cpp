#include "platform/common/movie_decoder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "tests/platform/movie_maker.h"

namespace {

class MovieDecoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Its own folder: ctest runs the tests of this suite side by side.
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() / ("nebulor-tests-" + std::to_string(getpid())) /
                 (std::string("MovieDecoderTest.") + info->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        std::filesystem::remove(folder.parent_path(), ignored);  // when empty
    }
    std::string File(const char* name) { return (folder / name).string(); }
    std::filesystem::path folder;
};

// The grey level (red channel) in the middle of the current picture.
int Grey(platform::MovieDecoder* decoder) {
    std::vector<uint8_t> pixels(32 * 24 * 4);
    EXPECT_TRUE(platform::MovieDecoderPicture(decoder, 32, 24, pixels.data(), 32 * 4));
    const size_t middle = (12 * 32 + 16) * 4;
    // Grey stays grey, give or take the lossy encoding.
    EXPECT_NEAR(pixels[middle], pixels[middle + 1], 4);
    EXPECT_NEAR(pixels[middle + 2], pixels[middle + 1], 4);
    return pixels[middle + 2];
}

}  // namespace

TEST_F(MovieDecoderTest, PicturesFollowTheClockAndTheSoundComesAlong) {
    const std::string path = File("movie.mpg");
    ASSERT_TRUE(WriteTestMovie(path, 64, 48, 12, true));
    platform::MovieDecoder* decoder = platform::OpenMovieDecoder(path, 44100, 2);
    ASSERT_NE(decoder, nullptr);
    EXPECT_EQ(platform::MovieDisplayWidth(decoder), 64);
    EXPECT_EQ(platform::MovieDisplayHeight(decoder), 48);
    const int first = Grey(decoder);
    EXPECT_LT(first, 10);  // picture 0 is black

    std::vector<int16_t> sound;
    EXPECT_FALSE(platform::AdvanceMovieDecoder(decoder, 39, sound));  // picture 1 is due at 40 ms
    EXPECT_TRUE(platform::AdvanceMovieDecoder(decoder, 200, sound));
    const int fifth = Grey(decoder);  // picture 5: 10 * 5 grey steps above black
    EXPECT_NEAR(fifth, 58, 6);
    EXPECT_FALSE(platform::MovieDecoderFinished(decoder));
    EXPECT_TRUE(platform::AdvanceMovieDecoder(decoder, 100000, sound));
    EXPECT_TRUE(platform::MovieDecoderFinished(decoder));
    EXPECT_GT(Grey(decoder), fifth);
    // About 12 / 25 s of stereo sound, give or take one encoder frame.
    EXPECT_NEAR(static_cast<double>(sound.size()), 12.0 / 25 * 44100 * 2, 1152 * 2 * 2);
    platform::CloseMovieDecoder(decoder);

    // Without a sound format the sound is left alone.
    decoder = platform::OpenMovieDecoder(path, 0, 0);
    ASSERT_NE(decoder, nullptr);
    sound.clear();
    platform::AdvanceMovieDecoder(decoder, 100000, sound);
    EXPECT_TRUE(sound.empty());
    platform::CloseMovieDecoder(decoder);
}

TEST_F(MovieDecoderTest, FilesThatAreNoMoviesDoNotOpen) {
    EXPECT_EQ(platform::OpenMovieDecoder(File("missing.mpg"), 0, 0), nullptr);
    std::ofstream(File("empty.mpg")).close();
    EXPECT_EQ(platform::OpenMovieDecoder(File("empty.mpg"), 0, 0), nullptr);
    std::ofstream(File("text.mpg")) << "This is not a movie at all.\nJust some words.\n";
    EXPECT_EQ(platform::OpenMovieDecoder(File("text.mpg"), 0, 0), nullptr);
    std::mt19937 random(5);
    std::ofstream noise(File("noise.mpg"), std::ios::binary);
    for (int i = 0; i < 20000; ++i) noise.put(static_cast<char>(random()));
    noise.close();
    EXPECT_EQ(platform::OpenMovieDecoder(File("noise.mpg"), 0, 0), nullptr);

    // A movie cut off inside its first picture does not open either.
    ASSERT_TRUE(WriteTestMovie(File("whole.mpg"), 64, 48, 4, false));
    std::filesystem::copy_file(File("whole.mpg"), File("cut.mpg"));
    std::filesystem::resize_file(File("cut.mpg"), 40);
    EXPECT_EQ(platform::OpenMovieDecoder(File("cut.mpg"), 0, 0), nullptr);
}
