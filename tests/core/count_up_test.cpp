#include "core/count_up.h"

#include "tests/support/test_game.h"

using CountUpTest = GameTest;

TEST_F(CountUpTest, TransferGrowsSmoothlyAndDeliversExactlyTheAmount) {
    int64_t target = 500, display = -1;
    StartCountUp(&target, 1000, 1000);
    headless::AdvanceClock(250);
    EXPECT_EQ(StepCountUps(&display), 1);
    EXPECT_EQ(target, 750);
    EXPECT_EQ(display, 750);  // still to come
    headless::AdvanceClock(500);
    StepCountUps(&display);
    EXPECT_EQ(target, 1250);
    EXPECT_EQ(display, 250);
    headless::AdvanceClock(251);  // past the end: the rest arrives at once
    EXPECT_EQ(StepCountUps(&display), 0);
    EXPECT_EQ(target, 1500);
    EXPECT_TRUE(Game.CountUps.empty());
}

TEST_F(CountUpTest, QueuedTransfersRunOneAfterTheOther) {
    int64_t points = 0, display = 0;
    StartCountUp(&points, 1000, 1000);  // a collected win
    StartCountUp(&points, 1000, 1000);  // and a refill
    EXPECT_EQ(Game.CountUps[1].endTime, Game.CountUps[0].endTime + 1000);
    headless::AdvanceClock(500);
    StepCountUps(&display);
    EXPECT_EQ(points, 500);          // only the first one moves
    EXPECT_EQ(display, 500 + 1000);  // the sum still to come includes both
    headless::AdvanceClock(600);     // the first has ended, the second runs
    StepCountUps(&display);
    EXPECT_EQ(points, 1100);
    EXPECT_EQ(display, 900);
    headless::AdvanceClock(1000);
    EXPECT_EQ(StepCountUps(&display), 0);
    EXPECT_EQ(points, 2000);
}

TEST_F(CountUpTest, OverdueTransferArrivesWholeInOneStep) {
    int64_t target = 7, display = 99;
    StartCountUp(&target, 12345, 1000);
    headless::AdvanceClock(5000);
    EXPECT_EQ(StepCountUps(&display), 0);
    EXPECT_EQ(target, 7 + 12345);
    EXPECT_EQ(display, 0);
}

TEST_F(CountUpTest, ThirdQueuedTransferNeverTakesBackWhatItDelivered) {
    int64_t target = 0, display = 0;
    StartCountUp(&target, 100, 100);
    StartCountUp(&target, 100, 100);
    StartCountUp(&target, 100, 100);  // queued behind both: waits longer than its own length
    int64_t previous = 0;
    for (int step = 0; step < 60; ++step) {
        headless::AdvanceClock(10);
        StepCountUps(&display);
        EXPECT_GE(target, previous);
        previous = target;
    }
    EXPECT_EQ(target, 300);
}

TEST_F(CountUpTest, EmptyListLeavesTheDisplayAlone) {
    int64_t display = 42;
    EXPECT_EQ(StepCountUps(&display), 0);
    EXPECT_EQ(display, 42);
}
