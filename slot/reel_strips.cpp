#include "slot/reel_strips.h"

#include <cstdlib>

#include "platform/platform.h"

namespace {

// The five strips, position 0 first. Each reel shows a window of three
// consecutive stops; two scatters on one strip stand at least five stops apart.
// clang-format off
constexpr int64_t kStrips[ReelCount][StripLength] = {
    {  // reel 1
        10,  1,  2,  3,  1,  5,  6,  7,  8,  9,
        11,  0,  1,  1,  2,  2,  3,  3,  4,  4,
         5,  5, 10,  6,  7,  7,  1,  8, 11,  9,
         1,  0,  0,  1,  1,  1,  2,  2,  2,  3,
        10,  3,  4,  1,  4,  5,  5,  5,  6,  6,
         6,  1,  7,  7,  1,  1,  8,  1,  0,  9,
         1,  2, 11,  4,  5,  6,  7,  8,  9,  1,
         7,  1,  7,  8,  8,  8,  9, 10,  9,  6,
         6,  7,  7,  7,  1,  1,  8, 10,  0,  9,
        11,  1,  0,  0,  5,  6,  7, 10,  0,  0,
         0,  0,  1,  1, 11,  2,  2,  2,  3,  3,
         3,  4,  4,  4,  5,  5,  5,  9,  9,  9,
         8,  8,  8,  7,  7,  7,  6,  6,  6,  5,
         5,  5,  4,  4,  4,  3,  3,  3,  2,  2,
         7,  7,  7,  7,  0, 11,  2,  3,  4,  5,
         6,  7,  8,  9,  1,  0,  1,  2,  3,  4,
         5,  6,  7,  8,  9, 10,  0,  0,  0,  0,
    },
    {  // reel 2
         1,  1,  1,  1,  2,  2,  8,  8,  8,  1,
        10,  3,  4,  5,  6,  7,  8,  9,  1, 11,
         0,  1,  0,  0,  1,  2,  1,  0,  1,  1,
         1,  9,  1,  7,  7,  8, 10,  6,  6,  7,
         7,  5,  7,  1,  6,  6,  6,  5,  5,  1,
        10,  2,  4,  4,  2,  5,  4,  3,  2,  1,
         2,  2,  1, 11,  1,  1,  0,  0,  0,  1,
         3,  3,  4,  4,  1,  5,  5,  5,  6,  6,
         6,  7,  7,  7,  1,  1,  8,  1,  9,  9,
         9,  8,  8,  8, 11,  7,  7,  6,  6,  0,
         7,  1,  7,  8,  8,  8,  9,  1,  9,  6,
         7,  7,  7,  7,  1, 11,  8,  1,  0,  9,
         1,  1,  0,  0,  5,  6,  7,  1,  0,  0,
         0,  1,  7,  8,  8,  8,  9, 10,  9,  6,
         7,  7,  7,  7,  1,  1,  8,  1,  0,  9,
         1,  1,  0,  0,  5,  6,  7,  1,  0,  0,
         1, 11,  0,  0,  5,  6,  7,  1,  0,  0,
    },
    {  // reel 3
         0, 11,  2,  3,  4,  5,  6,  7, 11,  2,
         3,  4,  4,  5,  1,  7,  8,  9,  1,  1,
        10,  1,  0,  0,  1,  2,  1,  0,  1,  1,
         0,  1,  9,  1,  3,  8,  8,  4,  8, 11,
         5,  7,  7,  6,  8,  6,  6,  5,  9,  5,
         5,  1,  4,  4,  5,  4,  3,  2,  1,  2,
        10,  2,  3,  1,  1,  4,  0,  0,  0,  5,
         3,  3,  4,  4,  4,  5,  5,  5,  6,  6,
         6,  7,  7,  7, 11,  1,  8,  1,  0,  9,
         1,  2,  3,  4,  5,  6,  7,  1,  1,  1,
         9, 11,  8,  8,  8,  7,  7,  7,  6,  6,
         6,  0,  0,  0, 10,  1,  1,  0,  0,  0,
        10,  9,  9,  9,  8,  8,  8,  8,  7,  7,
         7,  6,  6,  6,  5,  5,  5, 11,  9,  4,
         4,  4,  3,  3,  3,  1,  1,  1,  7,  7,
         7,  6,  6,  6,  5,  5,  5,  5,  3,  3,
         3,  9,  9,  9,  8,  8,  8,  7,  7,  7,
    },
    {  // reel 4
         2,  1,  1,  1,  2,  2,  3,  1,  0,  0,
         2,  3,  4,  5,  6,  7,  8,  9,  1,  1,
        11,  0,  0,  0,  1,  2,  1,  0,  1,  1,
        10,  9,  2,  9,  1,  8,  3,  2,  1,  7,
         7,  9,  1,  6,  6, 10,  8,  2,  1,  3,
         4,  4,  4,  7,  5,  4,  3,  2,  1,  2,
         2,  2,  2,  1,  0,  1,  1,  0,  0,  1,
        10,  3,  4,  4,  4,  5,  5,  5,  6,  6,
         6,  7,  7,  7, 11,  1,  8,  1,  0,  9,
         1,  2,  3,  4,  0,  0,  0,  8,  8,  8,
         7,  1,  7,  8,  8,  8,  9,  1,  9,  6,
         7,  7,  7,  7,  1,  1,  8,  1,  0,  9,
         1,  1,  0,  0,  5,  6,  7,  1,  0,  0,
         0,  1,  7,  8,  8,  8,  9, 10,  9,  6,
         7,  7,  7,  7, 11,  1,  8,  1,  0,  9,
         1,  1,  0,  0,  5,  6,  7,  1,  0,  0,
        11,  1,  0,  0,  5,  6,  7, 10,  0,  0,
    },
    {  // reel 5
         1,  2,  2, 11,  2,  2,  3,  3,  0, 10,
         2,  3,  4,  5,  6,  7,  8,  9,  1,  1,
         0,  1,  0,  0, 11,  2,  1,  0,  1,  1,
         1,  9,  2,  1,  5,  4,  3,  2,  1,  7,
        10,  7,  6,  6,  6,  7,  5,  4,  3,  2,
        11,  5,  3,  2,  1,  3,  3,  1,  8,  2,
        10,  2,  2,  1,  2,  1,  1,  0,  0,  1,
         3,  3,  4,  4,  4,  5,  5,  5,  6,  6,
         6,  7,  7,  7, 11,  1,  8,  1,  0,  0,
        10,  0,  1,  0,  9,  9,  9,  8,  8,  8,
         7, 10,  7,  8,  8,  8,  9,  1,  9,  6,
         7,  7,  7,  7, 11,  1,  7,  7,  7,  6,
         6,  6,  5,  5,  5,  4,  4,  4,  3,  3,
         3,  2,  2,  2,  1,  1,  1, 11,  7,  7,
         7,  6,  6,  6,  0,  0,  0, 10,  9,  9,
         9,  2,  2,  2,  1,  1,  1,  0,  0,  0,
        11,  2,  2,  2,  1,  1,  1,  0,  0,  0,
    },
};
// clang-format on

}  // namespace

