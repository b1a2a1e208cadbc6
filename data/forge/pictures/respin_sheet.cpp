// Sprite 17: the reel-start effect of a respin, 70 frames of a whole reel
// (200 x 480), nine per row. Energy runs down the reel inside a charged frame;
// everything but the crackling arcs repeats exactly once per 70 frames.
#include <cmath>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/paint.h"

namespace forge::art {

using namespace paint;

namespace {

constexpr int ReelWidth = 200, ReelHeight = 480, Frames = 70, Columns = 9;
const Rgb kEnergy = Hex(0x38e0ff);

struct Streak {
    double x, length, width, offset;
    int laps;  // whole trips down the reel per loop, so the loop closes
};

std::vector<Streak> Streaks() {
    std::vector<Streak> streaks;
    Noise random(1717);
    for (int i = 0; i < 16; ++i)
        streaks.push_back({14 + random.Unit() * 172, 60 + random.Unit() * 120, 1.5 + random.Unit() * 3.5,
                           random.Unit(), 1 + static_cast<int>(random.Next() % 3)});
    return streaks;
}

// A jagged bolt between two points, midpoints displaced recursively.
void Bolt(cairo_t* cr, Noise& random, double x0, double y0, double x1, double y1, double spread, int depth) {
    if (depth == 0) {
        cairo_line_to(cr, x1, y1);
        return;
    }
    const double mx = (x0 + x1) / 2 + (random.Unit() - 0.5) * spread, my = (y0 + y1) / 2;
    Bolt(cr, random, x0, y0, mx, my, spread / 2, depth - 1);
    Bolt(cr, random, mx, my, x1, y1, spread / 2, depth - 1);
}

void ReelFrame(Canvas& canvas, int frame, const std::vector<Streak>& streaks) {
    cairo_t* cr = canvas.cr;
    const double t = static_cast<double>(frame) / Frames;
    const double beat = 0.5 + 0.5 * std::cos(2 * Pi * 2 * t);

    // Haze along the sides and a flare at the top, where the reel is launched.
    for (int side = 0; side < 2; ++side) {
        const double x = side ? ReelWidth : 0;
        cairo_pattern_t* haze = cairo_pattern_create_linear(x, 0, ReelWidth / 2.0, 0);
        AddStop(haze, 0, kEnergy, 0.2 + 0.12 * beat);
        AddStop(haze, 1, kEnergy, 0);
        cairo_set_source(cr, haze);
        cairo_rectangle(cr, 0, 0, ReelWidth, ReelHeight);
        cairo_fill(cr);
        cairo_pattern_destroy(haze);
    }
    cairo_save(cr);
    cairo_scale(cr, 1, 0.5);
    RadialLight(cr, 100, 0, 150, Hex(0xbff6ff), 0.5 + 0.35 * beat);
    cairo_restore(cr);

    // Chevrons sliding down: the whole pattern moves one spacing per loop.
    for (int i = -1; i < 4; ++i) {
        const double y = (i + t) * 160;
        cairo_move_to(cr, 30, y);
        cairo_line_to(cr, 100, y + 40);
        cairo_line_to(cr, 170, y);
        SetColour(cr, kEnergy, 0.16);
        cairo_set_line_width(cr, 10);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
        cairo_stroke(cr);
    }

    // Light streaks falling down the reel.
    Canvas light(ReelWidth, ReelHeight);
    for (const Streak& s : streaks) {
        const double travel = ReelHeight + s.length;
        const double head = std::fmod(s.offset + s.laps * t, 1.0) * travel;
        cairo_pattern_t* tail = cairo_pattern_create_linear(0, head - s.length, 0, head);
        AddStop(tail, 0, kEnergy, 0);
        AddStop(tail, 0.85, Lighten(kEnergy, 0.4), 0.8);
        AddStop(tail, 1, {1, 1, 1}, 1);
        cairo_set_source(light.cr, tail);
        RoundedRectangle(light.cr, s.x - s.width / 2, head - s.length, s.width, s.length, s.width / 2);
        cairo_fill(light.cr);
        cairo_pattern_destroy(tail);
    }
    // The charged frame.
    cairo_set_line_width(light.cr, 5);
    RoundedRectangle(light.cr, 6, 6, ReelWidth - 12, ReelHeight - 12, 14);
    SetColour(light.cr, kEnergy, 0.55 + 0.45 * beat);
    cairo_stroke(light.cr);
    // Arcs crackle along both edges; they change every frame like real sparks.
    Noise random(9000 + frame);
    for (int side = 0; side < 2; ++side) {
        const double x = side ? ReelWidth - 11 : 11;
        const double y0 = random.Unit() * 200, y1 = y0 + 120 + random.Unit() * 160;
        cairo_new_path(light.cr);
        cairo_move_to(light.cr, x, y0);
        Bolt(light.cr, random, x, y0, x, y1, 26, 5);
        SetColour(light.cr, Lighten(kEnergy, 0.5), 0.9);
        cairo_set_line_width(light.cr, 2);
        cairo_stroke(light.cr);
    }
    Canvas glow(ReelWidth, ReelHeight);
    PaintCanvas(glow.cr, light, 0, 0);
    Blur(glow, 14);
    PaintCanvas(cr, glow, 0, 0, 1.0, 1.0);
    PaintCanvas(cr, glow, 0, 0, 1.0, 0.6);
    PaintCanvas(cr, light, 0, 0);

    // Bright corner brackets.
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Hex(0xeaffff), 0.7 + 0.3 * beat);
    for (int corner = 0; corner < 4; ++corner) {
        const double x = corner % 2 ? ReelWidth - 8 : 8, y = corner / 2 ? ReelHeight - 8 : 8;
        const double dx = corner % 2 ? -1 : 1, dy = corner / 2 ? -1 : 1;
        cairo_move_to(cr, x, y + dy * 34);
        cairo_line_to(cr, x, y);
        cairo_line_to(cr, x + dx * 34, y);
        cairo_stroke(cr);
    }
}

std::vector<Asset> RespinJob() {
    const auto streaks = Streaks();
    const int rows = (Frames + Columns - 1) / Columns + 1;  // the catalogue's sheet has one spare row
    Picture sheet(ReelWidth * Columns, ReelHeight * rows);
    for (int frame = 0; frame < Frames; ++frame) {
        Canvas canvas(ReelWidth, ReelHeight);
        ReelFrame(canvas, frame, streaks);
        const Picture picture = canvas.ToPicture();
        const int ox = (frame % Columns) * ReelWidth, oy = (frame / Columns) * ReelHeight;
        for (int y = 0; y < ReelHeight; ++y)
            std::copy(picture.At(0, y), picture.At(0, y) + ReelWidth * 4, sheet.At(ox, y + oy));
    }
    return {CataloguePicture("sprite", 17, 0, sheet)};
}

const JobRegistrar kRespin("respin-sheet", RespinJob);

}  // namespace

}  // namespace forge::art
