#include "slot/reels.h"

#include <cmath>

#include "slot/features.h"
#include "slot/paylines.h"
#include "slot/reel_strips.h"
#include "slot/stake.h"
#include "tests/slot/slot_test_support.h"

namespace {

// A spin as the START control asks for it: a pending win is collected first,
// and in fun mode three wild positions on the last reel are picked.
void StartTestSpin() {
    for (int i = 0; i < 3 && (Game.CurrentWin > 0 || AnyEntryUnpaid()); ++i) RequestSpin(false);
    RequestSpin(false);
    if (Game.GamePhase == PhaseWildPick) {
        for (int64_t cell : {12, 13, 14}) PickWild(cell);
        RequestSpin(false);
    }
    ASSERT_EQ(Game.GamePhase, PhaseSpinning);
}

}  // namespace

TEST_F(SlotTest, PinnedReelsTravelTwentyPlusTenStops) {
    int64_t rest[5];
    for (int r = 0; r < 5; ++r) rest[r] = Game.Reels[r].restOffset;
    StartTestSpin();
    for (int r = 0; r < 5; ++r) {
        const ReelState& reel = Game.Reels[r];
        EXPECT_EQ(reel.distance, (20 + 10 * r) * 160);
        EXPECT_EQ(reel.duration, std::llround(2.0 * (30 * r + 70) * std::log((20 + 10 * r) * 160 - 1.0)));
    }
    headless::SetFrameStep(0);
    EngineFrame();
    // The curve starts one pixel below the rest offset.
    EXPECT_EQ(Game.Reels[0].displayOffset, rest[0] - 1);
    headless::SetFrameStep(16);
    EXPECT_GT(RunUntilSettled(), 150);  // about 3.3 s of frames: the reels stop left to right
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
    EXPECT_EQ(Game.SpinFinished, 1);
    for (int r = 0; r < 5; ++r) EXPECT_EQ(Game.Reels[r].restOffset, rest[r] - (20 + 10 * r) * 160);
}

TEST_F(SlotTest, ALateFrameStopsTheReelsExactlyOnTarget) {
    StartTestSpin();
    int64_t target[5];
    for (int r = 0; r < 5; ++r) target[r] = Game.Reels[r].targetOffset;
    headless::AdvanceClock(60000);  // one very slow frame
    EngineFrame();
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
    for (int r = 0; r < 5; ++r) EXPECT_EQ(Game.Reels[r].displayOffset, target[r]);
}

TEST_F(SlotTest, TwoScattersRespinTheReelsToTheirRightOnce) {
    CreateTestSound(4);
    Game.Level = 2;
    PlaceReelsForSpin({0, 10, 5, 8, 5});  // scatters land on top of reels 1 and 2
    int64_t rest[5];
    for (int r = 0; r < 5; ++r) rest[r] = Game.Reels[r].restOffset;
    StartTestSpin();
    RunUntilSettled();
    EXPECT_EQ(PlaysOf(4), 2);
    EXPECT_EQ(Game.RespinDone, 1);
    EXPECT_EQ(Game.RespinAnimations.size(), 3u);
    EXPECT_EQ(Game.RespinRunning, 0);
    for (int r = 0; r < 5; ++r) {
        const int64_t travel = r < 2 ? 20 + 10 * r : (20 + 10 * r) + (10 + 10 * r);
        EXPECT_EQ(Game.Reels[r].restOffset, rest[r] - travel * 160) << "reel " << r;
    }
    EXPECT_EQ(Game.Level, 3);  // the two scatters still raise the level
}

TEST_F(SlotTest, AThirdScatterInTheRespinEndsTheSpinWithFreeGames) {
    Game.Level = 2;
    PlaceReelsForSpin({0, 10, 5, 5, 5});  // reel 4 lands on a scatter in the respin
    StartTestSpin();
    RunUntilSettled();
    EXPECT_EQ(Game.RespinDone, 1);
    EXPECT_EQ(Game.ScattersLanded, 3);
    EXPECT_EQ(Game.GameMode, ModeFreeGames);
    EXPECT_EQ(Game.FreeGamesWon, 10);
}

TEST_F(SlotTest, NoRespinWhenTheSecondScatterIsOnTheLastReel) {
    Game.Level = 2;
    PlaceReelsForSpin({0, 5, 5, 8, 9});
    StartTestSpin();
    RunUntilSettled();
    EXPECT_EQ(Game.ScattersLanded, 2);
    EXPECT_EQ(Game.RespinDone, 0);
    EXPECT_TRUE(Game.RespinAnimations.empty());
}

TEST_F(SlotTest, ScattersHoldNoReelsAtLevelOneInFunModeOrInFreeGames) {
    for (int variant = 0; variant < 3; ++variant) {
        Game.Level = variant == 0 ? 1 : 2;
        Game.FunMode = variant == 1 ? 1 : 0;
        Game.GameMode = variant == 2 ? ModeFreeGames : ModeBaseGame;
        Game.FreeGamesWon = variant == 2 ? 10 : 0;
        PlaceReelsForSpin({0, 10, 5, 8, 5});
        StartTestSpin();
        RunUntilSettled();
        EXPECT_EQ(Game.ScattersLanded, 0) << variant;
        EXPECT_EQ(Game.RespinDone, 0) << variant;
        Game.GameMode = ModeBaseGame;
    }
}

TEST_F(SlotTest, AScatterUnderAnExtraWildNeitherSoundsNorCounts) {
    CreateTestSound(4);
    Game.GameMode = ModeFreeGames;  // free games keep the extra wilds
    Game.FreeGamesWon = 5;
    Game.ExtraWildMap[0] = 1;
    PlaceReelsForSpin({0, 10, 5, 8, 5});
    StartTestSpin();
    RunUntilSettled();
    EXPECT_EQ(PlaysOf(4), 1);
    EXPECT_EQ(Game.SymbolGrid[0], SymbolWild);
    EXPECT_EQ(Game.FreeGamesWon, 5);  // one counted scatter: no award
}
