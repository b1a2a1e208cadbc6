// The intro's movie writer: what it writes plays in the game's own decoder
// with its colours the right way round, and a movie that was not finished
// never stands under the name of a whole one.
#include "data/forge/intro/mpeg_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/common/movie_decoder.h"

namespace {

using forge::intro::MovieFormat;
using forge::intro::MpegWriter;

class MpegWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 ("nebulor-forge-tests-" + std::to_string(getpid())) / info->name();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        format.width = 64;
        format.height = 48;
        format.videoBitRate = 400'000;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        std::filesystem::remove(folder.parent_path(), ignored);
    }

    // One second of a quiet tone.
    static std::vector<int16_t> Tone() {
        std::vector<int16_t> sound(44100 * 2);
        for (size_t i = 0; i < sound.size(); ++i)
            sound[i] = static_cast<int16_t>((i / 2) % 100 < 50 ? 3000 : -3000);
        return sound;
    }

    // Adds `count` pictures of one colour (0xAARRGGBB, as Cairo keeps it).
    bool AddPictures(MpegWriter& writer, int count, uint32_t colour) {
        std::vector<uint32_t> pixels(static_cast<size_t>(format.width) * format.height, colour);
        for (int i = 0; i < count; ++i)
            if (!writer.AddPicture(reinterpret_cast<const uint8_t*>(pixels.data()), format.width * 4))
                return false;
        return true;
    }

    std::filesystem::path folder;
    MovieFormat format;
};

}  // namespace

TEST_F(MpegWriterTest, AFinishedMoviePlaysWithItsColoursAndSoundAndTakesItsNameOnlyAtTheEnd) {
    const std::string path = (folder / "movie.mpg").string();
    MpegWriter writer;
    ASSERT_TRUE(writer.Open(path, format, Tone())) << writer.Problem();
    ASSERT_TRUE(AddPictures(writer, 25, 0xFFE02010));  // orange-red
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::exists(path + ".part"));
    ASSERT_TRUE(writer.Finish()) << writer.Problem();
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    platform::MovieDecoder* movie = platform::OpenMovieDecoder(path, 44100, 2);
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(platform::MovieDisplayWidth(movie), 64);
    EXPECT_EQ(platform::MovieDisplayHeight(movie), 48);
    std::vector<int16_t> sound;
    platform::AdvanceMovieDecoder(movie, 500, sound);
    uint8_t bgra[16 * 12 * 4];
    ASSERT_TRUE(platform::MovieDecoderPicture(movie, 16, 12, bgra, 16 * 4));
    const uint8_t* middle = bgra + (6 * 16 + 8) * 4;
    EXPECT_NEAR(middle[2], 0xE0, 12);  // red
    EXPECT_NEAR(middle[1], 0x20, 12);  // green
    EXPECT_NEAR(middle[0], 0x10, 12);  // blue
    platform::AdvanceMovieDecoder(movie, 10000, sound);
    EXPECT_NEAR(static_cast<double>(sound.size()), 44100.0 * 2, 1152 * 2 * 2);
    platform::CloseMovieDecoder(movie);
}

TEST_F(MpegWriterTest, AnAbandonedMovieLeavesTheOldOneAndNothingElse) {
    const std::string path = (folder / "movie.mpg").string();
    {
        MpegWriter writer;
        ASSERT_TRUE(writer.Open(path, format, {}));
        ASSERT_TRUE(AddPictures(writer, 5, 0xFF202020));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    MpegWriter whole;
    ASSERT_TRUE(whole.Open(path, format, {}));
    ASSERT_TRUE(AddPictures(whole, 5, 0xFF202020));
    ASSERT_TRUE(whole.Finish());
    const auto size = std::filesystem::file_size(path);
    {
        MpegWriter again;
        ASSERT_TRUE(again.Open(path, format, Tone()));
        ASSERT_TRUE(AddPictures(again, 20, 0xFFFFFFFF));
    }
    EXPECT_EQ(std::filesystem::file_size(path), size);
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

TEST_F(MpegWriterTest, SaysWhereItCannotWriteAndThenRefusesEverything) {
    const std::string path = (folder / "no such folder" / "movie.mpg").string();
    MpegWriter writer;
    EXPECT_FALSE(writer.Open(path, format, {}));
    EXPECT_NE(writer.Problem().find(path), std::string::npos) << writer.Problem();
    EXPECT_FALSE(AddPictures(writer, 1, 0xFF000000));
    EXPECT_FALSE(writer.Finish());
}
