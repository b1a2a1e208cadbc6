#include "ui/messages.h"

#include <cstdlib>

#include "assets/bitmap_font.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"
#include "ui/line_frame.h"

namespace {
class MessagesTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        OpenMainWindowForTest();
        ASSERT_TRUE(LoadFonts());
    }
};
}  // namespace

TEST_F(MessagesTest, LinesAreCentredOnTheLeftHalfAtTheirRows) {
    ShowMessage("Level up!", "", "Level: 2", "Feature: Respin", 0, 3, 3, 2, 1);
    int texts = 0, rims = 0;
    for (const auto& r : headless::SpriteDrawLog()) {
        if (r.kind != headless::DrawKind::SpriteText) continue;
        const int width = platform::SystemTextWidth(r.id, r.text);
        if (r.rgb == 0x000000u) {
            // The dark rim hugs the white line, a couple of pixels round it.
            ++rims;
            EXPECT_LE(std::abs(r.x - (220 - width / 2)), 2) << r.text;
            EXPECT_LT(r.alpha, 255);
            continue;
        }
        ++texts;
        EXPECT_EQ(r.x, 220 - width / 2) << r.text;
        EXPECT_TRUE(r.y == 50 || r.y == 130 || r.y == 150) << r.y;
        EXPECT_EQ(r.rgb, 0xFFFFFFu);
        EXPECT_EQ(r.alpha, 255);
    }
    EXPECT_EQ(texts, 3);  // the empty line draws nothing
    EXPECT_GE(rims, 3 * 4);
    // On the box picture the lines need no rim.
    headless::ClearSpriteDrawLog();
    ShowMessage("Ende der Freispiele", "", "", "", 1, 3, 3, 2, 1);
    for (const auto& r : headless::SpriteDrawLog())
        if (r.kind == headless::DrawKind::SpriteText) {
            EXPECT_EQ(r.rgb, 0xFFFFFFu);
        }
    EXPECT_TRUE(platform::SpriteExists(72));
}

TEST_F(MessagesTest, AMessageFadesInWhileWantedAndOutAfterwardsThenItsPictureGoes) {
    Game.MessageOverlayOn = 1;
    Game.SpinFinished = 1;
    ShowMessage("JACKPOT", "!! GRATULATION !!", "", "", 0, 3, 3, 2, 1);
    int64_t alpha = 0;
    for (int i = 0; i < 49; ++i) alpha = DrawMessageOverlay(alpha);
    EXPECT_EQ(alpha, 245);
    alpha = DrawMessageOverlay(alpha);
    EXPECT_EQ(alpha, 250);
    alpha = DrawMessageOverlay(alpha);
    EXPECT_EQ(alpha, 250);
    // A pending win hides it without closing it, and its picture is kept.
    Game.CurrentWin = 100;
    for (int i = 0; i < 60; ++i) alpha = DrawMessageOverlay(alpha);
    EXPECT_EQ(alpha, 0);
    EXPECT_TRUE(platform::SpriteExists(72));
    EXPECT_EQ(Game.MessageOverlayOn, 1);
    // Once the win is collected it shows again.
    Game.CurrentWin = 0;
    for (int i = 0; i < 10; ++i) alpha = DrawMessageOverlay(alpha);
    EXPECT_EQ(alpha, 50);
    EXPECT_EQ(Game.MessageOverlayOn, 1);
    // A new spin hides it for good: the picture goes at the end of the fade.
    Game.SpinFinished = 0;
    for (int i = 0; i < 10; ++i) alpha = DrawMessageOverlay(alpha);
    EXPECT_EQ(alpha, 0);
    EXPECT_FALSE(platform::SpriteExists(72));
    // With its picture gone a wanted message ends itself.
    Game.SpinFinished = 1;
    DrawMessageOverlay(alpha);
    EXPECT_EQ(Game.MessageOverlayOn, 0);
}

TEST_F(MessagesTest, TheLineFrameIsFiveWideSetInByFive) {
    DrawCellFrame(14, 1, 2, 3);
    int rects = 0;
    for (const auto& r : headless::CurrentFrame()) {
        if (r.kind != headless::DrawKind::Rect) continue;
        ++rects;
        EXPECT_EQ(r.rgb, 0x010203u);
        EXPECT_GE(r.x, 918 + 5);
        EXPECT_LE(r.x + r.w, 918 + 195);
        EXPECT_GE(r.y, 465 + 5);
        EXPECT_LE(r.y + r.h, 465 + 155);
        EXPECT_TRUE(r.w == 5 || r.h == 5);
    }
    EXPECT_EQ(rects, 4);
}
