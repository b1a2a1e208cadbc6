// Turns two 32-bit words of a cryptographic generator into 0..maximum by
// multiplication (not by remainder, which would favour small values).
#pragma once

#include <cstdint>

namespace platform {

inline int64_t ScaleRandomWords(uint32_t high, uint32_t low, int64_t maximum) {
    if (maximum <= 0) return 0;
    const uint64_t word = (static_cast<uint64_t>(high) << 32) | low;
    const unsigned __int128 range = static_cast<unsigned __int128>(maximum) + 1;
    return static_cast<int64_t>((static_cast<unsigned __int128>(word) * range) >> 64);
}

}  // namespace platform
