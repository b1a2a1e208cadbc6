// Scenario support: the whole game started on the headless backend as a
// returning player, and helpers that play it the way a player does.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/test_game.h"
#include "ui/buttons.h"

// Starts the real game (settings file present, intro off) and runs its first frame.
class ScenarioTest : public GameTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Called with the data folder ready, just before the start: files a test wants found there.
    virtual void BeforeStartup() {}
    // Settings written before the start; change them in a test's SetUp before calling ScenarioTest::SetUp.
    int64_t language = 0;
    int64_t funMode = 0;
};

// Runs frames until `done` holds; false when it did not within `maxFrames`.
bool RunUntil(const std::function<bool()>& done, int maxFrames = 2000);

// Clicks the centre of a button's click rectangle (shift applied).
void ClickButton(const PercentRect& rect);
// The daily prize button, whose x is not shifted.
void ClickDailyButton();

// Ends the start-up payline demo by clicking on the reels.
void EndDemoByClick();

// Offset at which reel `reel` shows `rows` (top, middle, bottom; -1 = any).
int64_t OffsetShowing(int64_t reel, const std::array<int64_t, 3>& rows);

// With the secure source pinned to 0 every reel travels a known distance: puts
// the reels where the next spin lands on `grid` (grid[reel][row], -1 = any).
void ArrangeNextSpin(const std::array<std::array<int64_t, 3>, 5>& grid);

// Runs frames until the reels have stopped and the spin has been evaluated.
bool SettleSpin();

// Runs frames until every count-up has arrived.
bool FinishCountUps();

// Draws into message pictures that carried `text`, since the log was last cleared.
bool MessageShown(const std::string& text);

// The characters that bitmap font `font` drew in `records` from index `from`
// on, read back from the atlas cells its glyph draws took, in drawing order;
// only draws tinted `colour` count (the text itself, not a dark rim behind it).
std::string BitmapTextDrawn(int64_t font, const std::vector<headless::DrawRecord>& records, size_t from = 0,
                            uint32_t colour = 0xFFFFFF);
