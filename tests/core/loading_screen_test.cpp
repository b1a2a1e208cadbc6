// The loading window at start-up: its two texts, the fonts it creates and
// frees, the intro jingle's wait, and the failures on the way.
#include "core/loading_screen.h"

#include <vector>

#include "assets/bitmap_font.h"
#include "assets/catalogue_numbers.h"
#include "assets/embedded.h"
#include "assets/pictures.h"
#include "assets/sound_catalogue.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"

namespace {

class LoadingScreenTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        SaveSettings();  // a returning player: no first-start message before the loading screen
    }
    void TearDown() override {
        ClearEmbeddedOverrides();
        GameTest::TearDown();
    }
};

// Clock reading when sound 0 was started, -1 when it never was.
int64_t JingleStart() {
    for (const headless::SoundRecord& record : headless::SoundLog())
        if (record.sound == 0 && !record.stop) return record.time;
    return -1;
}

std::string OnlyBox() {
    const auto& boxes = headless::MessageBoxes();
    return boxes.size() == 1 ? boxes[0].title + "|" + boxes[0].text
                             : "boxes: " + std::to_string(boxes.size());
}

}  // namespace

TEST_F(LoadingScreenTest, TheLoadingFrameShowsTheTitleAndTheSkipHint) {
    ASSERT_TRUE(Startup());
    // The loading screen is the one frame shown during start-up.
    std::vector<headless::DrawRecord> title, hint;
    for (const headless::DrawRecord& record : headless::LastFrame()) {
        if (record.kind != headless::DrawKind::Sprite || record.id < 1000) continue;
        (record.h == 109 ? title : hint).push_back(record);
    }
    ASSERT_EQ(title.size(), 7u);  // "Nebulor" in the large font at size 1
    ASSERT_EQ(hint.size(), 10u);  // "ESC - SKIP" in the small font at 0.7
    EXPECT_EQ(title[0].x, 110 - 16);
    EXPECT_EQ(title[0].y, 80 - 39 - 16);
    EXPECT_EQ(hint[0].x, 164);  // 170 - 8 x 0.7
    EXPECT_EQ(hint[0].y, 166);  // 180 - round(7.7) - 5.6
    EXPECT_EQ(hint[0].h, 27);   // 38 x 0.7
    for (const auto& record : title) {
        EXPECT_EQ(record.options.tint, 0xFFFFFFu);
        EXPECT_EQ(record.options.intensity, 255);
        EXPECT_GT(record.x, 0);
        EXPECT_LT(record.x + record.w, 400 + 16);  // inside the window but for the glow border
    }
    EXPECT_LT(hint.back().x + hint.back().w, 400);
    EXPECT_GT(title[6].x, title[0].x);
}

TEST_F(LoadingScreenTest, FontsAreFreedAfterTheLoadingScreenAndMadeAgainForTheMainScreen) {
    ASSERT_TRUE(Startup());
    EXPECT_FALSE(platform::WindowExists(3));
    EXPECT_FALSE(platform::SpriteExists(SpriteLoadingPicture));
    // The atlases the loading frame was drawn from are gone; the fonts of the main screen have their own.
    for (const headless::DrawRecord& record : headless::LastFrame())
        if (record.kind == headless::DrawKind::Sprite && record.id >= 1000) {
            bool current = false;
            for (int64_t id = 5; id <= 9; ++id)
                current = current || FontById(id)->glyphSet->atlasSprite == record.id;
            EXPECT_EQ(platform::SpriteExists(record.id), current);
        }
    for (int64_t id = 5; id <= 9; ++id) {
        ASSERT_NE(FontById(id), nullptr);
        EXPECT_TRUE(platform::SpriteExists(static_cast<int>(FontById(id)->glyphSet->atlasSprite)));
    }
    EXPECT_GT(platform::SystemTextWidth(6, "Nebulor"), 0);
}

TEST_F(LoadingScreenTest, TheJingleHoldsTheLoadingScreenForItsLength) {
    ASSERT_TRUE(Startup());
    const int64_t start = JingleStart();
    ASSERT_GE(start, 0);
    EXPECT_GE(headless::Clock() - start, 8630);
    EXPECT_LE(headless::Clock() - start, 8640);
    EXPECT_EQ(headless::SoundLog().front().flags, platform::SoundMultiChannel);
    EXPECT_EQ(headless::SoundLog().front().volume, Game.MusicVolume);
    for (const SoundEntry& entry : kSoundCatalogue) EXPECT_TRUE(platform::SoundExists(entry.number));
}

TEST_F(LoadingScreenTest, EscapeStopsTheJingleAtOnce) {
    headless::PressKey(platform::KeyEscape);
    ASSERT_TRUE(Startup());
    headless::ReleaseKey(platform::KeyEscape);
    const int64_t start = JingleStart();
    ASSERT_GE(start, 0);
    EXPECT_EQ(headless::Clock() - start, 10);
    bool stopped = false;
    for (const headless::SoundRecord& record : headless::SoundLog())
        stopped = stopped || (record.stop && record.sound == 0 && record.channel == Game.MusicChannel);
    EXPECT_TRUE(stopped);
}

TEST_F(LoadingScreenTest, NoJingleNoWait) {
    const int64_t before = headless::Clock();
    PlayIntroJingle();
    EXPECT_EQ(headless::Clock(), before);
    EXPECT_TRUE(headless::SoundLog().empty());
}

TEST_F(LoadingScreenTest, TheFirstFontFailingClosesTheWindowAndNamesTahoma) {
    const std::vector<uint8_t> junk(32, '#');
    OverrideEmbedded("font", 0, junk.data(), junk.size());
    EXPECT_FALSE(Startup());
    EXPECT_EQ(OnlyBox(), "Nebulor|Can't open Font Tahoma");
    EXPECT_FALSE(platform::WindowExists(3));
    EXPECT_FALSE(platform::WindowExists(0));
    EXPECT_TRUE(headless::ScreenSaverEnabled());
    EXPECT_EQ(JingleStart(), -1);
}

TEST_F(LoadingScreenTest, AFontOfLoadFontsFailingEndsStartUp) {
    const std::vector<uint8_t> junk(32, '#');
    OverrideEmbedded("font", 2, junk.data(), junk.size());  // the third copy, font 8
    EXPECT_FALSE(Startup());
    EXPECT_EQ(OnlyBox(), "Nebulor|Can't open Font");
    EXPECT_FALSE(platform::WindowExists(3));
    EXPECT_EQ(headless::FlipCount(), 0);  // nothing was shown
}

TEST_F(LoadingScreenTest, ASoundThatCannotBeCreatedEndsStartUpBeforeTheJingle) {
    headless::SetSoundCreation(false);
    EXPECT_FALSE(Startup());
    EXPECT_EQ(OnlyBox(), "Fehler|Fehler beim laden von Sound 1!");
    EXPECT_EQ(headless::FlipCount(), 1);  // the loading screen had been shown
    EXPECT_EQ(JingleStart(), -1);
    EXPECT_FALSE(platform::WindowExists(0));
    EXPECT_TRUE(headless::ScreenSaverEnabled());
}
