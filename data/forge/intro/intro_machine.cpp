// The reel frame and what happens inside it: five reels that spin while the
// camera comes in, stop one by one on a line of five wilds, and light that
// line before the logo takes the stage. Coordinates are the game's screen's.
#include <cmath>

#include "data/forge/intro/intro_frame.h"
#include "data/forge/intro/intro_timeline.h"
#include "data/forge/pictures/symbol_art.h"

namespace forge::intro {

using namespace paint;

namespace {

constexpr double WindowLeft = 118, WindowTop = 145, WindowWidth = 1000, WindowHeight = 480;
constexpr double CellW = art::CellWidth, CellH = art::CellHeight;
constexpr double SpinSpeed = 2400;  // pixels a second
constexpr double LineY = WindowTop + 1.5 * CellH;
constexpr int Wild = 11;

// What each reel shows when it stops (top, middle, bottom), and the strip it spins.
constexpr int Stops[5][3] = {{3, Wild, 8}, {0, Wild, 2}, {10, Wild, 4}, {1, Wild, 7}, {6, Wild, 9}};
constexpr int Strip[16] = {0, 8, 3, 10, 5, 1, 9, 6, 2, 11, 4, 7, 0, 5, 3, 9};

// The symbol at place k of reel r: 0..2 are the stop, the rest comes round the strip.
int SymbolAt(int reel, int k) {
    if (k >= 0 && k <= 2) return Stops[reel][k];
    const int n = ((k + reel * 5) % 16 + 16) % 16;
    return Strip[n];
}

// How far the reel still has to run (pixels; negative while it bounces past its stop).
double ReelOffset(int reel, double t) {
    const double stop = ReelStop[reel];
    if (t < stop) return SpinSpeed * (stop - t);
    const double u = Progress(t, stop, stop + 0.28);
    return -26 * std::sin(Pi * u) * (1 - u);
}

void PaintReel(cairo_t* cr, const IntroLayers& layers, int reel, double t) {
    const double offset = ReelOffset(reel, t);
    // Sharp once it lands; smeared while it runs, with a short blend between.
    const double sharp = Progress(t, ReelStop[reel] - 0.08, ReelStop[reel]);
    const double x = WindowLeft + reel * CellW;
    const int first = static_cast<int>(std::floor(offset / CellH)) - 1;
    for (int k = first; k <= first + 4; ++k) {
        const double y = WindowTop + k * CellH - offset;
        if (y > WindowTop + WindowHeight || y + CellH < WindowTop) continue;
        const int symbol = SymbolAt(reel, k);
        if (sharp < 1) PaintBitmap(cr, layers.spinningSymbols[symbol], x, y - SpinPad, 1.0, 1 - sharp);
        if (sharp > 0) PaintBitmap(cr, layers.symbols[symbol], x, y, 1.0, sharp);
    }
}

// The line of wilds lights up: a beam runs across it, the wilds glow behind.
void PaintLitLine(cairo_t* cr, double t) {
    const double reach = Ease(Progress(t, LineLight, LineLight + 0.35));
    const double fade = 1 - Ease(Progress(t, LightFlies + 0.2, LightFlies + 0.9));
    if (reach <= 0 || fade <= 0) return;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    for (int reel = 0; reel < 5; ++reel) {
        const double lit = Progress(WindowLeft + reach * WindowWidth, WindowLeft + reel * CellW,
                                    WindowLeft + (reel + 0.5) * CellW);
        RadialLight(cr, WindowLeft + (reel + 0.5) * CellW, LineY, 120, Hex(0xff6a30), 0.45 * lit * fade);
    }
    const double end = WindowLeft + reach * WindowWidth;
    const double widths[3] = {26, 10, 3};
    const double alphas[3] = {0.18, 0.4, 0.95};
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, WindowLeft + 6, LineY);
        cairo_line_to(cr, end, LineY);
        SetColour(cr, i == 2 ? Hex(0xfff4e0) : Hex(0xffb050), alphas[i] * fade);
        cairo_set_line_width(cr, widths[i]);
        cairo_stroke(cr);
    }
    Sparkle(cr, end, LineY, 70, Hex(0xfff0d0), fade);
    cairo_restore(cr);
}

}  // namespace

void PaintMachine(cairo_t* cr, const IntroLayers& layers, double t) {
    cairo_matrix_t place;
    cairo_matrix_init_identity(&place);
    PaintMipmap(cr, layers.machine, place);
    cairo_save(cr);
    cairo_rectangle(cr, WindowLeft, WindowTop, WindowWidth, WindowHeight);
    cairo_clip(cr);
    for (int reel = 0; reel < 5; ++reel) PaintReel(cr, layers, reel, t);
    // The reels step back behind the logo.
    const double dim = 0.72 * Ease(Progress(t, LightFlies, LogoFlash + 0.4));
    if (dim > 0) {
        SetColour(cr, Hex(0x020410), dim);
        cairo_paint(cr);
    }
    cairo_restore(cr);
    PaintLitLine(cr, t);
}

}  // namespace forge::intro
