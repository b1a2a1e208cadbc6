#include "assets/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace {

// Far above any picture of the game (the largest is 1800 x 4320), low enough
// that damaged data cannot ask for gigabytes.
constexpr png_uint_32 MaxSide = 8192;
constexpr size_t MaxPixels = size_t{1} << 25;

struct MemoryStream {
    const uint8_t* data;
    size_t size;
    size_t at;
};

void ReadFromMemory(png_structp png, png_bytep target, png_size_t length) {
    auto* stream = static_cast<MemoryStream*>(png_get_io_ptr(png));
    if (length > stream->size - stream->at) png_error(png, "truncated");
    memcpy(target, stream->data + stream->at, length);
    stream->at += length;
}

// libpng reports through longjmp; keep its warnings quiet.
void IgnoreWarning(png_structp, png_const_charp) {}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, int& width, int& height, std::vector<uint8_t>& rgba) {
    width = height = 0;
    rgba.clear();
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    MemoryStream stream{data, size, 0};
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        rgba.clear();
        width = height = 0;
        return false;
    }
    png_set_read_fn(png, &stream, ReadFromMemory);
    png_set_user_limits(png, MaxSide, MaxSide);
    png_read_info(png, info);
    const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (static_cast<size_t>(w) * h > MaxPixels) png_error(png, "too large");
    const int depth = png_get_bit_depth(png, info);
    const int colour = png_get_color_type(png, info);
    // Everything becomes 8-bit RGBA.
    if (depth == 16) png_set_scale_16(png);
    if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    if (!(colour & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(w) * 4) png_error(png, "unexpected layout");
    rgba.resize(static_cast<size_t>(w) * h * 4);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y) rows[y] = rgba.data() + static_cast<size_t>(y) * w * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}
