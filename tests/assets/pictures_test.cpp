// Loading the pictures into sprites: order, failure messages, the language
// of the paytable page, the shared panel picture and the loading picture.
#include "assets/pictures.h"

#include <filesystem>

#include "assets/catalogue_numbers.h"
#include "assets/embedded.h"
#include "assets/picture_catalogue.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"

using PicturesTest = GameTest;

namespace {

// The embedded bytes of a picture with a stretch in its middle scrambled.
std::vector<uint8_t> Damaged(const char* kind, int number, int variant = 0) {
    const EmbeddedAsset* asset = FindEmbedded(kind, number, variant);
    std::vector<uint8_t> bytes(asset->data, asset->data + asset->size);
    for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 32; ++i) bytes[i] ^= 0xA5;
    return bytes;
}

bool Created(const PictureStep& step) {
    return step.kind == std::string("image") ? platform::ImageExists(step.number)
                                             : platform::SpriteExists(step.number);
}

std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : headless::MessageBoxes()) texts.push_back(box.title + "|" + box.text);
    return texts;
}

}  // namespace

TEST_F(PicturesTest, EveryPictureBecomesASpriteOfItsSize) {
    OpenMainWindowForTest();
    ASSERT_TRUE(LoadPictures());
    EXPECT_TRUE(headless::MessageBoxes().empty());
    for (const PictureEntry& e : kPictureCatalogue) {
        if (e.kind != std::string("sprite")) continue;
        SCOPED_TRACE(e.number);
        EXPECT_TRUE(platform::SpriteExists(e.number));
        EXPECT_EQ(platform::SpriteWidth(e.number), e.width);
        EXPECT_EQ(platform::SpriteHeight(e.number), e.height);
    }
    EXPECT_TRUE(platform::ImageExists(57));
    EXPECT_FALSE(platform::SpriteExists(57));  // the box is a plain image, not a sprite
    EXPECT_FALSE(platform::SpriteExists(72));  // made at run time by the messages
    EXPECT_FALSE(platform::SpriteExists(SpriteLoadingPicture));
}

TEST_F(PicturesTest, AFailureStopsTheLoadAtItsStepWithItsMessage) {
    const auto& steps = PictureLoadOrder();
    // A picture early, in the middle and at the end of the order, and the image.
    for (size_t failing : {size_t(0), size_t(36), size_t(69), steps.size() - 1}) {
        const PictureStep& bad = steps[failing];
        SCOPED_TRACE(bad.message);
        headless::Reset();
        ClearPictureReplacements();
        OpenMainWindowForTest();
        ReplacePictureData(bad.kind, bad.number, 0, Damaged(bad.kind, bad.number));
        EXPECT_FALSE(LoadPictures());
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Fehler|" + bad.message});
        for (size_t i = 0; i < steps.size(); ++i) EXPECT_EQ(Created(steps[i]), i < failing) << "step " << i;
    }
    EXPECT_EQ(steps[36].message, "Fehler beim laden von Grafiken b11");
    EXPECT_EQ(steps[69].message, "Fehler beim laden von Grafiken e2!");
}

TEST_F(PicturesTest, APictureMissingFromTheTableFailsLikeADamagedOne) {
    OpenMainWindowForTest();
    ReplacePictureData("sprite", 78, 0, {});
    EXPECT_FALSE(LoadPictures());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Fehler|Fehler beim laden von Grafiken bigwin 1 !"});
    EXPECT_TRUE(platform::SpriteExists(77));
    EXPECT_FALSE(platform::SpriteExists(80));
}

