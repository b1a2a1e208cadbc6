#include "slot/line_match.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstring>

namespace {

constexpr int CandidateCount = 12;

// The two wild patterns, compiled once on first use and kept for the process.
struct WildPatterns {
    pcre2_code* wild = nullptr;           // "11"
    pcre2_code* wildOrScatter = nullptr;  // "(11|10)" while Extra Wild is on
    pcre2_match_data* matchData = nullptr;
    // Candidate s written 3, 4 and 5 times with single spaces.
    std::string repeated[CandidateCount][3];
    std::string candidate[CandidateCount];

    WildPatterns() {
        int error = 0;
        PCRE2_SIZE offset = 0;
        wild = pcre2_compile(reinterpret_cast<PCRE2_SPTR>("11"), PCRE2_ZERO_TERMINATED, 0, &error, &offset,
                             nullptr);
        wildOrScatter = pcre2_compile(reinterpret_cast<PCRE2_SPTR>("(11|10)"), PCRE2_ZERO_TERMINATED, 0,
                                      &error, &offset, nullptr);
        matchData = pcre2_match_data_create(4, nullptr);
        for (int s = 0; s < CandidateCount; ++s) {
            candidate[s] = std::to_string(s);
            std::string text = candidate[s] + " " + candidate[s];
            for (int n = 0; n < 3; ++n) {
                text += " " + candidate[s];
                repeated[s][n] = text;
            }
        }
    }
    ~WildPatterns() {
        pcre2_match_data_free(matchData);
        pcre2_code_free(wildOrScatter);
        pcre2_code_free(wild);
    }
};

WildPatterns& Patterns() {
    static WildPatterns patterns;
    return patterns;
}

bool gFastLineMatch = false;

bool IsLineWild(int64_t symbol, int64_t extraWild) {
    return symbol == SymbolWild || (extraWild != 0 && symbol == SymbolScatter);
}

}  // namespace

int64_t MatchLine(const std::string& text, Payline& entry) {
    WildPatterns& patterns = Patterns();
    pcre2_code* pattern = Game.ExtraWildOn == 1 ? patterns.wildOrScatter : patterns.wild;
    if (pattern == nullptr || patterns.matchData == nullptr) return 0;
    for (int s = 0; s < CandidateCount; ++s) {
        // Every wild becomes the candidate; a line text is at most 14 bytes,
        // so the result always fits.
        char replaced[64];
        PCRE2_SIZE length = sizeof replaced;
        const std::string& candidate = patterns.candidate[s];
        const int rc = pcre2_substitute(pattern, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0,
                                        PCRE2_SUBSTITUTE_GLOBAL, patterns.matchData, nullptr,
                                        reinterpret_cast<PCRE2_SPTR>(candidate.data()), candidate.size(),
                                        reinterpret_cast<PCRE2_UCHAR*>(replaced), &length);
        if (rc < 0) continue;
        const std::string_view result(replaced, length);
        static constexpr int64_t counts[3] = {3, 4, 5};
        for (int n = 0; n < 3; ++n) {
            if (result == patterns.repeated[s][n]) {
                entry.multiplier = CountMultiplier(counts[n]);
                return counts[n];
            }
        }
    }
    return 0;
}

std::string LineText(const int64_t* symbols, int64_t length) {
    std::string text;
    for (int64_t k = 0; k < length; ++k) {
        if (k > 0) text += ' ';
        text += std::to_string(symbols[k]);
    }
    return text;
}

int64_t CountMultiplier(int64_t count) {
    switch (count) {
        case 3: return 1;
        case 4: return 4;
        case 5: return 20;
        default: return 0;
    }
}

int64_t PayingSymbol(const int64_t* symbols, int64_t count, int64_t extraWild) {
    for (int64_t k = 0; k < count; ++k)
        if (!IsLineWild(symbols[k], extraWild)) return symbols[k];
    return count > 0 ? symbols[count - 1] : 0;
}

LineMatch MatchSymbols(const int64_t* symbols, int64_t extraWild) {
    // A run matches when every symbol of it is one symbol or a wild; runs
    // only grow from the left, so the longest run is the whole answer.
    int64_t first = -1;
    int64_t run = 0;
    for (int64_t k = 0; k < ReelCount; ++k) {
        const int64_t symbol = symbols[k];
        if (symbol < 0 || symbol > SymbolWild) break;  // no text candidate stands for it
        if (!IsLineWild(symbol, extraWild)) {
            if (first < 0)
                first = symbol;
            else if (symbol != first)
                break;
        }
        run = k + 1;
    }
    LineMatch match;
    if (run < 3) return match;
    match.count = run;
    match.multiplier = CountMultiplier(run);
    match.symbol = PayingSymbol(symbols, run, extraWild);
    return match;
}

void UseFastLineMatch(bool fast) { gFastLineMatch = fast; }
bool FastLineMatchInUse() { return gFastLineMatch; }
