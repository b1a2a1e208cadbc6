// The risk ladder and the daily prize wheel, played with the mouse.
#include <algorithm>
#include <string>

#include "assets/bitmap_font.h"
#include "assets/catalogue_numbers.h"
#include "platform/platform.h"
#include "slot/risk_ladder.h"
#include "tests/support/scenario.h"

namespace {

constexpr std::array<int64_t, 3> AllOnes{1, 1, 1};
constexpr std::array<int64_t, 3> AllTwos{2, 2, 2};

class LadderTest : public ScenarioTest {
protected:
    // A settled spin with a pending win of 10 lines x 5 = 50 at the lowest bet.
    void WinFifty() {
        EndDemoByClick();
        ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
        ClickButton(buttons::Start);
        ASSERT_TRUE(SettleSpin());
        // Let the presentation show every line.
        ASSERT_TRUE(RunUntil([] { return Game.CurrentWin == 50; }, 1000));
        pointsBefore = Game.Points;
    }
    int64_t pointsBefore = 0;
};

}  // namespace

TEST_F(LadderTest, AGambleTakenPaysTheRungsValue) {
    WinFifty();
    // 50 starts on rung 0; the first press also takes the first step (pinned source: up).
    ClickButton(buttons::Risk);
    EXPECT_EQ(Game.LadderOpen, 1);
    EXPECT_EQ(Game.LadderRung, 1);
    EXPECT_EQ(Game.CurrentWin, 0);  // the ladder holds the stake
    ClickButton(buttons::Risk);
    EXPECT_EQ(Game.LadderRung, 2);
    ClickButton(buttons::LadderTake);
    EXPECT_EQ(Game.LadderOpen, 0);
    EXPECT_EQ(Game.LadderFinished, 1);
    EXPECT_EQ(Game.CurrentWin, LadderValue(2));
    // A taken win cannot be gambled again; the next press collects it.
    ClickButton(buttons::Risk);
    EXPECT_EQ(Game.LadderOpen, 0);
    RunFrames(20);  // past the guard after the ladder closed
    ClickButton(buttons::Start);
    ASSERT_TRUE(FinishCountUps());
    EXPECT_EQ(Game.Points, pointsBefore + LadderValue(2));
}

TEST_F(LadderTest, AGambleLostLeavesNothingToCollect) {
    WinFifty();
    headless::PinCryptRandomToZero(false);
    // Find a draw that goes down from rung 0: the secure source is seeded, so this is repeatable.
    for (uint64_t seed = 1; seed < 200 && Game.LadderFinished == 0; ++seed) {
        headless::SeedCryptRandom(seed);
        if (platform::CryptRandom(1000) > 500) {
            headless::SeedCryptRandom(seed);
            ClickButton(buttons::Risk);
        }
    }
    ASSERT_EQ(Game.LadderFinished, 1);
    EXPECT_EQ(Game.LadderOpen, 0);
    EXPECT_EQ(Game.CurrentWin, 0);
    EXPECT_EQ(Game.DisplayedWin, 0);
    RunFrames(20);                // past the guard after the ladder closed
    ClickButton(buttons::Start);  // no win: this press spins
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.Points, pointsBefore - 10);
}

TEST_F(LadderTest, LeavingTheLadderForFiveSecondsLosesTheWin) {
    WinFifty();
    ClickButton(buttons::Risk);
    ASSERT_EQ(Game.LadderOpen, 1);
    RunFrames(150);  // about 2.5 s: still running, the countdown falls
    EXPECT_EQ(Game.LadderOpen, 1);
    EXPECT_LT(Game.LadderCountdown, 3000);
    EXPECT_TRUE(RunUntil([] { return Game.LadderOpen == 0; }, 400));
    EXPECT_EQ(Game.LadderFinished, 1);
    EXPECT_EQ(Game.CurrentWin, 0);
    EXPECT_LE(Game.LadderCountdown, 0);
    // While it ran, the ladder's ticks sounded.
    bool ticked = false;
    for (const headless::SoundRecord& record : headless::SoundLog())
        if (record.sound >= 8 && record.sound <= 11 && !record.stop) ticked = true;
    EXPECT_TRUE(ticked);
}

