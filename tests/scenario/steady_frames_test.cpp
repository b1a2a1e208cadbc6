// Steady frames allocate nothing: the idle scene and a presented win with its
// big-win banner and a message run for seconds without a single allocation.
#include "core/count_up.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/scenario.h"
#include "ui/paytable_page.h"

namespace {

constexpr std::array<int64_t, 3> AllOnes{1, 1, 1};
constexpr std::array<int64_t, 3> AllTwos{2, 2, 2};

class SteadyFramesTest : public ScenarioTest {
protected:
    // Allocations made by `frames` further frames.
    uint64_t AllocationsOver(int frames) {
        const uint64_t before = AllocationCount();
        RunFrames(frames);
        return AllocationCount() - before;
    }
};

}  // namespace

TEST_F(SteadyFramesTest, TheIdleSceneAllocatesNothing) {
    EndDemoByClick();
    RunFrames(300);  // the background sparkles reach their limit, the info text has rotated
    EXPECT_EQ(AllocationsOver(700), 0u);
}

TEST_F(SteadyFramesTest, APresentedWinWithBannerAndMessageAllocatesNothing) {
    EndDemoByClick();
    ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
    ClickButton(buttons::Start);
    ASSERT_TRUE(SettleSpin());
    RunFrames(700);  // every line has come up once (with its tone); now they cycle
    Game.BigWinActive = 1;
    StartCountUp(&Game.BigWinAmount, Game.CurrentWin, 10000);
    ShowAboutMessage();
    RunFrames(120);  // bursts and frames in full swing
    EXPECT_EQ(AllocationsOver(200), 0u);
}

TEST_F(SteadyFramesTest, FreeGamesTopLineAllocatesNothing) {
    EndDemoByClick();
    Game.GameMode = ModeFreeGames;
    Game.FreeGamesWon = 20;
    Game.FreeGamesPlayed = 12;
    RunFrames(60);
    EXPECT_EQ(AllocationsOver(200), 0u);
}
