// A long session through the real main loop: autoplay, manual play with the
// risk ladder, and fun mode with picked wilds, taking turns for many spins.
// Every frame the account must balance; memory must stay flat.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/platform.h"
#include "tests/support/ledger.h"
#include "tests/support/scenario.h"
#include "ui/layout.h"

namespace {

// Resident memory of this process in kilobytes.
long ResidentKilobytes() {
    long pages = 0, resident = 0;
    if (FILE* f = fopen("/proc/self/statm", "r")) {
        if (fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        fclose(f);
    }
    return resident * 4;
}

class SoakTest : public ScenarioTest {
protected:
    std::mt19937 random{20261208};
    Ledger ledger;

    void Press(int x, int y) {
        headless::SetMouse(x, y);
        headless::SetMouseButton(true);
        Frame();
        headless::SetMouseButton(false);
        Frame();
    }
    void PressButton(const PercentRect& r) { Press(CentreX(r.x1, r.x2), CentreY(r.y1, r.y2)); }
    void Frame() {
        ledger.Frame();
        ASSERT_EQ(Ledger::Held(), ledger.Expected()) << "after " << ledger.spins << " spins";
    }
    bool Resting() const {
        return (Game.GamePhase == PhaseSettled || Game.GamePhase == PhaseReady) && Game.CountUps.empty() &&
               Game.LadderOpen == 0 && Game.BigWinActive == 0 && Game.TimerGate == 0;
    }
    bool AllPresented() const {
        for (const Payline& entry : Game.WinLines)
            if (entry.presented == 0) return false;
        return true;
    }

    // Autoplay spins by itself; now and then a win is gambled, which stops it.
    void AutoplayTurn(int64_t spins) {
        const int64_t until = ledger.spins + spins;
        while (ledger.spins < until && !HasFatalFailure()) {
            if (Game.Autoplay == 0 && Resting() && Game.CurrentWin == 0) {
                headless::SetMouse(CentreX(65, 75), CentreY(88, 94));
                headless::PushEvent({platform::EventKind::LeftDoubleClick, 0, 0});
            }
            if (Game.CurrentWin > 0 && Resting() && AllPresented()) {
                // A win autoplay did not collect (it stopped for the gamble): gamble it or collect it.
                if (Game.LadderFinished == 0 && Game.CurrentWin < 15000 && random() % 8 == 0)
                    Gamble();
                else if (Game.Autoplay == 0)
                    PressButton(buttons::Start);
            }
            Frame();
        }
        if (Game.Autoplay == 1) PressButton(buttons::Bet);  // any control stops autoplay
    }

    // The ladder: a few steps, then take, or wait for the countdown.
    void Gamble() {
        PressButton(buttons::Risk);
        for (int steps = static_cast<int>(random() % 4); steps > 0 && Game.LadderOpen == 1; --steps)
            PressButton(buttons::Risk);
        if (Game.LadderOpen == 1 && random() % 3 != 0) PressButton(buttons::LadderTake);
        for (int i = 0; i < 400 && Game.LadderOpen == 1; ++i) Frame();
    }

    // Manual play: spin, let the lines show, collect or gamble. The player
    // starts it nearly broke, so the automatic refill comes into play too.
    void ManualTurn(int64_t spins) {
        for (int i = 0; i < 600 && !(Resting() && AllPresented()); ++i) Frame();
        if (Resting() && Game.Points > 30) {
            const int64_t taken = Game.Points - 30;
            Game.Points -= taken;  // a withdrawal the ledger knows of
            ledger.start -= taken;
        }
        const int64_t until = ledger.spins + spins;
        while (ledger.spins < until && !HasFatalFailure()) {
            for (int i = 0; i < 600 && !(Resting() && AllPresented()); ++i) Frame();
            if (Game.CurrentWin > 0 && Game.CurrentWin < 15000 && random() % 3 == 0) Gamble();
            PressButton(buttons::Start);
        }
    }

    // Fun mode: three picked wilds, then the spin from the fun points.
    void FunTurn(int64_t spins) {
        for (int i = 0; i < 600 && !(Resting() && AllPresented()); ++i) Frame();
        if (Game.CurrentWin > 0) PressButton(buttons::Start);  // collect first
        for (int i = 0; i < 200 && !Resting(); ++i) Frame();
        if (Game.GameMode != ModeBaseGame) return;  // a free-game series finishes in the other turns
        Game.FunMode = 1;
        const int64_t until = ledger.spins + spins;
        while (ledger.spins < until && !HasFatalFailure()) {
            for (int i = 0; i < 600 && !(Resting() && AllPresented()); ++i) Frame();
            PressButton(buttons::Start);  // collects a win, or opens the pick
            for (int picks = 0; picks < 6 && Game.GamePhase == PhaseWildPick && Game.FunWildPicks < 3;
                 ++picks) {
                const int64_t cell = static_cast<int64_t>(random() % CellCount);
                Press(static_cast<int>(CellX(cell) - Game.ShiftX + 100),
                      static_cast<int>(CellY(cell) - Game.ShiftY + 80));
            }
            if (Game.GamePhase == PhaseWildPick) PressButton(buttons::Start);
        }
        for (int i = 0; i < 600 && !(Resting() && AllPresented()); ++i) Frame();
        if (Game.CurrentWin > 0) PressButton(buttons::Start);
        for (int i = 0; i < 200 && !Resting(); ++i) Frame();
        Game.FunMode = 0;
    }
};

}  // namespace

TEST_F(SoakTest, OneHundredThousandSpinsBalanceEveryPointWithFlatMemory) {
    headless::SetFrameStep(250);  // four frames a second of game time keep the run short
    headless::PinCryptRandomToZero(false);
    headless::SeedCryptRandom(77);
    platform::RandomSeed(78);
    EndDemoByClick();
    ledger.Begin();
    long residentAtWarmUp = 0;
    // NEBULOR_SOAK_SPINS shortens the run (the sanitizer build uses it).
    const char* wanted = std::getenv("NEBULOR_SOAK_SPINS");
    const int64_t total = wanted ? std::max<int64_t>(1000, std::atoll(wanted)) : 100000;
    while (ledger.spins < total && !HasFatalFailure()) {
        AutoplayTurn(600);
        ManualTurn(250);
        FunTurn(150);
        // What the test machine records of sounds and message pictures is not the game's memory.
        headless::ClearSoundLog();
        headless::ClearSpriteDrawLog();
        if (residentAtWarmUp == 0 && ledger.spins >= total / 10) residentAtWarmUp = ResidentKilobytes();
    }
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_GE(ledger.spins, total);
    EXPECT_GT(ledger.refills, 0);
    // Memory stays flat: what the first tenth of the spins needed is enough for the rest.
    const long growth = ResidentKilobytes() - residentAtWarmUp;
    EXPECT_LT(growth, 4096) << "resident memory grew by " << growth << " KB";
    EXPECT_LE(Game.Particles.size(), 5100u);
    EXPECT_LT(Game.SymbolAnimations.size(), 400u);
    EXPECT_LT(Game.CountUps.size(), 8u);
    printf("soak: %lld spins, %lld staked, %lld won, %lld refilled\n", static_cast<long long>(ledger.spins),
           static_cast<long long>(ledger.charged), static_cast<long long>(Game.TotalWon - ledger.wonAtStart),
           static_cast<long long>(ledger.refills));
}