TEST_F(LadderTest, APressJustAfterTheLadderClosedOrAWinWasCollectedBuysNoSpin) {
    WinFifty();
    ClickButton(buttons::Risk);
    ASSERT_EQ(Game.LadderOpen, 1);
    ASSERT_TRUE(RunUntil([] { return Game.LadderOpen == 0; }, 400));  // time ran out
    // A press meant for TAKE, 100 ms late, lands on what is now SPIN.
    const int64_t points = Game.Points, staked = Game.TotalStaked;
    headless::AdvanceClock(100 - 16);
    ClickButton(buttons::Start);
    EXPECT_NE(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.Points, points);
    EXPECT_EQ(Game.TotalStaked, staked);
    // From 300 ms on, START spins again.
    RunFrames(20);
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.Points, points - 10);

    // The same after a press that collected: the next press too soon does nothing.
    ArrangeNextSpin({AllOnes, AllOnes, AllOnes, AllTwos, AllTwos});
    RunFrames(20);
    ClickButton(buttons::Start);
    ASSERT_TRUE(SettleSpin());
    ASSERT_TRUE(RunUntil([] { return Game.CurrentWin > 0; }, 200));
    ClickButton(buttons::Start);  // collects
    ASSERT_EQ(Game.CurrentWin, 0);
    const int64_t afterCollect = Game.TotalStaked;
    ClickButton(buttons::Start);
    EXPECT_NE(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.TotalStaked, afterCollect);
}

TEST_F(LadderTest, TheLadderIsDrawnInFrontOfTheWinPresentation) {
    WinFifty();
    ClickButton(buttons::Risk);
    ASSERT_EQ(Game.LadderOpen, 1);
    // Present a line again as the presentation does while the ladder is up.
    Game.WinDisplayBlocked = 0;
    RunFrames(2);
    int ladder = -1, lastEffect = -1, index = 0;
    for (const headless::DrawRecord& record : headless::LastFrame()) {
        if (record.kind == headless::DrawKind::Sprite && record.id == 37) ladder = index;
        const bool frame = record.kind == headless::DrawKind::Rect;
        const bool sparkleOrSymbol =
            record.kind == headless::DrawKind::Sprite && (record.id == 74 || record.id <= 13);
        if ((frame || sparkleOrSymbol) && record.x + record.w >= 1000) lastEffect = index;
        ++index;
    }
    ASSERT_GE(ladder, 0);
    EXPECT_GT(ladder, lastEffect);
}

class WheelTest : public ScenarioTest {
protected:
    // The white text of the large font drawn over the wheel picture in the last frame.
    static std::string TextOverTheWheel() {
        return BitmapTextDrawn(FontLarge, headless::LastFrame(), Wheel());
    }
    // Where the wheel picture is drawn in the last frame (its end when it is not).
    static size_t Wheel() {
        const std::vector<headless::DrawRecord>& frame = headless::LastFrame();
        size_t wheel = frame.size();
        for (size_t i = 0; i < frame.size(); ++i)
            if (frame[i].kind == headless::DrawKind::Sprite && frame[i].id >= 58 && frame[i].id <= 69)
                wheel = i;
        return wheel;
    }
    // Turns the daily wheel and waits until it has stopped; the prize in points.
    int64_t TurnTheWheel() {
        EndDemoByClick();
        ClickDailyButton();
        EXPECT_EQ(Game.GamePhase, PhaseWheelIdle);
        RunFrames(2);
        EXPECT_EQ(TextOverTheWheel(), "");
        ClickButton(buttons::Start);
        RunFrames(30);
        EXPECT_EQ(Game.GamePhase, PhaseWheelTurning);
        EXPECT_EQ(TextOverTheWheel(), "");  // nothing is won while it turns
        EXPECT_TRUE(RunUntil([] { return Game.GamePhase == PhaseWheelStopped; }, 20000));
        RunFrames(1);
        return Game.PrizeTarget;
    }
};

class EnglishWheelTest : public WheelTest {
protected:
    void SetUp() override {
        language = 1;
        WheelTest::SetUp();
    }
};

