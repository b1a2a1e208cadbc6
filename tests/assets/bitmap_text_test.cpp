// Measuring and drawing text: anchor, kerning, spacing, slant, arc, the
// sentinel arguments and both rounding rules; and the start-up fonts.
#include <cmath>
#include <string>
#include <vector>

#include "assets/bitmap_font.h"
#include "assets/embedded.h"
#include "platform/platform.h"
#include "tests/assets/font_builder.h"
#include "tests/support/test_game.h"

namespace {

class BitmapTextTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        for (int64_t id = 0; id < 16; ++id) FreeFont(id);
        // Space 6 wide, A 10, B 5, C 3; line height 20, padding 2.
        font = LoadTestFont(5, PackageBuilder()
                                   .Atlas()
                                   .Glyphs({SimpleGlyph(32, 6, 0), SimpleGlyph('A', 10, 10),
                                            SimpleGlyph('B', 5, 24), SimpleGlyph('C', 3, 33)})
                                   .End()
                                   .bytes);
        ASSERT_NE(font, nullptr);
    }
    void TearDown() override {
        ClearEmbeddedOverrides();
        GameTest::TearDown();
    }

    // Sprite draws of the frame being built.
    static std::vector<headless::DrawRecord> Draws() {
        std::vector<headless::DrawRecord> draws;
        for (const auto& record : headless::CurrentFrame())
            if (record.kind == headless::DrawKind::Sprite) draws.push_back(record);
        return draws;
    }

    BitmapFont* font = nullptr;
};

}  // namespace

TEST_F(BitmapTextTest, TheLargeFontPlacesAnAAsWorkedOut) {
    ASSERT_TRUE(LoadFonts());
    DrawBitmapText(9, 100, 200, "A");
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    const Glyph* a = FontById(9)->glyphSet->glyphs['A'];
    EXPECT_EQ(draws[0].x, 84);
    EXPECT_EQ(draws[0].y, 145);
    EXPECT_EQ(draws[0].id, FontById(9)->glyphSet->atlasSprite);
    EXPECT_EQ(draws[0].options.clipX, a->sourceX);
    EXPECT_EQ(draws[0].options.clipY, a->sourceY);
    EXPECT_EQ(draws[0].w, a->outlayWidth + 32);
    EXPECT_EQ(draws[0].h, 109);
}

TEST_F(BitmapTextTest, MeasuringCountsEveryCharacterButOnlyGlyphsAddWidth) {
    float width = -1, height = -1;
    EXPECT_EQ(MeasureText(font,
                          "AB\x01"
                          "C",
                          1.0f, &width, &height),
              4);
    EXPECT_EQ(width, 18.0f);
    EXPECT_EQ(height, 20.0f);
    font->letterSpacing = 1.5f;
    EXPECT_FLOAT_EQ(TextWidth(5,
                              "AB\x01"
                              "C",
                              2.0f),
                    (18.0f + 1.5f * 4) * 2.0f);
    SetFontSize(5, 0.5f);
    EXPECT_FLOAT_EQ(TextWidth(5,
                              "AB\x01"
                              "C"),
                    (18.0f + 1.5f * 4) * 0.5f);
    EXPECT_FLOAT_EQ(TextHeight(5, "B"), 10.0f);
    EXPECT_EQ(TextWidth(77, "AB"), 0.0f);  // no such font
}

TEST_F(BitmapTextTest, EmptyTextMeasuresAndDrawsNothing) {
    float width = -1, height = -1;
    EXPECT_EQ(MeasureText(font, "", 1.0f, &width, &height), 0);
    EXPECT_EQ(width, 0.0f);
    EXPECT_EQ(height, 0.0f);
    EXPECT_EQ(TextWidth(5, ""), 0.0f);
    EXPECT_EQ(TextHeight(5, ""), 0.0f);
    DrawBitmapText(5, 10, 10, "");
    DrawBitmapText(42, 10, 10, "A");  // no such font
    EXPECT_TRUE(Draws().empty());
}

TEST_F(BitmapTextTest, GlyphsFollowThePenAndSkipCharactersWithoutGlyphs) {
    DrawBitmapText(5, 100, 50,
                   "A\x01"
                   "B C");
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 4u);
    const int xs[] = {98, 108, 113, 119};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(draws[i].x, xs[i]);
        EXPECT_EQ(draws[i].y, 48);
        EXPECT_EQ(draws[i].options.intensity, 255);
        EXPECT_EQ(draws[i].options.tint, 0xFFFFFFu);
    }
    EXPECT_EQ(draws[1].options.clipX, 24);
    EXPECT_EQ(draws[1].w, 9);
    EXPECT_EQ(draws[1].h, 24);
}

