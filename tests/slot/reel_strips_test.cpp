#include "slot/reel_strips.h"

#include <array>

#include "tests/slot/slot_test_support.h"

// Symbols per strip, counted independently of the strip data: a transcription
// error in the data would silently change the game.
TEST(ReelStripTable, SymbolCountsPerStrip) {
    constexpr std::array<std::array<int, 5>, 12> expected = {{
        {17, 23, 15, 28, 20},
        {24, 40, 25, 37, 30},
        {14, 8, 7, 14, 23},
        {13, 4, 14, 7, 13},
        {13, 6, 15, 9, 9},
        {16, 11, 19, 8, 10},
        {14, 16, 17, 11, 14},
        {21, 25, 20, 21, 19},
        {13, 17, 16, 15, 9},
        {12, 11, 12, 11, 10},
        {7, 4, 4, 5, 6},
        {6, 5, 6, 4, 7},
    }};
    for (int reel = 0; reel < ReelCount; ++reel) {
        std::array<int, 12> counts{};
        for (int position = 0; position < StripLength; ++position)
            counts[StripTableSymbol(position, reel)] += 1;
        for (int symbol = 0; symbol < 12; ++symbol)
            EXPECT_EQ(counts[symbol], expected[symbol][reel])
                << "symbol " << symbol << " on reel " << reel + 1;
    }
}

TEST_F(SlotTest, OffsetToStops) {
    EXPECT_EQ(FirstStopIndex(-1600), -10);
    EXPECT_EQ(FirstStopIndex(-1601), -11);
    EXPECT_EQ(FirstStopIndex(-1759), -11);
    // -1600 shows stops 10, 9, 8 from top to bottom.
    for (int row = 0; row < 3; ++row) EXPECT_EQ(ReelSymbol(0, -1600, row), StripTableSymbol(10 - row, 0));
    // The index wraps: -170 x 160 shows stops 0, 169, 168.
    EXPECT_EQ(ReelSymbol(2, -170 * 160, 0), StripTableSymbol(0, 2));
    EXPECT_EQ(ReelSymbol(2, -170 * 160, 1), StripTableSymbol(169, 2));
    EXPECT_EQ(ReelSymbol(2, -170 * 160, 2), StripTableSymbol(168, 2));
}

TEST_F(SlotTest, SetupPlacesTheReelsWithTheirOwnStrips) {
    // The secure source is pinned to 0: reel r rests at -(10 r + 10) stops.
    for (int r = 0; r < ReelCount; ++r) {
        const ReelState& reel = Game.Reels[r];
        EXPECT_EQ(reel.restOffset, -(10 * r + 10) * 160);
        EXPECT_EQ(reel.x, 118 + r * 200);
        EXPECT_EQ(reel.y, 145);
        EXPECT_EQ(reel.alpha, 255);
        EXPECT_EQ(reel.spinning, 0);
        for (int p = 0; p < StripLength; ++p) ASSERT_EQ(reel.symbols[p], Game.ReelStrips[p * 5 + r]);
    }
    EXPECT_EQ(Game.ReelStrips[170 * 5 + 4], 0);  // row 170 stays empty
}

TEST_F(SlotTest, CaptureFillsTheGridAndCountsUncoveredScatters) {
    PlaceReel(0, 0, 0);   // stop 0 of reel 1 is a scatter, top row
    PlaceReel(1, 10, 0);  // stop 10 of reel 2 is a scatter, top row
    for (int r = 2; r < 5; ++r) PlaceReel(r, 5, 0);
    CaptureGrid();
    EXPECT_EQ(Game.SymbolGrid[0], 10);
    EXPECT_EQ(Game.SymbolGrid[1], StripTableSymbol(169, 0));
    EXPECT_EQ(Game.SymbolGrid[5], StripTableSymbol(8, 1));
    EXPECT_EQ(Game.ScatterCount, 2);
    Game.ExtraWildMap[3] = 1;  // a wild over the second scatter
    CaptureGrid();
    EXPECT_EQ(Game.ScatterCount, 1);
}
