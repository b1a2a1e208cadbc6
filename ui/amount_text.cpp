#include "ui/amount_text.h"

#include <cinttypes>
#include <cstdio>

std::string AmountText(int64_t hundredths) {
    // Integer arithmetic: a float would show 123456789 as 1234567.88.
    const bool negative = hundredths < 0;
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
    char text[32];
    snprintf(text, sizeof text, "%s%" PRIu64 ".%02" PRIu64, negative ? "-" : "", magnitude / 100,
             magnitude % 100);
    return text;
}