TEST_F(BitmapTextTest, SentinelsTakeTheFontsOwnStyle) {
    SetFontColour(5, 0x123456);
    SetFontSize(5, 2.0f);
    font->alpha = 90;
    DrawBitmapText(5, 0, 0, "A");
    DrawBitmapText(5, 0, 0, "A", 30, 0xFF0000, 1.0f, 0.0f);
    DrawBitmapText(5, 0, 0, "A", 300, 0x1ABCDEF);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].options.intensity, 90);
    EXPECT_EQ(draws[0].options.tint, 0x123456u);
    EXPECT_EQ(draws[0].w, 28);
    EXPECT_EQ(draws[0].h, 48);
    EXPECT_EQ(draws[0].x, -4);
    EXPECT_EQ(draws[1].options.intensity, 30);
    EXPECT_EQ(draws[1].options.tint, 0xFF0000u);
    EXPECT_EQ(draws[1].w, 14);
    EXPECT_EQ(draws[2].options.intensity, 255);  // intensity stays within 0..255
    EXPECT_EQ(draws[2].options.tint, 0xABCDEFu);
    ResetFontStyle(5);
    EXPECT_EQ(font->size, 1.0f);
    EXPECT_EQ(font->alpha, 255);
    EXPECT_EQ(font->colour, 0xFFFFFF);
}

TEST_F(BitmapTextTest, AnchorSetterKeepsAndMirrorsValues) {
    SetTextAnchor(5, 0.5f);
    EXPECT_EQ(font->anchorX, 0.5f);
    EXPECT_EQ(font->anchorY, 0.5f);
    SetTextAnchor(5, FontDefaultF, 0.25f);
    EXPECT_EQ(font->anchorX, 0.5f);
    EXPECT_EQ(font->anchorY, 0.25f);
    SetTextAnchor(5, 1.0f, FontDefaultF);
    EXPECT_EQ(font->anchorX, 1.0f);
    EXPECT_EQ(font->anchorY, 0.25f);
    SetTextAnchor(5, FontDefaultF);
    EXPECT_EQ(font->anchorY, 1.0f);
    ResetFontStyle(5);
    EXPECT_EQ(font->anchorX, 0.0f);
    EXPECT_EQ(font->anchorY, 0.0f);
}

TEST_F(BitmapTextTest, AnchorRoundsHalvesAwayFromZeroAndPositionsToEven) {
    // "B" is 5 wide: centred, the pen starts at round(-2.5) = -3.
    SetTextAnchor(5, 0.5f, 0.0f);
    DrawBitmapText(5, 10, 0, "B");
    // Height 20 at size 1.25 is 25: anchor 0.5 moves up by round(-12.5) = -13.
    SetTextAnchor(5, 0.0f, 0.5f);
    DrawBitmapText(5, 0, 13, "B", FontDefault, FontDefault, 1.25f);
    // Positions and zoomed sizes round halves to even.
    SetTextAnchor(5, 0.0f, 0.0f);
    DrawBitmapText(5, 0.5f, 2.5f, "C", FontDefault, FontDefault, 1.5f);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].x, 10 - 3 - 2);
    EXPECT_EQ(draws[1].x, -2);  // -2 x 1.25 = -2.5
    EXPECT_EQ(draws[1].y, -2);  // 13 - 13 - 2.5 = -2.5
    EXPECT_EQ(draws[2].x, -2);  // 0.5 - 3 = -2.5
    EXPECT_EQ(draws[2].y, 0);   // 2.5 - 3 = -0.5
    EXPECT_EQ(draws[2].w, 10);  // 7 x 1.5 = 10.5
    EXPECT_EQ(draws[2].h, 36);
}

TEST_F(BitmapTextTest, KerningStartsWithThePairOfZeroAndTheFirstCharacter) {
    font->kerning = 1;
    AddKerningPair(font, 0, 'A', 7);
    AddKerningPair(font, 'A', 'B', -2);
    AddKerningPair(font, 'B', 0, 4);  // after the last character, the right index is 0
    EXPECT_EQ(TextWidth(5, "AB"), 7 + 10 - 2 + 5 + 4);
    EXPECT_EQ(TextWidth(5, "BA"), 5 + 10);
    DrawBitmapText(5, 0, 0, "AB", FontDefault, FontDefault, 2.0f);
    DrawBitmapText(5, 0, 0, "BA");
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ(draws[0].x, 14 - 4);
    EXPECT_EQ(draws[1].x, 14 + 20 - 4 - 4);
    EXPECT_EQ(draws[2].x, -2);
    EXPECT_EQ(draws[3].x, 5 - 2);
    font->kerning = 0;
    EXPECT_EQ(TextWidth(5, "AB"), 15.0f);
}

