#include "data/forge/intro/intro_frame.h"

#include <algorithm>

#include "data/forge/intro/intro_timeline.h"

namespace forge::intro {

using namespace paint;

void RenderIntroFrame(const IntroLayers& layers, int number, Canvas& canvas) {
    // From StillFrom on every frame is the same: the picture the movie ends on.
    const double t = std::min(TimeOfFrame(number), StillFrom);
    cairo_t* cr = canvas.cr;
    cairo_save(cr);
    SetColour(cr, Hex(0x000000));
    cairo_paint(cr);
    PaintFlight(cr, layers, t);
    PaintLogo(cr, layers, t);
    PaintBitmap(cr, layers.vignette, 0, 0);
    const double dark = 1 - Ease(Progress(t, 0.0, FadeInEnd));
    if (dark > 0) {
        SetColour(cr, Hex(0x000000), dark);
        cairo_paint(cr);
    }
    cairo_restore(cr);
}

}  // namespace forge::intro
