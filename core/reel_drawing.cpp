#include "core/reel_drawing.h"

#include <cmath>
#include <cstdlib>

#include "core/particles.h"
#include "platform/platform.h"

void DrawReel(int64_t offset, int64_t x, int64_t y, int64_t windowHeight,
              const std::array<int64_t, StripLength>& strip, int64_t alpha, int64_t reelIndex) {
    const int64_t step = Game.CellHeight + Game.CellGap;
    const int64_t first = (offset - step + 1) / step;
    const int64_t count = (windowHeight + Game.CellGap) / step;
    for (int64_t i = first; i <= first + count; ++i) {
        // Entries 170 and above are never shown: the index wraps at 170.
        const int64_t symbol = strip[static_cast<size_t>(std::llabs(i % StripLength))];
        int64_t top = i * step - offset;
        platform::DrawOptions options;
        options.clipWidth = static_cast<int>(Game.CellWidth);
        options.clipHeight = static_cast<int>(Game.CellHeight);
        if (top < 0) {
            options.clipY = static_cast<int>(-top);
            options.clipHeight = static_cast<int>(Game.CellHeight + top);
            top = 0;
        } else if (top + Game.CellHeight > windowHeight) {
            options.clipHeight = static_cast<int>(windowHeight - top);
        }
        // During a big win each symbol is drawn a little more transparent than the last.
        if (Game.BigWinActive == 1) {
            if (alpha > 100) alpha -= 1;
        } else if (alpha < 250) {
            alpha += 1;
        }
        const int64_t row = i - first;
        const bool visibleRow = row >= 0 && row <= 2;
        const bool underWild = visibleRow && Game.ExtraWildMap[static_cast<size_t>(reelIndex * 3 + row)] == 1;
        if (!underWild) {
            options.intensity = static_cast<int>(alpha);
            platform::DrawSprite(static_cast<int>(symbol), static_cast<int>(x), static_cast<int>(y + top),
                                 options);
        }
        if (!Game.Reels[static_cast<size_t>(reelIndex)].spinning && Game.GamePhase == PhaseSpinning &&
            visibleRow && symbol == SymbolScatter)
            SpawnScatterSparkle(x, y, top);
    }
}

void DrawReels() {
    const int64_t phase = Game.GamePhase;
    const bool moving = phase == PhaseSpinning;
    if (!moving && phase != PhaseSettled && phase != PhaseReady && phase != PhaseWildPick) return;
    const int64_t windowHeight = 3 * Game.CellHeight + 2 * Game.CellGap;
    for (int64_t r = 0; r < ReelCount; ++r) {
        const ReelState& reel = Game.Reels[static_cast<size_t>(r)];
        DrawReel(moving ? reel.displayOffset : reel.restOffset, reel.x - Game.ShiftX, reel.y - Game.ShiftY,
                 windowHeight, reel.symbols, static_cast<int64_t>(std::lround(reel.alpha)), r);
    }
}