TEST_F(PicturesTest, ThePaytablePageFollowsTheLanguage) {
    // Only the English page is damaged: German loads, English and any other value fail.
    for (int64_t language : {0, 1, 2}) {
        SCOPED_TRACE(language);
        headless::Reset();
        OpenMainWindowForTest();
        ReplacePictureData("sprite", 19, 1, Damaged("sprite", 19, 1));
        Game.Language = language;
        EXPECT_EQ(LoadPictures(), language == 0);
        EXPECT_EQ(platform::SpriteExists(19), language == 0);
        const std::vector<std::string> boxes =
            language == 0 ? std::vector<std::string>{}
                          : std::vector<std::string>{"Fehler|Fehler beim laden von Grafiken 16!"};
        EXPECT_EQ(BoxTexts(), boxes);
    }
    // And the other way round.
    headless::Reset();
    ClearPictureReplacements();
    OpenMainWindowForTest();
    ReplacePictureData("sprite", 19, 0, Damaged("sprite", 19, 0));
    Game.Language = 1;
    EXPECT_TRUE(LoadPictures());
    EXPECT_EQ(platform::SpriteWidth(19), 1600);
}

TEST_F(PicturesTest, TheTwoPanelSpritesAreIndependent) {
    OpenMainWindowForTest();
    ASSERT_TRUE(LoadPictures());
    platform::FreeSprite(14);
    EXPECT_FALSE(platform::SpriteExists(14));
    EXPECT_TRUE(platform::SpriteExists(87));
    EXPECT_EQ(platform::SpriteWidth(87), 200);
    EXPECT_EQ(platform::SpriteHeight(87), 160);
}

TEST_F(PicturesTest, TheLoadingPictureBecomesItsOwnSprite) {
    OpenMainWindowForTest();
    ASSERT_TRUE(CreateLoadingPicture());
    EXPECT_EQ(platform::SpriteWidth(SpriteLoadingPicture), 400);
    EXPECT_EQ(platform::SpriteHeight(SpriteLoadingPicture), 200);
    headless::Reset();
    ReplacePictureData("picture", 0, 0, Damaged("picture", 0));
    EXPECT_FALSE(CreateLoadingPicture());
    EXPECT_FALSE(platform::SpriteExists(SpriteLoadingPicture));
}

TEST_F(PicturesTest, CheckLoadedShowsTheBoxOnlyOnFailure) {
    EXPECT_TRUE(CheckLoaded(true, "unused"));
    EXPECT_TRUE(headless::MessageBoxes().empty());
    EXPECT_FALSE(CheckLoaded(false, "Fehler beim laden von Grafiken a2!"));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Fehler|Fehler beim laden von Grafiken a2!"});
}

TEST_F(PicturesTest, ADamagedSymbolSheetEndsStartUpWithoutSaving) {
    Game.Points = 4321;
    SaveSettings();  // a returning player with 43.21 points
    const std::string save = SettingsFolder() + "Nebulor.Dat";
    std::vector<uint8_t> before, after;
    ASSERT_TRUE(platform::ReadWholeFile(save, before));
    ReplacePictureData("sprite", 6, 0, Damaged("sprite", 6));
    EXPECT_FALSE(Startup());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Fehler|Fehler beim laden von Grafiken 7!"});
    EXPECT_TRUE(platform::SpriteExists(5));
    EXPECT_FALSE(platform::SpriteExists(6));
    // Start-up stopped before the screen saver and the loop (only the loading
    // screen was shown); the save is untouched.
    EXPECT_TRUE(headless::ScreenSaverEnabled());
    EXPECT_EQ(headless::FlipCount(), 1);
    ASSERT_TRUE(platform::ReadWholeFile(save, after));
    EXPECT_EQ(before, after);
}

TEST_F(PicturesTest, StartUpLoadsThePicturesAfterTheMainScreenOpens) {
    SaveSettings();
    // Without a main window start-up ends before any picture is loaded.
    headless::FailService(headless::Service::Window0);
    EXPECT_FALSE(Startup());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Nebulor|Can't open Main Window"});
    for (const auto& step : PictureLoadOrder()) EXPECT_FALSE(Created(step)) << step.number;
    headless::Reset();
    ASSERT_TRUE(Startup());
    EXPECT_TRUE(platform::SpriteExists(15));
    EXPECT_TRUE(platform::SpriteExists(55));
    EXPECT_TRUE(platform::ImageExists(57));
    EXPECT_TRUE(headless::MessageBoxes().empty());
}
