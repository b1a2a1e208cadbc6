#include "platform/common/screen_fit.h"

#include <emmintrin.h>

#include <algorithm>
#include <utility>

namespace platform {
namespace {

// a + (b - a) * weight / 256, rounded, on each of the four channels, in two pairs.
inline uint32_t Blend(uint32_t a, uint32_t b, uint32_t weight) {
    const uint32_t keep = 256 - weight;
    const uint32_t rb = (((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight + 0x800080u) >> 8) & 0xFF00FFu;
    const uint32_t ag =
        (((a >> 8) & 0xFF00FFu) * keep + ((b >> 8) & 0xFF00FFu) * weight + 0x800080u) & 0xFF00FF00u;
    return rb | ag;
}

// One window row between two scaled screen rows: the same sums as Blend,
// four pixels at a time.
void BlendRows(const uint32_t* upper, const uint32_t* lower, uint32_t* out, int count, int weight) {
    int i = 0;
    const __m128i keep = _mm_set1_epi16(static_cast<short>(256 - weight));
    const __m128i take = _mm_set1_epi16(static_cast<short>(weight));
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(128);
    for (; i + 4 <= count; i += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + i));
        const __m128i lo =
            _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), keep),
                                                       _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), take)),
                                         half),
                           8);
        const __m128i hi =
            _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(a, zero), keep),
                                                       _mm_mullo_epi16(_mm_unpackhi_epi8(b, zero), take)),
                                         half),
                           8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(lo, hi));
    }
    for (; i < count; ++i) out[i] = Blend(upper[i], lower[i], static_cast<uint32_t>(weight));
}

}  // namespace

PixelRect FitScreen(int windowW, int windowH, int screenW, int screenH) {
    if (windowW <= 0 || windowH <= 0 || screenW <= 0 || screenH <= 0) return PixelRect{};
    int w = windowW, h = windowH;
    // Compare the two factors without rounding: windowW / screenW against windowH / screenH.
    if (static_cast<int64_t>(windowW) * screenH <= static_cast<int64_t>(windowH) * screenW)
        h = static_cast<int>((static_cast<int64_t>(screenH) * windowW * 2 + screenW) / (2 * screenW));
    else
        w = static_cast<int>((static_cast<int64_t>(screenW) * windowH * 2 + screenH) / (2 * screenH));
    w = std::clamp(w, 1, windowW);
    h = std::clamp(h, 1, windowH);
    return PixelRect{(windowW - w) / 2, (windowH - h) / 2, w, h};
}

int WindowToScreen(int pictureAt, int pictureSize, int screenSize, int windowAt) {
    if (pictureSize <= 0) return -1;
    // floor((windowAt - pictureAt + 0.5) * screenSize / pictureSize)
    const int64_t numerator = (2 * static_cast<int64_t>(windowAt - pictureAt) + 1) * screenSize;
    const int64_t denominator = 2 * static_cast<int64_t>(pictureSize);
    const int64_t q = numerator / denominator;
    return static_cast<int>(numerator % denominator < 0 ? q - 1 : q);
}

void ScreenScaler::Taps(int pictureSize, int screenSize, std::vector<Tap>& taps, std::vector<int>& first,
                        std::vector<int>& last) {
    taps.assign(static_cast<size_t>(std::max(pictureSize, 0)), Tap{});
    first.assign(static_cast<size_t>(std::max(screenSize, 0)), -1);
    last.assign(static_cast<size_t>(std::max(screenSize, 0)), -1);
    if (pictureSize <= 0 || screenSize <= 0) return;
    const bool whole = pictureSize % screenSize == 0;
    for (int d = 0; d < pictureSize; ++d) {
        Tap tap;
        if (whole) {
            tap.from = tap.to = d / (pictureSize / screenSize);  // exact copies
        } else {
            // The centre of window pixel d in screen pixels, less half a pixel, in 1/256.
            const int64_t at = ((2 * static_cast<int64_t>(d) + 1) * screenSize * 256) /
                                   (2 * static_cast<int64_t>(pictureSize)) -
                               128;
            if (at <= 0) {
                tap.from = tap.to = 0;
            } else {
                tap.from = static_cast<int>(at >> 8);
                tap.weight = static_cast<int>(at & 255);
                if (tap.from >= screenSize - 1) {
                    tap.from = screenSize - 1;
                    tap.weight = 0;
                }
                tap.to = tap.weight ? tap.from + 1 : tap.from;
            }
        }
        taps[static_cast<size_t>(d)] = tap;
        for (int s : {tap.from, tap.to}) {
            if (first[static_cast<size_t>(s)] < 0) first[static_cast<size_t>(s)] = d;
            last[static_cast<size_t>(s)] = d;
        }
    }
}

