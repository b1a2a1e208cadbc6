#include "tests/slot/slot_test_support.h"

#include <algorithm>
#include <vector>

#include "core/count_up.h"
#include "core/sheet_animations.h"
#include "platform/platform.h"
#include "slot/features.h"
#include "slot/line_match.h"
#include "slot/paylines.h"
#include "slot/reel_strips.h"
#include "slot/reels.h"
#include "slot/win_presentation.h"
#include "ui/line_frame.h"

void SlotTest::SetUp() {
    GameTest::SetUp();
    FillTextTable(1);
    UseFastLineMatch(false);  // the textual definition, whatever an earlier test chose
    platform::OpenCryptRandom();
    headless::PinCryptRandomToZero(true);
    SetupReels();
    Game.Paylines = 10;
    Game.Bid = 10;
    Game.GamePhase = PhaseReady;
}

void PlaceReel(int64_t reel, int64_t top, int64_t travel) {
    // Resting at -m stops shows stop m (mod 170) on top.
    const int64_t m = top + 2 * StripLength;
    Game.Reels[reel].restOffset = -(m - travel) * ReelStep();
    Game.Reels[reel].displayOffset = Game.Reels[reel].restOffset;
}

void PlaceReelsForSpin(std::initializer_list<int64_t> tops) {
    int64_t r = 0;
    for (int64_t top : tops) {
        PlaceReel(r, top, 20 + 10 * r);
        ++r;
    }
}

void CreateTestSound(int id) {
    static const std::vector<int16_t> silence(2 * 44100, 0);
    platform::CreateSound(id, silence.data(), 44100, 2, 44100);
}

int PlaysOf(int id) {
    const auto& log = headless::SoundLog();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [id](const headless::SoundRecord& record) {
        return record.sound == id && !record.stop;
    }));
}

const Payline* FindLine(int64_t lineNo) {
    for (const Payline& entry : Game.WinLines)
        if (entry.lineNo == lineNo) return &entry;
    return nullptr;
}

void SetLine(int64_t line, std::initializer_list<int64_t> symbols) {
    int64_t k = 0;
    for (int64_t symbol : symbols) Game.SymbolGrid[PaylineShapes[line].cells[k++]] = symbol;
}

void EngineFrame() {
    platform::FlipBuffers();  // moves the clock on by a frame and forgets the frame's draw calls
    Game.Bid = Game.BetPerLine * Game.Paylines;
    Game.FrameTime = platform::ElapsedMilliseconds();
    if (Game.GamePhase == PhaseSpinning) UpdateReels();
    DrawFreeGameAnimations();
    if (Game.TimerGate == 0 && Game.WinDisplayBlocked == 0) DrawLineFrame(PresentWins());
    EndFreeGames();
    Game.CountUpRunning = StepCountUps(Game.WinLines.empty() ? &Game.DisplayedWin : &Game.CurrentWin);
}

int RunUntilSettled(int limit) {
    int frames = 0;
    while (Game.GamePhase == PhaseSpinning && frames < limit) {
        EngineFrame();
        ++frames;
    }
    return frames;
}

void SetNoWinGrid(std::initializer_list<int64_t> scatters) {
    for (int64_t cell = 0; cell < CellCount; ++cell) Game.SymbolGrid[cell] = cell % 10;
    Game.ScatterCount = 0;
    for (int64_t cell : scatters) {
        Game.SymbolGrid[cell] = SymbolScatter;
        Game.ScatterCount += 1;
    }
}

void SeedFastDraws(std::initializer_list<std::pair<int64_t, int64_t>> drawsAndMaxima) {
    for (uint64_t seed = 1; seed < 1000000; ++seed) {
        platform::RandomSeed(seed);
        bool all = true;
        for (const auto& [value, maximum] : drawsAndMaxima) all = all && platform::Random(maximum) == value;
        if (all) {
            platform::RandomSeed(seed);
            return;
        }
    }
    ADD_FAILURE() << "no seed gives these draws";
}

void SeedRiskStep(bool up) {
    headless::PinCryptRandomToZero(false);
    for (uint64_t seed = 1;; ++seed) {
        headless::SeedCryptRandom(seed);
        if ((platform::CryptRandom(1000) <= 500) == up) {
            headless::SeedCryptRandom(seed);
            return;
        }
    }
}

std::string MessageTexts() {
    std::string texts;
    for (const headless::DrawRecord& record : headless::SpriteDrawLog())
        if (record.kind == headless::DrawKind::SpriteText && record.rgb == 0xFFFFFFu)
            texts += record.text + "|";  // the lines themselves, not their dark rims
    return texts;
}
