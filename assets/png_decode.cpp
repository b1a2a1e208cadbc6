#include "assets/png_decode.h"

#include <libdeflate.h>
#include <png.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using platform::PixelBuffer;
using platform::PixelOrder;

constexpr uint32_t MaxSide = 16384;
constexpr uint64_t MaxPixels = 64ull << 20;
constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int ColourRgb = 2, ColourRgba = 6;

uint32_t ReadBig32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

bool EveryPixelOpaque(const PixelBuffer& pixels) {
    const uint8_t* p = pixels.bytes.get();
    uint8_t all = 0xFF;
    for (size_t i = 3; i < pixels.Size(); i += 4) all &= p[i];
    return all == 0xFF;
}

void SwapRedAndBlue(PixelBuffer& pixels) {
    uint8_t* p = pixels.bytes.get();
    for (size_t i = 0; i < pixels.Size(); i += 4) std::swap(p[i], p[i + 2]);
}

// ------------------------------------------------------------- the fast path

enum class Fast { Decoded, Refused, NotMine };

struct Layout {
    uint32_t width = 0, height = 0;
    int depth = 0, colour = 0, interlace = 0;
    size_t channels = 0, pixelBytes = 0, rowBytes = 0;
};

// The image data of the file: one IDAT chunk in place, several joined.
struct ImageData {
    const uint8_t* data = nullptr;
    size_t size = 0;
    std::vector<uint8_t> joined;
};

// Walks the chunks of a PNG of the three catalogue formats, checking the
// critical chunks' CRCs as libpng does. NotMine for anything libpng should
// judge (another format, interlacing, transparency chunks, odd chunk order).
Fast ReadChunks(const uint8_t* file, size_t size, Layout& layout, ImageData& image) {
    size_t at = 8;
    bool header = false, ended = false, dataDone = false;
    std::vector<std::pair<const uint8_t*, size_t>> parts;
    while (!ended) {
        if (size - at < 12) return Fast::Refused;
        const uint32_t length = ReadBig32(file + at);
        if (length > 0x7FFFFFFFu || size - at - 12 < length) return Fast::Refused;
        const uint8_t* type = file + at + 4;
        const uint8_t* body = type + 4;
        const bool critical = (type[0] & 0x20) == 0;
        if (critical && libdeflate_crc32(0, type, 4 + length) != ReadBig32(body + length))
            return Fast::Refused;
        const bool isData = std::memcmp(type, "IDAT", 4) == 0;
        if (!header) {
            if (std::memcmp(type, "IHDR", 4) != 0 || length != 13) return Fast::Refused;
            layout.width = ReadBig32(body);
            layout.height = ReadBig32(body + 4);
            layout.depth = body[8];
            layout.colour = body[9];
            layout.interlace = body[12];
            if (layout.width == 0 || layout.height == 0 || layout.width > MaxSide ||
                layout.height > MaxSide || static_cast<uint64_t>(layout.width) * layout.height > MaxPixels ||
                body[10] != 0 || body[11] != 0)
                return Fast::Refused;
            const bool supported =
                layout.interlace == 0 && ((layout.colour == ColourRgba && layout.depth == 8) ||
                                          (layout.colour == ColourRgba && layout.depth == 16) ||
                                          (layout.colour == ColourRgb && layout.depth == 8));
            if (!supported) return Fast::NotMine;
            header = true;
        } else if (isData) {
            if (dataDone) return Fast::NotMine;  // image data split by other chunks
            parts.emplace_back(body, length);
        } else {
            if (!parts.empty()) dataDone = true;
            if (std::memcmp(type, "IEND", 4) == 0) {
                ended = true;
            } else if (std::memcmp(type, "tRNS", 4) == 0) {
                return Fast::NotMine;  // a transparent colour: libpng's business
            } else if (critical && std::memcmp(type, "PLTE", 4) != 0) {
                return Fast::NotMine;  // an unknown critical chunk: libpng refuses it
            }
        }
        at += 12 + length;
    }
    if (parts.empty()) return Fast::Refused;
    if (parts.size() == 1) {
        image.data = parts[0].first;
        image.size = parts[0].second;
    } else {
        size_t total = 0;
        for (const auto& part : parts) total += part.second;
        image.joined.resize(total);
        size_t offset = 0;
        for (const auto& part : parts) {
            std::memcpy(image.joined.data() + offset, part.first, part.second);
            offset += part.second;
        }
        image.data = image.joined.data();
        image.size = total;
    }
    layout.channels = layout.colour == ColourRgba ? 4 : 3;
    layout.pixelBytes = layout.channels * static_cast<size_t>(layout.depth / 8);
    layout.rowBytes = layout.pixelBytes * layout.width;
    return Fast::Decoded;
}

uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
    return static_cast<uint8_t>(pb <= pc ? b : c);
}

#ifdef __SSE2__
// The filters that depend on the pixel to the left run pixel by pixel, with
// the bytes of one pixel side by side in 16-bit lanes (the way libpng's own
// SSE2 filters do it): several times as fast as byte by byte.
template <size_t Bytes>
__m128i LoadPixel(const uint8_t* p) {
    uint64_t word = 0;
    std::memcpy(&word, p, Bytes);
    return _mm_unpacklo_epi8(_mm_cvtsi64_si128(static_cast<long long>(word)), _mm_setzero_si128());
}

template <size_t Bytes>
void StorePixel(uint8_t* p, __m128i lanes) {
    const uint64_t word = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_packus_epi16(lanes, lanes)));
    std::memcpy(p, &word, Bytes);
}

__m128i Absolute(__m128i x) { return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x)); }

__m128i Select(__m128i mask, __m128i yes, __m128i no) {
    return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

template <size_t Bytes>
void UnfilterByPixel(int filter, uint8_t* row, const uint8_t* previous, size_t bytes) {
    const __m128i low = _mm_set1_epi16(0xFF);
    __m128i a = _mm_setzero_si128(), c = _mm_setzero_si128();
    for (size_t i = 0; i + Bytes <= bytes; i += Bytes) {
        const __m128i x = LoadPixel<Bytes>(row + i);
        const __m128i b = LoadPixel<Bytes>(previous + i);
        __m128i predicted;
        if (filter == 1) {
            predicted = a;
        } else if (filter == 3) {
            predicted = _mm_srli_epi16(_mm_add_epi16(a, b), 1);
        } else {
            // Paeth: the neighbour nearest to a + b - c, ties to a, then b.
            const __m128i pa = Absolute(_mm_sub_epi16(b, c));
            const __m128i pb = Absolute(_mm_sub_epi16(a, c));
            const __m128i pc = Absolute(_mm_add_epi16(_mm_sub_epi16(b, c), _mm_sub_epi16(a, c)));
            const __m128i smallest = _mm_min_epi16(pc, _mm_min_epi16(pa, pb));
            predicted = Select(_mm_cmpeq_epi16(smallest, pa), a, Select(_mm_cmpeq_epi16(smallest, pb), b, c));
        }
        a = _mm_and_si128(_mm_add_epi16(x, predicted), low);
        c = b;
        StorePixel<Bytes>(row + i, a);
    }
}
#endif

// Undoes one row's filter: `row` holds the filtered bytes and becomes the
// raw ones; `previous` is the raw row above (zeros for the first).
bool Unfilter(int filter, uint8_t* row, const uint8_t* previous, size_t bytes, size_t pixel) {
    if (filter == 0) return true;
    if (filter == 2) {
        size_t i = 0;
#ifdef __SSE2__
        for (; i + 16 <= bytes; i += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(previous + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_add_epi8(x, b));
        }
#endif
        for (; i < bytes; ++i) row[i] = static_cast<uint8_t>(row[i] + previous[i]);
        return true;
    }
    if (filter < 1 || filter > 4) return false;
#ifdef __SSE2__
    switch (pixel) {
        case 3: UnfilterByPixel<3>(filter, row, previous, bytes); return true;
        case 4: UnfilterByPixel<4>(filter, row, previous, bytes); return true;
        case 8: UnfilterByPixel<8>(filter, row, previous, bytes); return true;
        default: break;
    }
#endif
    for (size_t i = 0; i < bytes; ++i) {
        const int a = i >= pixel ? row[i - pixel] : 0, b = previous[i],
                  c = i >= pixel ? previous[i - pixel] : 0;
        const int predicted = filter == 1 ? a : filter == 3 ? (a + b) >> 1 : Paeth(a, b, c);
        row[i] = static_cast<uint8_t>(row[i] + predicted);
    }
    return true;
}

// One raw row into four 8-bit bytes a pixel in `order`; returns the AND of the alphas.
uint8_t ConvertRow(const Layout& layout, const uint8_t* raw, uint8_t* out, PixelOrder order) {
    uint32_t alphas = 0xFF000000u;
    const bool swap = order == PixelOrder::Bgra;
    // Pixels as little-endian words: R | G << 8 | B << 16 | A << 24.
    auto put = [&](uint32_t word, uint8_t* at) {
        if (swap) word = (word & 0xFF00FF00u) | (word >> 16 & 0xFFu) | (word & 0xFFu) << 16;
        alphas &= word;
        std::memcpy(at, &word, 4);
    };
    uint32_t x = 0;
#ifdef __SSE2__
    // Four pixels at a time for the two RGBA formats.
    if (layout.channels == 4) {
        const __m128i greenAlpha = _mm_set1_epi32(static_cast<int>(0xFF00FF00u)), low = _mm_set1_epi32(0xFF);
        const __m128i highBytes = _mm_set1_epi16(0xFF);
        __m128i all = _mm_set1_epi32(-1);
        for (; x + 4 <= layout.width; x += 4) {
            __m128i v;
            if (layout.depth == 8) {
                v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + 4 * x));
            } else {
                const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + 8 * x));
                const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(raw + 8 * x + 16));
                v = _mm_packus_epi16(_mm_and_si128(first, highBytes), _mm_and_si128(second, highBytes));
            }
            if (swap)
                v = _mm_or_si128(_mm_and_si128(v, greenAlpha),
                                 _mm_or_si128(_mm_and_si128(_mm_srli_epi32(v, 16), low),
                                              _mm_slli_epi32(_mm_and_si128(v, low), 16)));
            all = _mm_and_si128(all, v);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * x), v);
        }
        uint32_t words[4];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(words), all);
        alphas &= words[0] & words[1] & words[2] & words[3];
    }
