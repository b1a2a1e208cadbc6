#include "core/sheet_animations.h"

#include "platform/platform.h"
#include "tests/support/test_game.h"

namespace {
class SheetAnimationsTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        OpenMainWindowForTest();
        for (int id : {11, 12, 13, 17}) platform::CreateBlankSprite(id, 1800, 4320);
    }
    int WildDraws(int& intensity) {
        int count = 0;
        for (const auto& r : headless::CurrentFrame())
            if (r.kind == headless::DrawKind::Sprite && r.id == 11) {
                ++count;
                intensity = r.options.intensity;
            }
        return count;
    }
};
}  // namespace

TEST_F(SheetAnimationsTest, TheFrameFollowsTheClockAcrossTheSheet) {
    SpriteAnimation a{13, 118, 145, 1000, 40, 25, 5, 200, 160};
    Game.FrameTime = 1000 + 40 * 7 + 39;  // frame 7: column 2, row 1
    DrawSheetAnimation(a, 200, 160);
    const auto& r = headless::CurrentFrame().back();
    EXPECT_EQ(r.options.clipX, 400);
    EXPECT_EQ(r.options.clipY, 160);
    EXPECT_EQ(r.x, 118);
    Game.FrameTime = 1000 + 40 * 25;  // wraps to frame 0
    DrawSheetAnimation(a, 200, 160);
    EXPECT_EQ(headless::CurrentFrame().back().options.clipX, 0);
    EXPECT_EQ(headless::CurrentFrame().back().options.clipY, 0);
}

TEST_F(SheetAnimationsTest, ExtraWildsFadeInOncePerMarkedCellAndStayVisibleInFreeGames) {
    Game.Level = 3;
    Game.GamePhase = PhaseSettled;
    Game.ExtraWildMap[0] = Game.ExtraWildMap[5] = Game.ExtraWildMap[9] = 1;
    DrawExtraWildOverlay();
    int intensity = 0;
    EXPECT_EQ(WildDraws(intensity), 3);
    EXPECT_EQ(Game.WildOverlayAlpha, 15);  // three cells: three steps of 5

    // Free games at level 1: sticky wilds are shown and fade in after each spin start.
    headless::Reset();
    SetUp();
    Game.Level = 1;
    Game.GameMode = ModeFreeGames;
    Game.GamePhase = PhaseSpinning;
    Game.WildOverlayAlpha = 0;
    Game.ExtraWildMap[4] = 1;
    for (int frame = 0; frame < 60; ++frame) DrawExtraWildOverlay();
    EXPECT_EQ(Game.WildOverlayAlpha, 255);

    // Nothing on the other screens, nor in the base game below level 3 without fun mode.
    headless::Reset();
    SetUp();
    Game.GameMode = ModeBaseGame;
    Game.Level = 2;
    Game.ExtraWildMap[4] = 1;
    DrawExtraWildOverlay();
    EXPECT_EQ(WildDraws(intensity), 0);
}

TEST_F(SheetAnimationsTest, FreeGameEffectsPauseThePresentationForOneSecondWithTheirSound) {
    Game.GameMode = ModeFreeGames;
    Game.FreeGameAnimations.push_back(SpriteAnimation{12, 118, 145, 0, 40, 25, 5, 200, 160});
    const std::vector<int16_t> pcm(44100 * 2, 0);  // one second of the effect
    platform::CreateSound(5, pcm.data(), 44100, 2, 44100);
    Game.FrameTime = 500;
    DrawFreeGameAnimations();
    EXPECT_EQ(Game.TimerGate, 1);
    DrawFreeGameAnimations();  // still playing: not started again
    int plays = 0;
    for (const auto& record : headless::SoundLog()) plays += record.sound == 5 && !record.stop;
    EXPECT_EQ(plays, 1);
    Game.FrameTime = 1499;
    DrawFreeGameAnimations();
    EXPECT_FALSE(Game.FreeGameAnimations.empty());
    Game.FrameTime = 1500;
    DrawFreeGameAnimations();
    EXPECT_TRUE(Game.FreeGameAnimations.empty());
    EXPECT_EQ(Game.TimerGate, 0);
    EXPECT_TRUE(headless::SoundLog().back().stop);  // the effect stops with its animations
}