TEST_F(WheelTest, TheDailyWheelTurnsStopsAndIsCollected) {
    EndDemoByClick();
    ASSERT_EQ(Game.DailyAvailable, 1);  // a new player has never turned it
    ClickDailyButton();
    EXPECT_EQ(Game.GamePhase, PhaseWheelIdle);
    EXPECT_EQ(Game.DailyAvailable, 0);
    EXPECT_EQ(Game.LastDailyDate, platform::FormatDate("%yyyy/%mm/%dd", platform::CurrentDate()));
    bool music = false;
    for (const headless::SoundRecord& record : headless::SoundLog())
        if (record.sound == 6 && !record.stop && (record.flags & platform::SoundLoop)) music = true;
    EXPECT_TRUE(music);

    ClickButton(buttons::Start);
    EXPECT_EQ(Game.GamePhase, PhaseWheelTurning);
    EXPECT_GE(Game.PrizeTarget, 1);
    EXPECT_LE(Game.PrizeTarget, 11);
    const int64_t target = Game.PrizeTarget;
    ASSERT_TRUE(RunUntil([] { return Game.GamePhase == PhaseWheelStopped; }, 20000));
    EXPECT_GE(Game.PrizeLaps, 5);  // never stops in its first five turns
    EXPECT_EQ(Game.PrizeFrame, target);
    EXPECT_EQ(Game.CurrentWin, target * 100);

    const int64_t before = Game.Points;
    ClickButton(buttons::Start);
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
    ASSERT_TRUE(FinishCountUps());
    EXPECT_EQ(Game.Points, before + target * 100);
    // Once a day: the button is gone.
    ClickDailyButton();
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
}

TEST_F(WheelTest, StartingASpinWhileTheWheelTurnsAbandonsIt) {
    EndDemoByClick();
    ClickDailyButton();
    ClickButton(buttons::Start);
    ASSERT_EQ(Game.GamePhase, PhaseWheelTurning);
    RunFrames(20);
    const int64_t before = Game.Points;
    ClickButton(buttons::Start);  // a second press abandons the wheel without a prize and spins
    EXPECT_EQ(Game.GamePhase, PhaseSpinning);
    EXPECT_EQ(Game.Points, before - 10);
    EXPECT_EQ(Game.CurrentWin, 0);
}

TEST_F(WheelTest, TheStoppedWheelSaysWhatItPaidUntilItIsCollected) {
    const int64_t prize = TurnTheWheel();
    ASSERT_GE(prize, 1);
    const std::string said = "Gewinn: " + std::to_string(prize) + ".00 P";
    EXPECT_EQ(TextOverTheWheel(), said);
    // Still there a few seconds later, centred on the hub (50 %, 47.4 %).
    RunFrames(200);
    EXPECT_EQ(TextOverTheWheel(), said);
    int left = 100000, right = -100000, top = 100000, bottom = -100000;
    const GlyphSet& set = *FontById(FontLarge)->glyphSet;
    const std::vector<headless::DrawRecord>& frame = headless::LastFrame();
    for (size_t i = Wheel(); i < frame.size(); ++i)
        if (const headless::DrawRecord& r = frame[i];
            r.kind == headless::DrawKind::Sprite && r.id == set.atlasSprite && r.options.tint == 0xFFFFFF) {
            left = std::min(left, r.x);
            right = std::max(right, r.x + r.w);
            top = std::min(top, r.y);
            bottom = std::max(bottom, r.y + r.h);
        }
    EXPECT_NEAR((left + right) / 2, PercentX(50), 6);
    EXPECT_NEAR((top + bottom) / 2, PercentY(47.4f), 6);
    // Collected: the wheel is gone and its text with it.
    ClickButton(buttons::Start);
    RunFrames(2);
    EXPECT_EQ(Game.GamePhase, PhaseSettled);
    EXPECT_EQ(TextOverTheWheel().find("Gewinn"), std::string::npos);
}

TEST_F(EnglishWheelTest, TheStoppedWheelSaysWhatItPaidInEnglish) {
    headless::PinCryptRandomToZero(false);
    headless::SeedCryptRandom(7);
    const int64_t prize = TurnTheWheel();
    EXPECT_EQ(TextOverTheWheel(), "Win: " + std::to_string(prize) + ".00 P");
    EXPECT_EQ(Game.CurrentWin, prize * 100);
}