#endif
    if (layout.channels == 4 && layout.depth == 8) {
        for (; x < layout.width; ++x) {
            uint32_t word;
            std::memcpy(&word, raw + 4 * x, 4);
            put(word, out + 4 * x);
        }
    } else if (layout.channels == 4) {
        // 16-bit samples keep their high (first) byte, as libpng's strip does.
        for (; x < layout.width; ++x) {
            const uint8_t* p = raw + 8 * x;
            put(p[0] | p[2] << 8 | p[4] << 16 | static_cast<uint32_t>(p[6]) << 24, out + 4 * x);
        }
    } else {
        for (; x < layout.width; ++x) {
            const uint8_t* p = raw + 3 * x;
            put(p[0] | p[1] << 8 | p[2] << 16 | 0xFF000000u, out + 4 * x);
        }
    }
    return static_cast<uint8_t>(alphas >> 24);
}

Fast DecodeFast(const uint8_t* file, size_t size, PixelOrder order, PixelBuffer& pixels) {
    Layout layout;
    ImageData image;
    const Fast read = ReadChunks(file, size, layout, image);
    if (read != Fast::Decoded) return read;
    // The filtered rows are inflated into the end of the picture's own
    // storage; each row is then unfiltered into a scratch row and written out
    // at the start, never past the rows still to be read.
    const size_t filteredRow = layout.rowBytes + 1;
    const size_t filtered = filteredRow * layout.height;
    const size_t outputRow = static_cast<size_t>(layout.width) * 4;
    const size_t storage = std::max(filtered, outputRow * layout.height);
    if (!pixels.Allocate(static_cast<int>(layout.width), static_cast<int>(layout.height), storage))
        return Fast::Refused;
    uint8_t* base = pixels.bytes.get();
    uint8_t* rows = base + (storage - filtered);
    libdeflate_decompressor* inflater = libdeflate_alloc_decompressor();
    if (!inflater) return Fast::Refused;
    size_t produced = 0;
    const libdeflate_result result =
        libdeflate_zlib_decompress(inflater, image.data, image.size, rows, filtered, &produced);
    libdeflate_free_decompressor(inflater);
    // More data than the picture holds is a warning to libpng: let it judge.
    if (result == LIBDEFLATE_INSUFFICIENT_SPACE) return Fast::NotMine;
    if (result != LIBDEFLATE_SUCCESS || produced != filtered) return Fast::Refused;
    std::vector<uint8_t> scratch(2 * layout.rowBytes, 0);
    uint8_t* current = scratch.data();
    uint8_t* previous = scratch.data() + layout.rowBytes;
    uint8_t alphas = 0xFF;
    for (uint32_t y = 0; y < layout.height; ++y) {
        const uint8_t* in = rows + static_cast<size_t>(y) * filteredRow;
        std::memcpy(current, in + 1, layout.rowBytes);
        if (!Unfilter(in[0], current, previous, layout.rowBytes, layout.pixelBytes)) return Fast::Refused;
        alphas &= ConvertRow(layout, current, base + static_cast<size_t>(y) * outputRow, order);
        std::swap(current, previous);
    }
    pixels.order = order;
    pixels.opaque = alphas == 0xFF;
    if (storage > pixels.Size()) pixels.Trim();
    return Fast::Decoded;
}

