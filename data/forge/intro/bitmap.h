// The intro movie's pictures once painted: bitmaps that every frame thread
// reads at once, and how they are drawn onto a frame.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "data/forge/pictures/paint.h"

namespace forge::intro {

// Premultiplied 0xAARRGGBB pixels, as Cairo keeps them; never changed once
// made, so every frame thread may read them at once.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

// A bitmap and its halvings, so that drawing it small never shimmers.
struct Mipmap {
    std::vector<Bitmap> levels;  // levels[0] is the full size
    int Width() const { return levels.empty() ? 0 : levels[0].width; }
    int Height() const { return levels.empty() ? 0 : levels[0].height; }
};

// Paints a bitmap placed by `place` (bitmap pixels to the current user
// space) at `alpha`. A Cairo surface of its own is made for each call, so
// threads never share one.
void PaintBitmap(cairo_t* cr, const Bitmap& bitmap, const cairo_matrix_t& place, double alpha = 1.0);
// The same with the top-left corner at (x, y), scaled by `scale`.
void PaintBitmap(cairo_t* cr, const Bitmap& bitmap, double x, double y, double scale = 1.0,
                 double alpha = 1.0);
// The same for a mipmap (`place` given for its full size), taking the level
// that fits the size it ends up at on the canvas.
void PaintMipmap(cairo_t* cr, const Mipmap& mipmap, const cairo_matrix_t& place, double alpha = 1.0);
// Paints the current source through the bitmap's alpha, its corner at
// (x, y): light in the shape of a layer.
void MaskWithBitmap(cairo_t* cr, const Bitmap& bitmap, double x, double y);

// A copy of what the canvas holds.
Bitmap BitmapOf(paint::Canvas& canvas);
// The canvas scaled by `scale` with Cairo's good filter.
Bitmap Scaled(paint::Canvas& source, double scale);
// The bitmap with its halvings, down to about 48 pixels.
Mipmap MipmapOf(Bitmap bitmap);

}  // namespace forge::intro