void ScreenScaler::Prepare(const PixelRect& picture, int screenW, int screenH) {
    if (picture.x == picture_.x && picture.y == picture_.y && picture.w == picture_.w &&
        picture.h == picture_.h && screenW == screenW_ && screenH == screenH_)
        return;
    picture_ = picture;
    screenW_ = screenW;
    screenH_ = screenH;
    Taps(picture.w, screenW, columns_, firstColumn_, lastColumn_);
    Taps(picture.h, screenH, rows_, firstRow_, lastRow_);
    pairs_.assign(columns_.size(), 0);
    pairWeights_.assign(columns_.size(), {});
    for (size_t d = 0; d < columns_.size() && screenW >= 2; ++d) {
        const Tap& t = columns_[d];
        const bool last = t.from == screenW - 1;  // weight 0: all of it from the right-hand pixel
        pairs_[d] = last ? screenW - 2 : t.from;
        const auto right = static_cast<int16_t>(last ? 256 : t.weight);
        for (int k = 0; k < 4; ++k) {
            pairWeights_[d][static_cast<size_t>(k)] = static_cast<int16_t>(256 - right);
            pairWeights_[d][static_cast<size_t>(k + 4)] = right;
        }
    }
    upper_.assign(static_cast<size_t>(std::max(picture.w, 0)), 0);
    lower_.assign(static_cast<size_t>(std::max(picture.w, 0)), 0);
}

PixelRect ScreenScaler::WindowRectFor(const PixelRect& piece) const {
    const auto span = [](const std::vector<int>& first, const std::vector<int>& last, int from, int count,
                         int& lo, int& hi) {
        lo = -1;
        hi = -1;
        const int end = std::min(from + count, static_cast<int>(first.size()));
        for (int s = std::max(from, 0); s < end; ++s) {
            if (first[static_cast<size_t>(s)] < 0) continue;
            if (lo < 0 || first[static_cast<size_t>(s)] < lo) lo = first[static_cast<size_t>(s)];
            hi = std::max(hi, last[static_cast<size_t>(s)]);
        }
    };
    int x0, x1, y0, y1;
    span(firstColumn_, lastColumn_, piece.x, piece.w, x0, x1);
    span(firstRow_, lastRow_, piece.y, piece.h, y0, y1);
    if (x0 < 0 || y0 < 0) return PixelRect{};
    return PixelRect{picture_.x + x0, picture_.y + y0, x1 - x0 + 1, y1 - y0 + 1};
}

void ScreenScaler::Scale(const uint32_t* screen, int screenPitch, uint32_t* window, int windowPitch,
                         const PixelRect& area) {
    const int x0 = std::max(area.x, picture_.x) - picture_.x;
    const int y0 = std::max(area.y, picture_.y) - picture_.y;
    const int x1 = std::min(area.x + area.w, picture_.x + picture_.w) - picture_.x;
    const int y1 = std::min(area.y + area.h, picture_.y + picture_.h) - picture_.y;
    if (x1 <= x0 || y1 <= y0 || !screen || !window) return;
    const int count = x1 - x0;
    const Tap* columns = columns_.data() + x0;
    const int* pairs = pairs_.data() + x0;
    const std::array<int16_t, 8>* weights = pairWeights_.data() + x0;
    const bool fast = screenW_ >= 2;
    // One screen row scaled across the area's columns, two at a time.
    const auto across = [&](int row, uint32_t* out) {
        const uint32_t* line = screen + static_cast<size_t>(row) * screenPitch;
        int i = 0;
        if (fast) {
            const __m128i zero = _mm_setzero_si128();
            const __m128i half = _mm_set1_epi16(128);
            for (; i + 2 <= count; i += 2) {
                const __m128i a = _mm_mullo_epi16(
                    _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(line + pairs[i])),
                                      zero),
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights[i].data())));
                const __m128i b = _mm_mullo_epi16(
                    _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(line + pairs[i + 1])),
                                      zero),
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights[i + 1].data())));
                const __m128i sum = _mm_srli_epi16(
                    _mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi64(a, b), _mm_unpackhi_epi64(a, b)), half),
                    8);
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(sum, sum));
            }
        }
        for (; i < count; ++i) {
            const Tap& t = columns[i];
            out[i] =
                t.weight ? Blend(line[t.from], line[t.to], static_cast<uint32_t>(t.weight)) : line[t.from];
        }
    };
    int upperRow = -1, lowerRow = -1;
    uint32_t* upper = upper_.data();
    uint32_t* lower = lower_.data();
    for (int d = y0; d < y1; ++d) {
        const Tap& t = rows_[static_cast<size_t>(d)];
        if (upperRow != t.from) {
            if (lowerRow == t.from) {
                std::swap(upper, lower);
                std::swap(upperRow, lowerRow);
            } else {
                across(t.from, upper);
                upperRow = t.from;
            }
        }
        uint32_t* out = window + static_cast<size_t>(picture_.y + d) * windowPitch + picture_.x + x0;
        if (!t.weight) {
            std::copy(upper, upper + count, out);
            continue;
        }
        if (lowerRow != t.to) {
            across(t.to, lower);
            lowerRow = t.to;
        }
        BlendRows(upper, lower, out, count, t.weight);
    }
}

}  // namespace platform
