#include "ui/layout.h"

#include <limits>

#include "tests/support/test_game.h"

using LayoutTest = GameTest;

TEST_F(LayoutTest, ScalePercentFloorsTheWorkedValues) {
    struct Case {
        int64_t size;
        float percent;
        int64_t result;
    } cases[] = {{1280, 93, 1190},    {1280, 99, 1267},  {768, 1, 7},         {768, 5, 38},   {768, 86, 660},
                 {1280, 58.75f, 752}, {768, 36.5f, 280}, {1280, 88.5f, 1132}, {807, 60, 484}, {181, 60, 108}};
    for (const Case& c : cases)
        EXPECT_EQ(ScalePercent(c.size, c.percent), c.result) << c.size << " x " << c.percent;
    EXPECT_EQ(ScalePercent(1280, std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(ScalePercent(1280, std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(ScalePercent(768, -1), -8);  // floor, not truncation
}

TEST_F(LayoutTest, WindowShiftAnchorsTheLayoutBottomRight) {
    OpenMainWindowForTest();  // largest client area: 1280 x 748
    UpdateWindowShift();
    EXPECT_EQ(Game.ShiftX, 0);
    EXPECT_EQ(Game.ShiftY, 20);
    const int64_t before = LayoutX(65);
    headless::SetClientSize(1080, 700);
    UpdateWindowShift();
    EXPECT_EQ(Game.ShiftX, 200);
    EXPECT_EQ(Game.ShiftY, 68);
    EXPECT_EQ(LayoutX(65), before - 200);
    headless::SetClientSize(900, 600);  // below the limits: held at 1080 x 668
    UpdateWindowShift();
    EXPECT_EQ(Game.ShiftX, 200);
    EXPECT_EQ(Game.ShiftY, 100);
}

TEST_F(LayoutTest, CellsOfTheReelWindow) {
    EXPECT_EQ(CellX(0), 118);
    EXPECT_EQ(CellY(0), 145);
    EXPECT_EQ(CellX(14), 918);
    EXPECT_EQ(CellY(14), 465);
    EXPECT_EQ(CellY(4), 305);
}

TEST_F(LayoutTest, PercentRectanglesIncludeTheirBounds) {
    OpenMainWindowForTest();
    UpdateWindowShift();
    const int64_t left = ScalePercent(1280, 65), top = ScalePercent(768, 88) - 20;
    EXPECT_TRUE(InPercentRect(left, top, 65, 75, 88, 94));
    EXPECT_FALSE(InPercentRect(left - 1, top, 65, 75, 88, 94));
    EXPECT_FALSE(InPercentRect(left, top - 1, 65, 75, 88, 94));
}
