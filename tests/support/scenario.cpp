#include "tests/support/scenario.h"

#include "assets/bitmap_font.h"
#include "assets/embedded.h"
#include "core/main_loop.h"
#include "core/startup.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "slot/reel_strips.h"
#include "ui/layout.h"

void ScenarioTest::SetUp() {
    GameTest::SetUp();
    Game.IntroOn = 0;
    Game.Language = language;
    Game.FunMode = funMode;
    SaveSettings();
    BeforeStartup();
    ASSERT_TRUE(Startup());
    RunFrames(1);
}

void ScenarioTest::TearDown() {
    ClearEmbeddedOverrides();
    GameTest::TearDown();
}

bool RunUntil(const std::function<bool()>& done, int maxFrames) {
    for (int i = 0; i < maxFrames; ++i) {
        if (done()) return true;
        RunFrames(1);
    }
    return done();
}

void ClickButton(const PercentRect& rect) { ClickAt(CentreX(rect.x1, rect.x2), CentreY(rect.y1, rect.y2)); }

void ClickDailyButton() {
    const PercentRect& r = buttons::DailyClick;
    const int x =
        static_cast<int>((ScalePercent(Game.ScreenWidth, r.x1) + ScalePercent(Game.ScreenWidth, r.x2)) / 2);
    ClickAt(x, CentreY(r.y1, r.y2));
}

void EndDemoByClick() { ClickAt(600, 400); }

int64_t OffsetShowing(int64_t reel, const std::array<int64_t, 3>& rows) {
    for (int64_t stop = 20; stop < 20 + StripLength; ++stop) {
        const int64_t offset = -stop * ReelStep();
        bool fits = true;
        for (int64_t row = 0; row < 3 && fits; ++row)
            fits = rows[static_cast<size_t>(row)] < 0 ||
                   ReelSymbol(reel, offset, row) == rows[static_cast<size_t>(row)];
        if (fits) return offset;
    }
    return 0;
}

void ArrangeNextSpin(const std::array<std::array<int64_t, 3>, 5>& grid) {
    headless::PinCryptRandomToZero(true);
    for (int64_t r = 0; r < ReelCount; ++r) {
        const int64_t target = OffsetShowing(r, grid[static_cast<size_t>(r)]);
        EXPECT_NE(target, 0) << "no stop of reel " << r << " shows the wanted symbols";
        // A spin takes reel r (20 + 10 r) stops further when the source gives 0.
        Game.Reels[static_cast<size_t>(r)].restOffset = target + (20 + 10 * r) * ReelStep();
    }
}

bool SettleSpin() {
    return RunUntil([] { return Game.GamePhase != PhaseSpinning; }, 1000);
}

bool FinishCountUps() {
    return RunUntil([] { return Game.CountUps.empty(); }, 1000);
}

bool MessageShown(const std::string& text) {
    for (const headless::DrawRecord& record : headless::SpriteDrawLog())
        if (record.kind == headless::DrawKind::SpriteText && record.text == text) return true;
    return false;
}

std::string BitmapTextDrawn(int64_t font, const std::vector<headless::DrawRecord>& records, size_t from,
                            uint32_t colour) {
    const BitmapFont* record = FontById(font);
    if (!record || !record->glyphSet) return "";
    const GlyphSet& set = *record->glyphSet;
    std::string text;
    for (size_t i = from; i < records.size(); ++i) {
        const headless::DrawRecord& draw = records[i];
        if (draw.kind != headless::DrawKind::Sprite || draw.id != set.atlasSprite ||
            draw.options.tint != colour)
            continue;
        for (const Glyph* glyph : set.glyphs)
            if (glyph && glyph->sourceX == draw.options.clipX && glyph->sourceY == draw.options.clipY) {
                text += static_cast<char>(glyph->index);
                break;
            }
    }
    return text;
}
