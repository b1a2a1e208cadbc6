// The flight: the camera looks along its axis through the screen's centre;
// a thing at depth z (world units ahead) and offset (x, y) from the axis
// shows at centre + Focal * (x, y) / z. The reel frame waits at the end of
// the path, one unit ahead of where the camera stops.
#include <algorithm>
#include <cmath>

#include "data/forge/intro/intro_frame.h"
#include "data/forge/intro/intro_timeline.h"

namespace forge::intro {

using namespace paint;

namespace {

constexpr double Focal = 640;                       // pixels per world unit at depth 1
constexpr double StarNear = 0.25, StarReach = 8.0;  // the stars fill depths 0.25 .. 8.25
constexpr double CloudFirst = 3.0, CloudSpacing = 1.35;
constexpr double CloudFar = 6.0, CloudNear = 1.0;
constexpr double CloudSize = 6.0;  // a sheet's pixels per screen pixel at depth 1

// The camera's frame: the origin at the screen's centre. (Bitmaps are only
// ever scaled, flipped and moved, never turned: Cairo draws them several
// times faster so.)
void CameraSpace(cairo_matrix_t& m) { cairo_matrix_init_translate(&m, Width / 2.0, Height / 2.0); }

void PaintDeepSpace(cairo_t* cr, const IntroLayers& layers, double t) {
    // The far nebula hardly moves: a slow zoom that comes to rest with the rest.
    const double zoom = 0.85 + 0.07 * Ease(Progress(t, 0.0, StillFrom));
    cairo_matrix_t place;
    CameraSpace(place);
    cairo_matrix_scale(&place, zoom, zoom);
    cairo_matrix_translate(&place, -layers.backdrop.Width() / 2.0, -layers.backdrop.Height() / 2.0);
    PaintMipmap(cr, layers.backdrop, place);
}

double StarDepth(const Star& star, double t) {
    const double travelled = Travelled(t) / StarReach;
    return StarNear + StarReach * (star.depth - travelled - std::floor(star.depth - travelled));
}

// The stars as streaks from where they were half a frame ago, gathered into
// a few strokes by brightness and width.
void PaintStars(cairo_t* cr, const IntroLayers& layers, double t) {
    constexpr int AlphaSteps = 8, WidthSteps = 4;
    const double exposure = 0.8 / FramesPerSecond;
    const double trail = Speed(t) * exposure;
    cairo_save(cr);
    cairo_matrix_t camera;
    CameraSpace(camera);
    cairo_transform(cr, &camera);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int w = 0; w < WidthSteps; ++w)
        for (int a = 0; a < AlphaSteps; ++a) {
            const double alpha = (a + 1.0) / AlphaSteps, width = 0.8 + 0.8 * w;
            bool any = false;
            Rgb tint{0, 0, 0};
            int tints = 0;
            for (const Star& star : layers.stars) {
                const double z = StarDepth(star, t), back = z + trail;
                if (back > StarNear + StarReach) continue;  // it has just come round again
                const double far = Progress(z, StarNear + StarReach, StarNear + StarReach * 0.6);
                const double light = star.magnitude * std::min(1.0, 1.3 / z) * far;
                const double thick = std::clamp(1.7 / std::sqrt(z), 0.8, 3.2) * (0.6 + 0.4 * star.magnitude);
                if (std::min(AlphaSteps - 1, static_cast<int>(light * AlphaSteps)) != a || light < 0.04)
                    continue;
                if (std::min(WidthSteps - 1, static_cast<int>((thick - 0.8) / 0.8)) != w) continue;
                const double x = Focal * star.x / z, y = Focal * star.y / z;
                if (std::fabs(x) > Width * 0.7 || std::fabs(y) > Height * 0.7) continue;
                cairo_move_to(cr, Focal * star.x / back, Focal * star.y / back);
                cairo_line_to(cr, x, y);
                tint = {tint.r + star.tint.r, tint.g + star.tint.g, tint.b + star.tint.b};
                ++tints;
                any = true;
            }
            if (!any) continue;
            SetColour(cr, {tint.r / tints, tint.g / tints, tint.b / tints}, alpha);
            cairo_set_line_width(cr, width);
            cairo_stroke(cr);
        }
    cairo_restore(cr);
}

// A cloud sheet: which of the textures it shows, and which way round.
struct Sheet {
    double depth;  // world depth of the sheet (not yet less the camera's travel)
    int texture;
    bool flipX, flipY;
};

std::vector<Sheet> Sheets(size_t textures) {
    std::vector<Sheet> sheets;
    Noise random(777);
    for (double depth = CloudFirst; depth < Travelled(StillFrom) + CloudFar + 1; depth += CloudSpacing) {
        Sheet sheet;
        sheet.depth = depth;
        sheet.texture = static_cast<int>(random.Next() % textures);
        sheet.flipX = random.Next() % 2;
        sheet.flipY = random.Next() % 2;
        sheets.push_back(sheet);
    }
    return sheets;
}

// Things ahead of the camera, painted from the farthest to the nearest.
struct Ahead {
    double z;
    enum Kind { Cloud, Planet, Machine } kind;
    int index;
};

void PaintCloud(cairo_t* cr, const IntroLayers& layers, const Sheet& sheet, double z) {
    const double alpha =
        0.9 * Ease(Progress(z, CloudFar, CloudFar - 1.4)) * Ease(Progress(z, CloudNear, 1.9));
    if (alpha <= 0.005) return;
    const Mipmap& texture = layers.clouds[sheet.texture];
    const double scale = CloudSize / z;
    cairo_matrix_t place;
    CameraSpace(place);
    cairo_matrix_scale(&place, sheet.flipX ? -scale : scale, sheet.flipY ? -scale : scale);
    cairo_matrix_translate(&place, -texture.Width() / 2.0, -texture.Height() / 2.0);
    PaintMipmap(cr, texture, place, alpha);
}

void PaintLevelPlanet(cairo_t* cr, const IntroLayers& layers, int index, double z) {
    const PlanetPath& path = layers.planetPaths[index];
    const double radius = Focal * path.radius / z;  // on the screen
    const Mipmap& planet = layers.planets[index];
    const double scale = radius / layers.planetPixelRadius[index];
    const double x = Focal * path.offset * std::cos(path.angle) / z,
                 y = Focal * path.offset * std::sin(path.angle) / z;
    const double half = planet.Width() * scale / 2;
    if (std::fabs(x) - half > Width * 0.75 || std::fabs(y) - half > Height * 0.75) return;
    // It comes out of the haze of distance.
    const double alpha = Ease(Progress(z, 10, 7));
    cairo_matrix_t place;
    CameraSpace(place);
    cairo_matrix_translate(&place, x, y);
    cairo_matrix_scale(&place, scale, scale);
    cairo_matrix_translate(&place, -planet.Width() / 2.0, -planet.Height() / 2.0);
    PaintMipmap(cr, planet, place, alpha);
}

void PaintMachineAhead(cairo_t* cr, const IntroLayers& layers, double t) {
    const double z = ReelFrameDepth(t), scale = 1.0 / z;
    // Far off it is a cyan light; it takes shape as it comes nearer.
    const double beacon = 1.0 - Ease(Progress(z, 6, 1.5));
    const double shape = Ease(Progress(z, 14, 5));
    if (beacon > 0) {
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        RadialLight(cr, Width / 2.0, Height / 2.0, 50 + 700 * scale, Hex(0x40c8ff), 0.5 * beacon);
        Sparkle(cr, Width / 2.0, Height / 2.0, 40 + 300 * scale, Hex(0xc0f0ff),
                0.8 * beacon * (1 - shape * 0.6));
        cairo_restore(cr);
    }
    if (shape <= 0) return;
    cairo_save(cr);
    cairo_matrix_t place;
    CameraSpace(place);
    cairo_matrix_scale(&place, scale, scale);
    cairo_matrix_translate(&place, -MachineCentreX, -MachineCentreY);
    cairo_transform(cr, &place);
    if (shape < 1) {
        // Faded as a whole: in a group no bigger than the machine.
        cairo_rectangle(cr, 0, 0, layers.machine.Width(), layers.machine.Height());
        cairo_clip(cr);
        cairo_push_group(cr);
    }
    PaintMachine(cr, layers, t);
    if (shape < 1) {
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, shape);
    }
    cairo_restore(cr);
}

}  // namespace