// ------------------------------------------------------------ through libpng

// Everything the read touches after setjmp lives here, behind a pointer that
// does not change, so a longjmp from libpng leaves nothing indeterminate.
struct ReadState {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t offset = 0;
    std::vector<png_bytep> rows;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (count > state->size - state->offset) png_error(png, "truncated");
    memcpy(out, state->data + state->offset, count);
    state->offset += count;
}

[[noreturn]] void Fail(png_structp png, png_const_charp) { longjmp(png_jmpbuf(png), 1); }
void Ignore(png_structp, png_const_charp) {}

bool DecodeLibpng(const uint8_t* data, size_t size, PixelBuffer& pixels) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    const std::unique_ptr<ReadState> state(new ReadState{data, size, 0, {}});
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, state.get(), ReadBytes);
    png_set_user_limits(png, MaxSide, MaxSide);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colour = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colour, nullptr, nullptr, nullptr);
    if (static_cast<uint64_t>(w) * h > MaxPixels) png_error(png, "too large");
    // Everything becomes 8-bit RGBA; 16-bit samples keep their high byte.
    if (depth == 16) png_set_strip_16(png);
    if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (transparency) png_set_tRNS_to_alpha(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (!(colour & PNG_COLOR_MASK_ALPHA) && !transparency) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(w) * 4) png_error(png, "unexpected layout");
    if (!pixels.Allocate(static_cast<int>(w), static_cast<int>(h))) png_error(png, "out of memory");
    state->rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) state->rows[y] = pixels.bytes.get() + static_cast<size_t>(y) * w * 4;
    png_read_image(png, state->rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

bool Finish(bool decoded, PixelOrder order, PixelBuffer& pixels) {
    if (!decoded) {
        pixels = PixelBuffer{};
        return false;
    }
    if (order == PixelOrder::Bgra) SwapRedAndBlue(pixels);
    pixels.order = order;
    pixels.opaque = EveryPixelOpaque(pixels);
    return true;
}

bool IsPng(const uint8_t* data, size_t size) {
    return data && size >= 8 && std::memcmp(data, Signature, 8) == 0;
}

}  // namespace

bool DecodePngWithLibpng(const uint8_t* data, size_t size, PixelOrder order, PixelBuffer& pixels) {
    return Finish(IsPng(data, size) && DecodeLibpng(data, size, pixels), order, pixels);
}

bool DecodePng(const uint8_t* data, size_t size, PixelOrder order, PixelBuffer& pixels) {
    pixels = PixelBuffer{};
    if (!IsPng(data, size)) return false;
    switch (DecodeFast(data, size, order, pixels)) {
        case Fast::Decoded: return true;
        case Fast::Refused: pixels = PixelBuffer{}; return false;
        case Fast::NotMine: break;
    }
    return DecodePngWithLibpng(data, size, order, pixels);
}

bool DecodePng(const uint8_t* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba) {
    PixelBuffer pixels;
    const bool decoded = DecodePng(data, size, PixelOrder::Rgba, pixels);
    width = decoded ? pixels.width : 0;
    height = decoded ? pixels.height : 0;
    rgba.assign(pixels.bytes.get(), pixels.bytes.get() + (decoded ? pixels.Size() : 0));
    if (!decoded) rgba.shrink_to_fit();
    return decoded;
}
