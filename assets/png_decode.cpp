#include "assets/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>

namespace {

constexpr png_uint_32 MaxSide = 16384;
constexpr uint64_t MaxPixels = 64ull << 20;

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

[[noreturn]] void Fail(png_structp png, png_const_charp) {
    longjmp(png_jmpbuf(png), 1);
}
void Ignore(png_structp, png_const_charp) {}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba) {
    width = height = 0;
    rgba.clear();
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
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
        rgba.clear();
        rgba.shrink_to_fit();
        width = height = 0;
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
    rgba.resize(static_cast<size_t>(w) * h * 4);
    state->rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) state->rows[y] = rgba.data() + static_cast<size_t>(y) * w * 4;
    png_read_image(png, state->rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}