void PaintFlight(cairo_t* cr, const IntroLayers& layers, double t) {
    static const std::vector<Sheet> sheets = Sheets(layers.clouds.size());
    PaintDeepSpace(cr, layers, t);
    PaintStars(cr, layers, t);
    const double travelled = Travelled(t), machineZ = ReelFrameDepth(t);
    std::vector<Ahead> ahead;
    for (size_t i = 0; i < sheets.size(); ++i) {
        const double z = sheets[i].depth - travelled;
        if (z > CloudNear && z < CloudFar) ahead.push_back({z, Ahead::Cloud, static_cast<int>(i)});
    }
    for (int i = 0; i < 4; ++i) {
        const PlanetPath& path = layers.planetPaths[i];
        // Each is 1.6 units ahead when its time comes.
        const double z = Travelled(path.passTime) + 1.6 - travelled;
        if (z > 0.35 && z < 10) ahead.push_back({z, Ahead::Planet, i});
    }
    ahead.push_back({machineZ, Ahead::Machine, 0});
    std::sort(ahead.begin(), ahead.end(), [](const Ahead& a, const Ahead& b) { return a.z > b.z; });
    for (const Ahead& thing : ahead) {
        switch (thing.kind) {
            case Ahead::Cloud: PaintCloud(cr, layers, sheets[thing.index], thing.z); break;
            case Ahead::Planet: PaintLevelPlanet(cr, layers, thing.index, thing.z); break;
            case Ahead::Machine: PaintMachineAhead(cr, layers, t); break;
        }
    }
}

}  // namespace forge::intro