TEST_F(BitmapTextTest, SlantShiftsGlyphsByTheirHeightAboveTheLine) {
    SetTextAnchor(5, 0.0f, 1.0f);
    DrawBitmapText(5, 0, 100, "A", FontDefault, FontDefault, 1.0f, 45.0f);
    font->slant = -45.0f;
    DrawBitmapText(5, 0, 100, "A");
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 2u);
    // tan 45 = 1: left = -2 + (20 - -2) x 1 x anchor Y 1.
    EXPECT_EQ(draws[0].x, 20);
    EXPECT_EQ(draws[1].x, -24);
    EXPECT_EQ(draws[0].w, 14);  // the glyph itself is not sheared
}

TEST_F(BitmapTextTest, AnArcBendsTheLineAroundItsCentre) {
    // A huge radius is almost a straight line.
    font->arcRadius = 1.0e6f;
    DrawBitmapText(5, 0, 50, "AAA");
    // Radius 10 / pi: after a 5-pixel pen step the second glyph is turned a quarter circle.
    font->arcRadius = 10.0f / 3.14159265f;
    font->letterSpacing = -5.0f;  // advance 10 - 5 = 5: the middle of the first glyph is at 2.5
    DrawBitmapText(5, 0, 50, "AA");
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 5u);
    EXPECT_EQ(draws[0].x, -2);
    EXPECT_EQ(draws[1].x, 8);
    EXPECT_EQ(draws[2].x, 18);
    EXPECT_EQ(draws[2].y, 48);
    // First glyph: a = 2.5 / R = pi / 4; dx = dy = -2: left = 0, top = -2 sqrt 2.
    EXPECT_EQ(draws[3].x, 0);
    EXPECT_EQ(draws[3].y, 50 - 3);
    // Second: px = 5, a = 3 pi / 4, b = pi / 2: left = 2 sqrt 2 + R, top = 0 + R.
    EXPECT_EQ(draws[4].x, static_cast<int>(std::lrint(2 * std::sqrt(2.0) + 10 / M_PI)));
    EXPECT_EQ(draws[4].y, static_cast<int>(std::lrint(50 + 10 / M_PI)));
}

TEST_F(BitmapTextTest, GlyphsDrawnBeforehandAtTheSizeAreUsedUnzoomedThePenUnchanged) {
    // 'A' also drawn at 0.6: a 7 x 9 cell at (3, 4) of its own atlas, placed (-1, -2) from the pen.
    const TestGlyph smallA{'A', -1, -2, 6, 12, 3, 4, 7, 9};
    BitmapFont* sized = LoadTestFont(
        6, PackageBuilder()
               .Atlas()
               .Glyphs({SimpleGlyph(32, 6, 0), SimpleGlyph('A', 10, 10), SimpleGlyph('B', 5, 24)})
               .Sized(600, {smallA})
               .End()
               .bytes);
    ASSERT_NE(sized, nullptr);
    ASSERT_EQ(sized->glyphSet->sized.size(), 1u);
    const int64_t small = sized->glyphSet->sized.front().atlasSprite;
    ASSERT_GE(small, 0);
    EXPECT_NE(small, sized->glyphSet->atlasSprite);
    EXPECT_NE(small, font->glyphSet->atlasSprite);

    DrawBitmapText(6, 100, 50, "AAB", FontDefault, FontDefault, 0.6f);
    auto draws = Draws();
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].id, small);
    EXPECT_EQ(draws[0].x, 99);
    EXPECT_EQ(draws[0].y, 48);
    EXPECT_EQ(draws[0].w, 7);  // as drawn beforehand, not zoomed
    EXPECT_EQ(draws[0].h, 9);
    EXPECT_EQ(draws[0].options.clipX, 3);
    EXPECT_EQ(draws[0].options.clipY, 4);
    EXPECT_EQ(draws[1].x, 105);  // the pen moved by 10 x 0.6 as always
    // B has no glyph at that size: its atlas glyph is zoomed.
    EXPECT_EQ(draws[2].id, sized->glyphSet->atlasSprite);
    EXPECT_EQ(draws[2].w, 5);  // (5 + 4) x 0.6
    EXPECT_FLOAT_EQ(TextWidth(6, "AAB", 0.6f), 25 * 0.6f);

    // Any other size, or a slanted line, zooms the atlas's glyphs.
    for (float size : {1.0f, 0.59f, 0.8f, 0.6f}) {
        const size_t before = Draws().size();
        DrawBitmapText(6, 100, 50, "A", FontDefault, FontDefault, size, size == 0.6f ? 10.0f : 0.0f);
        ASSERT_EQ(Draws().size(), before + 1);
        EXPECT_EQ(Draws().back().id, sized->glyphSet->atlasSprite) << size;
    }

    // A chunk that promises more records than it holds is left out.
    BitmapFont* damaged = LoadTestFont(
        7, PackageBuilder().Atlas().Glyphs({SimpleGlyph('A', 10, 10)}).Sized(600, {smallA}, 9).End().bytes);
    ASSERT_NE(damaged, nullptr);
    EXPECT_TRUE(damaged->glyphSet->sized.empty());
    FreeFont(6);
    FreeFont(7);
    EXPECT_FALSE(platform::SpriteExists(static_cast<int>(small)));
}

