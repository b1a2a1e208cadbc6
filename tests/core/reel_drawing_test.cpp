#include "core/reel_drawing.h"

#include "platform/platform.h"
#include "tests/support/test_game.h"

namespace {

class ReelDrawingTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        OpenMainWindowForTest();
        // A strip that tells its stops apart: symbol = stop mod 12 (0..11).
        for (int64_t i = 0; i < StripLength; ++i) strip[static_cast<size_t>(i)] = i % 12;
        for (int id = 0; id < 12; ++id) platform::CreateBlankSprite(id, 1000, 800);
    }
    std::vector<headless::DrawRecord> Draws() {
        std::vector<headless::DrawRecord> out;
        for (const auto& record : headless::CurrentFrame())
            if (record.kind == headless::DrawKind::Sprite) out.push_back(record);
        return out;
    }
    std::array<int64_t, StripLength> strip{};
};

}  // namespace

TEST_F(ReelDrawingTest, AnExactStopFillsTheWindowAndTheFourthSymbolIsClippedAway) {
    DrawReel(-1600, 118, 145, 480, strip, 255, 0);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 4u);  // stops -10, -9, -8 and -7
    EXPECT_EQ(draws[0].id, 10);   // |-10 rem 170| = 10
    EXPECT_EQ(draws[0].y, 145);
    EXPECT_EQ(draws[1].id, 9);
    EXPECT_EQ(draws[1].y, 305);
    EXPECT_EQ(draws[2].id, 8);
    EXPECT_EQ(draws[2].y, 465);
    EXPECT_EQ(draws[3].options.clipHeight, 0);  // its top is at the window's bottom edge
}

TEST_F(ReelDrawingTest, ASymbolHalfAboveTheWindowIsCutFromItsTop) {
    DrawReel(-1680, 118, 145, 480, strip, 255, 0);
    const auto draws = Draws();
    ASSERT_FALSE(draws.empty());
    // first = (-1680 - 159) / 160 = -11 (truncated); its top is 80 pixels above the window.
    EXPECT_EQ(draws[0].id, 11);
    EXPECT_EQ(draws[0].y, 145);
    EXPECT_EQ(draws[0].options.clipY, 80);
    EXPECT_EQ(draws[0].options.clipHeight, 80);
    EXPECT_EQ(draws.back().options.clipHeight, 80);  // the last one is cut at the bottom
}

TEST_F(ReelDrawingTest, NegativeStopsReadTheStripFromItsStart) {
    strip[1] = 7;
    strip[169] = 3;
    DrawReel(-160, 0, 0, 480, strip, 255, 0);  // stops -1 .. 2: stop -1 shows strip[1], not strip[169]
    EXPECT_EQ(Draws()[0].id, 7);
}

TEST_F(ReelDrawingTest, CellsUnderAnExtraWildAreLeftEmpty) {
    Game.ExtraWildMap[3 * 2 + 1] = 1;  // reel 2, middle row
    DrawReel(-1600, 518, 145, 480, strip, 255, 2);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 3u);
    for (const auto& d : draws) EXPECT_NE(d.y, 305);
}

TEST_F(ReelDrawingTest, DuringABigWinEachSymbolIsAShadeMoreTransparent) {
    Game.BigWinActive = 1;
    DrawReel(-1600, 0, 0, 480, strip, 102, 0);
    auto draws = Draws();
    EXPECT_EQ(draws[0].options.intensity, 101);
    EXPECT_EQ(draws[1].options.intensity, 100);
    EXPECT_EQ(draws[2].options.intensity, 100);  // never below 100
    headless::Reset();
    OpenMainWindowForTest();
    for (int id = 0; id < 12; ++id) platform::CreateBlankSprite(id, 1000, 800);
    Game.BigWinActive = 0;
    DrawReel(-1600, 0, 0, 480, strip, 249, 0);
    draws = Draws();
    EXPECT_EQ(draws[0].options.intensity, 250);
    EXPECT_EQ(draws[1].options.intensity, 250);
}

TEST_F(ReelDrawingTest, AStoppedReelWithAScatterSparklesWhileOthersSpin) {
    strip[10] = SymbolScatter;
    Game.GamePhase = PhaseSpinning;
    Game.Reels[0].spinning = 0;
    for (int frame = 0; frame < 150; ++frame) DrawReel(-1600, 118, 145, 480, strip, 255, 0);
    EXPECT_EQ(Game.ParticleCount, 100);  // one a frame until 100 are alive
    Game.Reels[0].spinning = 1;          // a spinning reel throws none
    Game.Particles.clear();
    Game.ParticleCount = 0;
    DrawReel(-1600, 118, 145, 480, strip, 255, 0);
    EXPECT_EQ(Game.ParticleCount, 0);
}
