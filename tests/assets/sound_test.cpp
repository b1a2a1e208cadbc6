// Music and effects: flags, volumes, channels, the spin jingles and the
// free-game track, line tones, and silence while sound is off.
#include "assets/sound.h"

#include <vector>

#include "assets/sound_catalogue.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"

namespace {

class SoundTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(LoadSounds());
        headless::ClearSoundLog();
    }
};

// The sounds started (not stopped), in order.
std::vector<int> Started() {
    std::vector<int> sounds;
    for (const headless::SoundRecord& record : headless::SoundLog())
        if (!record.stop) sounds.push_back(record.sound);
    return sounds;
}

std::vector<int> Stopped() {
    std::vector<int> sounds;
    for (const headless::SoundRecord& record : headless::SoundLog())
        if (record.stop) sounds.push_back(record.sound);
    return sounds;
}

}  // namespace

TEST_F(SoundTest, MusicAndEffectsUseTheirVolumeFlagsAndChannel) {
    Game.MusicVolume = 40;
    Game.EffectsVolume = 70;
    PlayMusic(3, 3);
    PlayEffect(4);
    const auto& log = headless::SoundLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].flags, 3);
    EXPECT_EQ(log[0].volume, 40);
    EXPECT_EQ(log[0].channel, Game.MusicChannel);
    EXPECT_EQ(log[1].flags, platform::SoundMultiChannel);
    EXPECT_EQ(log[1].volume, 70);
    EXPECT_EQ(log[1].channel, Game.EffectsChannel);
    EXPECT_NE(Game.MusicChannel, Game.EffectsChannel);
    EXPECT_TRUE(SoundPlaying(3, Game.MusicChannel));
    StopMusic(3);
    EXPECT_FALSE(SoundPlaying(3, Game.MusicChannel));
    EXPECT_TRUE(SoundPlaying(4, Game.EffectsChannel));
    StopEffect(4);
    EXPECT_FALSE(SoundPlaying(4, Game.EffectsChannel));
}

TEST_F(SoundTest, VolumesFromTheSettingsAreClamped) {
    Game.MusicVolume = 250;
    Game.EffectsVolume = -7;
    PlayMusic(1, 2);
    PlayEffect(7);
    ASSERT_EQ(headless::SoundLog().size(), 2u);
    EXPECT_EQ(headless::SoundLog()[0].volume, 100);
    EXPECT_EQ(headless::SoundLog()[1].volume, 0);
    // Started silently, an effect still reports that it plays.
    EXPECT_TRUE(SoundPlaying(7, Game.EffectsChannel));
}

TEST_F(SoundTest, LineTonesPlayOnlyForTheFirstTenLines) {
    PlayLineTone(0);
    PlayLineTone(11);
    PlayLineTone(-1);
    EXPECT_TRUE(headless::SoundLog().empty());
    PlayLineTone(1);
    PlayLineTone(10);
    PlayLineTone(5);
    EXPECT_EQ(Started(), (std::vector<int>{23, 32, 27}));
}

TEST_F(SoundTest, SpinJinglesAlternateAndStopEachOther) {
    SpinMusic();
    SpinMusic();
    SpinMusic();
    EXPECT_EQ(Started(), (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(Stopped(), (std::vector<int>{2, 3, 1, 3, 2, 3}));
    EXPECT_EQ(Game.JingleToggle, 1);
    EXPECT_TRUE(SoundPlaying(1, Game.MusicChannel));
}

TEST_F(SoundTest, FreeGameTrackStartsOnceAndLoopsAcrossSpins) {
    SpinMusic();  // jingle A in the base game
    Game.FreeGamesWon = 10;
    Game.FreeGamesPlayed = 0;
    SpinMusic();
    headless::AdvanceClock(20000);  // longer than the track: it loops
    SpinMusic();
    Game.FreeGamesPlayed = 3;
    SpinMusic();
    EXPECT_EQ(Started(), (std::vector<int>{1, 3}));
    EXPECT_EQ(Game.JingleToggle, 0);
    ASSERT_EQ(headless::SoundLog().back().sound, 3);
    EXPECT_EQ(headless::SoundLog().back().flags, 3);
    EXPECT_TRUE(SoundPlaying(3, Game.MusicChannel));

    // Stopped (the series ended in between), the next free spin starts it again.
    StopMusic(3);
    Game.FreeGamesWon = Game.FreeGamesPlayed;
    Game.GameMode = ModeFreeGames;
    SpinMusic();
    EXPECT_EQ(Started(), (std::vector<int>{1, 3, 3}));
}

TEST_F(SoundTest, EffectIfIdleWaitsForTheRunningOne) {
    PlayEffectIfIdle(5);
    headless::AdvanceClock(300);
    PlayEffectIfIdle(5);
    EXPECT_EQ(Started(), (std::vector<int>{5}));
    headless::AdvanceClock(400);  // 0.69 s have passed
    PlayEffectIfIdle(5);
    EXPECT_EQ(Started(), (std::vector<int>{5, 5}));
}

TEST_F(SoundTest, NothingSoundsWhileSoundIsOff) {
    Game.SoundOn = 0;
    PlayMusic(0, 2);
    PlayEffect(4);
    PlayEffectIfIdle(5);
    PlayLineTone(3);
    SpinMusic();
    StopMusic(1);
    StopEffect(4);
    EXPECT_TRUE(headless::SoundLog().empty());
    EXPECT_EQ(Game.JingleToggle, 0);
}
