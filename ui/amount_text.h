// Amounts as the screens show them: hundredths of a point with two decimals.
#pragma once

#include <cstdint>
#include <string>

// 1000 -> "10.00", -5 -> "-0.05"; exact for every 64-bit amount.
std::string AmountText(int64_t hundredths);
