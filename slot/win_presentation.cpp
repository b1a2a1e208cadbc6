#include "slot/win_presentation.h"

#include "assets/sound.h"
#include "core/count_up.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "slot/paylines.h"

namespace {

constexpr int64_t DemoStepMs = 100;

}  // namespace

void StartBigWinWhenDue() {
    const int64_t last = static_cast<int64_t>(Game.WinLines.size()) - 1;
    if (last >= 0 && Game.WinLineCurrent == last && Game.BigWinActive == 0 && Game.WinWeight > 10) {
        Game.WinWeight = 0;
        Game.BigWinActive = 1;
        Game.DisplayedWin = Game.CurrentWin;
        StartCountUp(&Game.BigWinAmount, Game.CurrentWin, 10000);
    }
}

int64_t PresentWins() {
    if (Game.PaylineDemoRunning == 1) return -1;
    // The sticky-wild and scatter effects of free games are shown on their own first.
    if (Game.GameMode == ModeFreeGames && !Game.FreeGameAnimations.empty()) return -1;
    const int64_t size = static_cast<int64_t>(Game.WinLines.size());
    if (size == 0) return -1;

    if (size == 1) {
        Game.WinLineCurrent = 0;
    } else {
        if (Game.WinLineCurrent < 0 || Game.WinLineCurrent >= size) Game.WinLineCurrent = 0;
        if (Game.LineCycleOn == 0) {
            Game.LineCycleOn = 1;
            Game.WinLineCycleTime = Game.FrameTime;
        } else if (Game.FrameTime - Game.WinLineCycleTime >= Game.WinLineCycleMs) {
            Game.WinLineCurrent = (Game.WinLineCurrent + 1) % size;
            Game.WinLineCycleTime = Game.FrameTime;
        }
    }

    const int64_t current = Game.WinLineCurrent;
    if (Game.WinLines[current].unpaid == 1) {
        PayEntry(current);
        Game.WinWeight += SymbolWeight(Game.WinLines[current].symbol);
        Game.LinesPresented += 1;
        PlayLineTone(Game.LinesPresented);
    }
    StartBigWinWhenDue();
    // The tones start again at 23 after the tenth line.
    if (Game.LinesPresented >= 10) Game.LinesPresented = 0;
    Game.DisplayedWin = Game.CurrentWin;
    return current;
}

void ShowPaylineDemo() {
    Game.WinLines.clear();
    for (int64_t line = 0; line < PaylineCount; ++line) Game.WinLines.push_back(MakePaylineEntry(line));
    Game.WinLineCurrent = -1;
    Game.Paylines = 0;
    Game.PaylineDemoRunning = 1;
    Game.PaylineDemoTime = platform::ElapsedMilliseconds();
}

void StepPaylineDemo() {
    if (Game.PaylineDemoRunning != 1) return;
    if (Game.FrameTime - Game.PaylineDemoTime >= DemoStepMs) {
        Game.PaylineDemoTime = Game.FrameTime;
        // The tenth line has had its turn: the demo is over.
        if (Game.Paylines < 0 || Game.Paylines >= PaylineCount ||
            Game.Paylines >= static_cast<int64_t>(Game.WinLines.size())) {
            EndPaylineDemo();
            return;
        }
        Payline& entry = Game.WinLines[Game.Paylines];
        entry.counted.fill(1);
        Game.WinLineCurrent = Game.Paylines;
        Game.Paylines += 1;
    }
}

void EndPaylineDemo() {
    if (Game.PaylineDemoRunning != 1) return;
    Game.PaylineDemoRunning = 0;
    Game.WinLines.clear();
    Game.WinLineCurrent = -1;
    Game.WinDisplayBlocked = 0;
    // Cut short or not, the demo leaves all ten lines in play, so the next
    // spin is charged and paid on the full bid.
    Game.Paylines = PaylineCount;
    Game.Bid = Game.BetPerLine * Game.Paylines;
}
