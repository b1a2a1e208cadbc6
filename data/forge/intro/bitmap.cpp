#include "data/forge/intro/bitmap.h"

#include <algorithm>
#include <cmath>

namespace forge::intro {

using namespace paint;

namespace {

cairo_surface_t* SurfaceOf(const Bitmap& bitmap) {
    // Only ever a source: Cairo reads the pixels and never writes them.
    auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(bitmap.pixels.data()));
    return cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, bitmap.width, bitmap.height,
                                               bitmap.width * 4);
}

// Half the size, each pixel the mean of four.
Bitmap Halved(const Bitmap& source) {
    Bitmap half;
    half.width = std::max(1, source.width / 2);
    half.height = std::max(1, source.height / 2);
    half.pixels.resize(static_cast<size_t>(half.width) * half.height);
    for (int y = 0; y < half.height; ++y)
        for (int x = 0; x < half.width; ++x) {
            const int sx = std::min(2 * x, source.width - 2), sy = std::min(2 * y, source.height - 2);
            const uint32_t* a = &source.pixels[static_cast<size_t>(sy) * source.width + sx];
            const uint32_t* b = a + source.width;
            uint32_t out = 0;
            for (int c = 0; c < 32; c += 8) {
                const uint32_t sum =
                    ((a[0] >> c) & 0xFF) + ((a[1] >> c) & 0xFF) + ((b[0] >> c) & 0xFF) + ((b[1] >> c) & 0xFF);
                out |= ((sum + 2) / 4) << c;
            }
            half.pixels[static_cast<size_t>(y) * half.width + x] = out;
        }
    return half;
}

}  // namespace

Bitmap BitmapOf(Canvas& canvas) {
    cairo_surface_flush(canvas.surface);
    Bitmap bitmap;
    bitmap.width = canvas.width;
    bitmap.height = canvas.height;
    bitmap.pixels.resize(static_cast<size_t>(canvas.width) * canvas.height);
    for (int y = 0; y < canvas.height; ++y)
        std::copy_n(canvas.Row(y), canvas.width,
                    bitmap.pixels.data() + static_cast<size_t>(y) * canvas.width);
    return bitmap;
}

Bitmap Scaled(Canvas& source, double scale) {
    Canvas target(std::max(1, static_cast<int>(std::lround(source.width * scale))),
                  std::max(1, static_cast<int>(std::lround(source.height * scale))));
    PaintCanvas(target.cr, source, 0, 0, scale);
    return BitmapOf(target);
}

Mipmap MipmapOf(Bitmap bitmap) {
    Mipmap mipmap;
    mipmap.levels.push_back(std::move(bitmap));
    while (mipmap.levels.back().width > 48 && mipmap.levels.back().height > 48)
        mipmap.levels.push_back(Halved(mipmap.levels.back()));
    return mipmap;
}

void PaintBitmap(cairo_t* cr, const Bitmap& bitmap, const cairo_matrix_t& place, double alpha) {
    if (alpha <= 0 || bitmap.width == 0) return;
    cairo_matrix_t toBitmap = place;
    if (cairo_matrix_invert(&toBitmap) != CAIRO_STATUS_SUCCESS) return;
    cairo_surface_t* surface = SurfaceOf(bitmap);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
    cairo_pattern_set_matrix(pattern, &toBitmap);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_BILINEAR);
    cairo_save(cr);
    cairo_set_source(cr, pattern);
    cairo_paint_with_alpha(cr, std::min(1.0, alpha));
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(surface);
}

void PaintBitmap(cairo_t* cr, const Bitmap& bitmap, double x, double y, double scale, double alpha) {
    cairo_matrix_t place;
    cairo_matrix_init(&place, scale, 0, 0, scale, x, y);
    PaintBitmap(cr, bitmap, place, alpha);
}

void PaintMipmap(cairo_t* cr, const Mipmap& mipmap, const cairo_matrix_t& place, double alpha) {
    if (mipmap.levels.empty()) return;
    // How many canvas pixels one pixel of the full size covers.
    cairo_matrix_t onCanvas;
    cairo_get_matrix(cr, &onCanvas);
    cairo_matrix_multiply(&onCanvas, &place, &onCanvas);
    double shown = std::sqrt(std::fabs(onCanvas.xx * onCanvas.yy - onCanvas.xy * onCanvas.yx));
    size_t level = 0;
    while (level + 1 < mipmap.levels.size() && shown < 0.5) {
        ++level;
        shown *= 2;
    }
    const double factor = static_cast<double>(mipmap.levels[0].width) / mipmap.levels[level].width;
    cairo_matrix_t levelPlace = place;
    cairo_matrix_scale(&levelPlace, factor, factor);
    PaintBitmap(cr, mipmap.levels[level], levelPlace, alpha);
}

void MaskWithBitmap(cairo_t* cr, const Bitmap& bitmap, double x, double y) {
    cairo_surface_t* surface = SurfaceOf(bitmap);
    cairo_mask_surface(cr, surface, x, y);
    cairo_surface_destroy(surface);
}

}  // namespace forge::intro