int64_t StripTableSymbol(int64_t position, int64_t reel) { return kStrips[reel][position]; }

int64_t ReelStep() { return Game.CellHeight + Game.CellGap; }

int64_t FirstStopIndex(int64_t offset) {
    const int64_t step = ReelStep();
    return (offset - step + 1) / step;  // truncates: the floor for the negative offsets that occur
}

int64_t StripIndex(int64_t stop) { return std::llabs(stop % StripLength); }

int64_t ReelSymbol(int64_t reel, int64_t offset, int64_t row) {
    return Game.Reels[reel].symbols[StripIndex(FirstStopIndex(offset) + row)];
}

void SetupReels() {
    Game.ReelStrips.assign(StripTableRows * ReelCount, 0);
    for (int64_t position = 0; position < StripLength; ++position)
        for (int64_t reel = 0; reel < ReelCount; ++reel)
            Game.ReelStrips[position * ReelCount + reel] = kStrips[reel][position];

    const int64_t step = ReelStep();
    for (int64_t r = 0; r < ReelCount; ++r) {
        ReelState& reel = Game.Reels[r];
        reel = ReelState{};
        reel.x = Game.ReelOriginX + r * (Game.CellWidth + Game.CellGap);
        reel.y = Game.ReelOriginY;
        for (int64_t position = 0; position < StripLength; ++position)
            reel.symbols[position] = Game.ReelStrips[position * ReelCount + r];
        // Random stops before the first spin; the offset only ever decreases from here.
        reel.restOffset = -(10 * r + platform::CryptRandom(170) + 10) * step;
        reel.displayOffset = reel.restOffset;
        reel.targetOffset = reel.restOffset;
        reel.spinning = 0;
        reel.alpha = 255;
    }
}

void CaptureGrid() {
    Game.ScatterCount = 0;
    for (int64_t r = 0; r < ReelCount; ++r) {
        const ReelState& reel = Game.Reels[r];
        const int64_t first = FirstStopIndex(reel.displayOffset);
        for (int64_t row = 0; row < RowCount; ++row) {
            const int64_t cell = r * RowCount + row;
            const int64_t symbol = reel.symbols[StripIndex(first + row)];
            Game.SymbolGrid[cell] = symbol;
            // A scatter under an extra wild shows as the wild and does not count.
            if (symbol == SymbolScatter && Game.ExtraWildMap[cell] == 0) Game.ScatterCount += 1;
        }
    }
}
