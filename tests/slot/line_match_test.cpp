#include "slot/line_match.h"

#include <vector>

#include "slot/paylines.h"
#include "tests/slot/slot_test_support.h"

namespace {

struct Worked {
    std::vector<int64_t> symbols;
    int64_t extraWild;
    int64_t count, symbol, pay;  // bid 10: u = 5
};

// Evaluates a grid whose middle line carries `symbols` with either matcher.
const Payline* EvaluateMiddleLine(const std::vector<int64_t>& symbols, bool fast) {
    Game.SymbolGrid.fill(7);
    for (int k = 0; k < 5; ++k) Game.SymbolGrid[PaylineShapes[1].cells[k]] = symbols[k];
    UseFastLineMatch(fast);
    EvaluateLines();
    UseFastLineMatch(false);
    return FindLine(1);
}

}  // namespace

TEST_F(SlotTest, WorkedLineMatchesAndPays) {
    const Worked cases[] = {
        {{3, 3, 3, 5, 6}, 0, 3, 3, 5},          {{11, 11, 11, 4, 2}, 0, 4, 4, 60},
        {{11, 11, 11, 11, 11}, 0, 5, 11, 2000}, {{10, 11, 10, 2, 2}, 0, 3, 10, 100},
        {{10, 11, 10, 2, 2}, 1, 5, 2, 100},     {{2, 3, 3, 3, 3}, 0, 0, 0, 0},
        {{10, 10, 10, 5, 6}, 1, 4, 5, 60},      {{11, 10, 3, 3, 1}, 0, 0, 0, 0},
    };
    for (const Worked& c : cases) {
        for (bool fast : {false, true}) {
            Game.ExtraWildOn = c.extraWild;
            const Payline* entry = EvaluateMiddleLine(c.symbols, fast);
            if (c.count == 0) {
                EXPECT_EQ(entry, nullptr);
                continue;
            }
            ASSERT_NE(entry, nullptr);
            int64_t counted = 0;
            for (int64_t flag : entry->counted) counted += flag;
            EXPECT_EQ(counted, c.count);
            EXPECT_EQ(entry->symbol, c.symbol);
            EXPECT_EQ(entry->multiplier, CountMultiplier(c.count));
            EXPECT_EQ(LinePay(entry->symbol, entry->payFactor), c.pay);
        }
    }
}

// The fast matcher against the textual definition on all 12^5 lines, with
// and without Extra Wild. The three- and four-symbol texts of a line are its
// prefixes, so each distinct text is matched once.
TEST_F(SlotTest, FastMatcherEqualsTheDefinitionOnEveryLine) {
    for (int64_t extraWild = 0; extraWild <= 1; ++extraWild) {
        Game.ExtraWildOn = extraWild;
        std::vector<int64_t> count[6], multiplier[6];
        int64_t size = 1;
        for (int length = 1; length <= 5; ++length) {
            size *= 12;
            if (length < 3) continue;
            count[length].resize(size);
            multiplier[length].resize(size);
            for (int64_t code = 0; code < size; ++code) {
                int64_t symbols[5];
                for (int k = length - 1, rest = static_cast<int>(code); k >= 0; --k, rest /= 12)
                    symbols[k] = rest % 12;
                Payline entry;
                count[length][code] = MatchLine(LineText(symbols, length), entry);
                multiplier[length][code] = entry.multiplier;
            }
        }
        int64_t mismatches = 0;
        for (int64_t code = 0; code < size; ++code) {
            int64_t symbols[5];
            for (int k = 4, rest = static_cast<int>(code); k >= 0; --k, rest /= 12) symbols[k] = rest % 12;
            int64_t expectedCount = 0, expectedMultiplier = 0;
            for (int length = 3; length <= 5; ++length) {
                const int64_t prefix = code / (length == 3 ? 144 : length == 4 ? 12 : 1);
                if (count[length][prefix] == 0) continue;
                expectedCount = count[length][prefix];
                expectedMultiplier = multiplier[length][prefix];
            }
            const LineMatch match = MatchSymbols(symbols, extraWild);
            if (match.count != expectedCount || (expectedCount > 0 && match.multiplier != expectedMultiplier))
                ++mismatches;
        }
        EXPECT_EQ(mismatches, 0) << "extra wild " << extraWild;
    }
}
