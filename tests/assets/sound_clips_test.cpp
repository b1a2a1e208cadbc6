// The embedded clips themselves: lengths, format, pitch order, clean loops,
// and creating them in the catalogue order with the German failure message.
#include <cmath>
#include <vector>

#include "assets/embedded.h"
#include "assets/sound_catalogue.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"

namespace {

DecodedSound DecodeEmbedded(int number) {
    DecodedSound sound;
    const EmbeddedAsset* asset = FindEmbedded("sound", number);
    if (asset) DecodeOgg(asset->data, StoredSoundLength(number), sound);
    return sound;
}

double Sample(const DecodedSound& sound, size_t frame, int channel) {
    return sound.pcm[frame * sound.channels + channel] / 32768.0;
}

// The semitone (MIDI note) with the most energy from 0.05 s to 0.25 s.
int DominantNote(const DecodedSound& sound) {
    const size_t start = 2205, frames = 8820;
    int best = 0;
    double bestPower = -1;
    for (int note = 36; note <= 108; ++note) {
        const double w = 2 * M_PI * 440.0 * std::pow(2.0, (note - 69) / 12.0) / sound.rate;
        const double c = 2 * std::cos(w);
        double s1 = 0, s2 = 0;
        for (size_t i = start; i < start + frames; ++i) {
            const double s0 = Sample(sound, i, 0) + Sample(sound, i, 1) + c * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        const double power = s1 * s1 + s2 * s2 - c * s1 * s2;
        if (power > bestPower) {
            bestPower = power;
            best = note;
        }
    }
    return best;
}

class SoundLoadingTest : public GameTest {
protected:
    void TearDown() override {
        ClearEmbeddedOverrides();
        GameTest::TearDown();
    }
};

}  // namespace

TEST(SoundClips, EveryClipDecodesToItsListedLengthAsStereo44k) {
    for (const SoundEntry& entry : kSoundCatalogue) {
        SCOPED_TRACE(entry.number);
        const DecodedSound sound = DecodeEmbedded(entry.number);
        ASSERT_GT(sound.Frames(), 0u);
        EXPECT_EQ(sound.rate, 44100);
        EXPECT_EQ(sound.channels, 2);
        EXPECT_NEAR(static_cast<double>(sound.Frames()) / sound.rate, entry.seconds, 0.01);
        // Audible, and never driven into the rails.
        double peak = 0;
        for (int16_t value : sound.pcm) peak = std::max(peak, std::fabs(value / 32768.0));
        EXPECT_GT(peak, 0.3);
        EXPECT_LT(peak, 0.99);
    }
}

TEST(SoundClips, StoredBlobsLieBackToBack) {
    for (const SoundEntry& entry : kSoundCatalogue) {
        const EmbeddedAsset* asset = FindEmbedded("sound", entry.number);
        ASSERT_NE(asset, nullptr) << entry.number;
        EXPECT_EQ(StoredSoundLength(entry.number), asset->size) << entry.number;
        EXPECT_STREQ(asset->label, entry.label);
    }
}

TEST(SoundClips, LoopingTracksJoinWithoutAJump) {
    for (int number : {3, 6}) {
        const DecodedSound sound = DecodeEmbedded(number);
        ASSERT_GT(sound.Frames(), 1000u);
        const size_t last = sound.Frames() - 1;
        for (int channel = 0; channel < 2; ++channel) {
            double typical = 0;
            for (size_t i = 1; i < sound.Frames(); ++i)
                typical += std::fabs(Sample(sound, i, channel) - Sample(sound, i - 1, channel));
            typical /= static_cast<double>(last);
            const double seam = std::fabs(Sample(sound, 0, channel) - Sample(sound, last, channel));
            EXPECT_LT(seam, 3 * typical) << "sound " << number;
            // The loop does not fade out: it is still playing at its end.
            EXPECT_GT(std::fabs(Sample(sound, last, channel)) + std::fabs(Sample(sound, last - 100, channel)),
                      1e-3);
        }
    }
}

TEST(SoundClips, WinLineTonesRiseAndLadderTicksFall) {
    int previous = 0;
    for (int number = 23; number <= 32; ++number) {
        const int note = DominantNote(DecodeEmbedded(number));
        EXPECT_GT(note, previous) << "sound " << number;
        previous = note;
    }
    previous = 1000;
    for (int number = 8; number <= 11; ++number) {
        const int note = DominantNote(DecodeEmbedded(number));
        EXPECT_LT(note, previous) << "sound " << number;
        previous = note;
    }
}

TEST(SoundClips, DamagedDataIsNoClip) {
    DecodedSound sound;
    EXPECT_FALSE(DecodeOgg(nullptr, 0, sound));
    const std::vector<uint8_t> noise(4000, 0x5A);
    EXPECT_FALSE(DecodeOgg(noise.data(), noise.size(), sound));
    const EmbeddedAsset* asset = FindEmbedded("sound", 4);
    ASSERT_NE(asset, nullptr);
    // Only the headers: a stream without audio.
    EXPECT_FALSE(DecodeOgg(asset->data, 200, sound));
}

TEST_F(SoundLoadingTest, LoadSoundsCreatesEveryCatalogueSound) {
    ASSERT_TRUE(LoadSounds());
    for (const SoundEntry& entry : kSoundCatalogue)
        EXPECT_TRUE(platform::SoundExists(entry.number)) << entry.number;
    EXPECT_TRUE(headless::MessageBoxes().empty());
    // Its channel reports it playing for its own length, then stopped.
    const int channel = platform::PlaySound(7, platform::SoundMultiChannel, 50);
    headless::AdvanceClock(190);
    EXPECT_EQ(platform::GetSoundStatus(7, channel), platform::SoundPlaying);
    headless::AdvanceClock(20);
    EXPECT_EQ(platform::GetSoundStatus(7, channel), platform::SoundStopped);
}

TEST_F(SoundLoadingTest, ADamagedClipStopsTheLoadNamingItsLabel) {
    const std::vector<uint8_t> damaged(3000, 0x17);
    struct Case {
        int number;
        const char* message;
        int createdBefore;  // a sound loaded earlier in the order
        int notCreated;     // a sound later in the order
    } cases[] = {
        {1, "Fehler beim laden von Sound 1!", 0, 2},
        {6, "Fehler beim laden von Sound 18!", 7, 23},
        {33, "Fehler beim laden von Sound 29!", 32, 33},
        {8, "Fehler beim laden von Sound 13!", 21, 9},
    };
    for (const Case& c : cases) {
        headless::Reset();
        ClearEmbeddedOverrides();
        OverrideEmbedded("sound", c.number, damaged.data(), damaged.size());
        EXPECT_FALSE(LoadSounds());
        ASSERT_EQ(headless::MessageBoxes().size(), 1u);
        EXPECT_EQ(headless::MessageBoxes()[0].title, "Fehler");
        EXPECT_EQ(headless::MessageBoxes()[0].text, c.message);
        EXPECT_TRUE(platform::SoundExists(c.createdBefore)) << c.number;
        EXPECT_FALSE(platform::SoundExists(c.notCreated)) << c.number;
    }
}

TEST_F(SoundLoadingTest, AMissingClipOrAFailingSoundLayerIsAFailure) {
    OverrideEmbedded("sound", 20, nullptr, 0);
    EXPECT_FALSE(LoadSounds());
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Fehler beim laden von Sound 11!");

    headless::Reset();
    ClearEmbeddedOverrides();
    headless::SetSoundCreation(false);
    EXPECT_FALSE(LoadSounds());
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Fehler beim laden von Sound 1!");
}