TEST_F(BitmapTextTest, TheSmallFontCarriesHintedGlyphsForItsSmallSizes) {
    ASSERT_TRUE(LoadFonts());
    for (int64_t id : {5, 6, 7, 8}) {
        const GlyphSet& set = *FontById(id)->glyphSet;
        ASSERT_EQ(set.sized.size(), 2u) << id;
        for (const SizedGlyphs& sized : set.sized) {
            EXPECT_TRUE(sized.size == 0.6f || sized.size == 0.8f) << sized.size;
            EXPECT_TRUE(platform::SpriteExists(static_cast<int>(sized.atlasSprite)));
            for (char c : std::string("Zeit:0123456789. Sek.Level/")) {
                const Glyph* glyph = sized.glyphs[static_cast<uint8_t>(c)];
                ASSERT_NE(glyph, nullptr) << c;
                // A cell about the size of the zoomed one, so text sits where it sat.
                const Glyph* big = set.glyphs[static_cast<uint8_t>(c)];
                EXPECT_NEAR(glyph->sourceHeight, big->sourceHeight * sized.size, 2.0) << c;
                EXPECT_NEAR(glyph->outlayY, big->outlayY * sized.size, 1.0) << c;
            }
        }
    }
}

TEST_F(BitmapTextTest, LoadFontsGivesFiveStyledFontsAndTheSystemFonts) {
    ASSERT_TRUE(LoadFonts());
    for (int64_t id = 5; id <= 9; ++id) {
        const BitmapFont* record = FontById(id);
        ASSERT_NE(record, nullptr) << id;
        EXPECT_EQ(record->anchorX, 0.0f);
        EXPECT_EQ(record->anchorY, 0.5f);
        EXPECT_EQ(record->colour, 0xFFFFFF);
        EXPECT_EQ(record->alpha, 255);
        EXPECT_EQ(record->size, 1.0f);
        EXPECT_EQ(record->kerning, 0);
        EXPECT_EQ(record->glyphSet->shareCount, 0);
        EXPECT_TRUE(platform::SpriteExists(static_cast<int>(record->glyphSet->atlasSprite)));
        for (int64_t other = 5; other < id; ++other) EXPECT_NE(FontById(other)->glyphSet, record->glyphSet);
    }
    EXPECT_EQ(TextHeight(5, "Punkte"), 22.0f);
    EXPECT_EQ(TextHeight(9, "WIN:"), 77.0f);
    EXPECT_EQ(TextWidth(5, "1234.50"), TextWidth(8, "1234.50"));
    EXPECT_GT(TextWidth(9, "1234.50"), 2.0f * TextWidth(5, "1234.50"));  // the large font
    // System fonts 0..6 grow with their point sizes 5 .. 50.
    int previous = 0;
    for (int id = 0; id < 7; ++id) {
        const int width = platform::SystemTextWidth(id, "Gewinn");
        EXPECT_GT(width, previous) << id;
        previous = width;
    }
}

TEST_F(BitmapTextTest, AFontThatCannotBeCreatedEndsLoadFonts) {
    const std::vector<uint8_t> junk(64, 'x');
    OverrideEmbedded("font", 1, junk.data(), junk.size());  // the second copy: font 5 comes first
    platform::OpenWindow(3, 0, 0, 400, 200, "Nebulor", platform::WindowBorderless);
    EXPECT_FALSE(LoadFonts());
    EXPECT_FALSE(platform::WindowExists(3));
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].title, "Nebulor");
    EXPECT_EQ(headless::MessageBoxes()[0].text, "Can't open Font");
    EXPECT_EQ(FontById(6), nullptr);  // no later font is tried
    EXPECT_EQ(FontById(9), nullptr);
    EXPECT_EQ(platform::SystemTextWidth(3, "Gewinn"), 0);

    ClearEmbeddedOverrides();
    headless::Reset();
    OverrideEmbedded("font", 3, junk.data(), junk.size());
    EXPECT_FALSE(LoadFonts());
    EXPECT_NE(FontById(8), nullptr);
    EXPECT_EQ(FontById(9), nullptr);
}
