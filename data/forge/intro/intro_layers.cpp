#include "data/forge/intro/intro_layers.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <thread>

#include "data/forge/intro/intro_timeline.h"
#include "data/forge/pictures/icon_art.h"
#include "data/forge/pictures/reel_frame.h"
#include "data/forge/pictures/space.h"
#include "data/forge/pictures/symbol_art.h"
#include "data/forge/pictures/title_logo.h"

namespace forge::intro {

using namespace paint;

namespace {

// ------------------------------------------------------------ the sky

Bitmap Backdrop() {
    Canvas canvas(1600, 960);
    NebulaStyle style;
    style.seed = 27;
    style.scale = 1.15;
    style.brightness = 0.8;
    // Darker straight ahead, where the reel frame waits.
    auto shade = [](double x, double y) {
        const double dx = (x - 800) / 800, dy = (y - 480) / 480;
        return 0.45 + 0.55 * SmoothStep(0.15, 0.9, std::sqrt(dx * dx + dy * dy));
    };
    PaintNebula(canvas, style, shade);
    PaintStars(canvas, 2701, 1300, 0.9, shade);
    return BitmapOf(canvas);
}

// A nebula made see-through: its dark parts clear, its light parts cloud,
// and a hole in the middle, so that the sheets ahead leave a tunnel open
// towards the reel frame.
Bitmap CloudSheet(const NebulaStyle& style) {
    Canvas canvas(1600, 1000);
    PaintNebula(canvas, style);
    cairo_surface_flush(canvas.surface);
    for (int y = 0; y < canvas.height; ++y) {
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.width; ++x) {
            const double r = ((row[x] >> 16) & 0xFF) / 255.0, g = ((row[x] >> 8) & 0xFF) / 255.0,
                         b = (row[x] & 0xFF) / 255.0;
            const double light = std::max({r, g, b});
            const double hole =
                SmoothStep(120, 340, std::hypot(x - canvas.width / 2.0, y - canvas.height / 2.0));
            const double alpha = 0.85 * SmoothStep(0.12, 0.6, light) * hole;
            auto channel = [&](double value, int shift) {
                const double premultiplied = std::min(1.0, value * 1.35) * alpha;
                return static_cast<uint32_t>(std::lround(premultiplied * 255)) << shift;
            };
            row[x] = static_cast<uint32_t>(std::lround(alpha * 255)) << 24 | channel(r, 16) | channel(g, 8) |
                     channel(b, 0);
        }
    }
    cairo_surface_mark_dirty(canvas.surface);
    FadeEdges(canvas, 280);
    return BitmapOf(canvas);
}

std::vector<NebulaStyle> CloudStyles() {
    NebulaStyle violet;
    violet.seed = 41;
    violet.scale = 0.8;
    NebulaStyle teal;
    teal.seed = 42;
    teal.scale = 0.7;
    teal.cloud = Hex(0x3a3ab8);
    teal.glow = Hex(0x30c8e8);
    NebulaStyle magenta;
    magenta.seed = 43;
    magenta.scale = 0.9;
    magenta.cloud = Hex(0x8a2ca0);
    magenta.accent = Hex(0xf05aa8);
    return {violet, teal, magenta};
}

// Darker corners, as through a lens.
Bitmap Vignette() {
    Canvas canvas(Width, Height);
    cairo_pattern_t* vignette = cairo_pattern_create_radial(0, 0, 420, 0, 0, 900);
    cairo_pattern_add_color_stop_rgba(vignette, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(vignette, 1, 0, 0, 0, 0.55);
    cairo_matrix_t ellipse;
    cairo_matrix_init_scale(&ellipse, 1, 1.45);
    cairo_matrix_translate(&ellipse, -Width / 2.0, -Height / 2.0);
    cairo_pattern_set_matrix(vignette, &ellipse);
    cairo_set_source(canvas.cr, vignette);
    cairo_paint(canvas.cr);
    cairo_pattern_destroy(vignette);
    return BitmapOf(canvas);
}

// ------------------------------------------------------------ the level planets

constexpr double PlanetRadius = 340;  // pixels, in the full-size bitmap

const GradientNoise& PlanetNoise() {
    static const GradientNoise noise(2024);
    return noise;
}

double PlanetSphereNoise(double lon, double lat, double scale, double offset, int octaves) {
    return SphereNoise(PlanetNoise(), lon, lat, scale, offset, octaves);
}

// Level 2: a blue ocean world under white clouds.
Rgb BlueWorld(double lon, double lat) {
    const double land = PlanetSphereNoise(lon, lat, 1.7, 3, 5);
    Rgb c = Mix(Hex(0x07205e), Hex(0x1a6ad8), SmoothStep(-0.3, 0.3, land));
    c = Mix(c, Hex(0x3ab0c8), SmoothStep(0.18, 0.3, land) * 0.6);
    const double cloud = PlanetSphereNoise(lon * 1.3, lat * 1.8, 3.0, 17, 4);
    return Mix(c, Hex(0xeaf6ff), SmoothStep(0.02, 0.4, cloud) * 0.85);
}

// Level 4: an orange world of rock and glowing lava seams.
Rgb LavaRock(double lon, double lat) {
    const double rock = PlanetSphereNoise(lon, lat, 2.2, 29, 5);
    Rgb c = Mix(Hex(0xf08a30), Hex(0x6a2a08), SmoothStep(-0.2, 0.3, rock));
    return Mix(c, Hex(0x2a1006), SmoothStep(0.25, 0.5, PlanetSphereNoise(lon, lat, 5.5, 37, 2)) * 0.5);
}
Rgb LavaGlow(double lon, double lat) {
    const double x = std::cos(lon) * std::cos(lat), y = std::sin(lon) * std::cos(lat), z = std::sin(lat);
    const double seam = SmoothStep(0.74, 0.93, PlanetNoise().Ridged(x * 2.6 + 9, y * 2.6, z * 2.6, 3));
    return {1.0 * seam, 0.5 * seam, 0.1 * seam};
}

// Level 5: a golden gas giant with soft bands.
Rgb GoldGiant(double lon, double lat) {
    const double swirl = PlanetSphereNoise(lon, lat, 1.5, 53, 4);
    const double band = std::sin(lat * 8 + swirl * 3.0);
    Rgb c = Mix(Hex(0xa86410), Hex(0xffd868), 0.5 + 0.5 * band);
    return Mix(c, Hex(0xfff6d8), std::clamp(PlanetSphereNoise(lon, lat, 5, 61, 3) * 0.9, 0.0, 0.4));
}

Bitmap LevelPlanet(int level) {
    const bool ringed = level == 3;
    const int size = static_cast<int>(PlanetRadius * (ringed ? 3.7 : 2.3));
    Canvas canvas(size, size);
    const double c = size / 2.0, tilt = -0.35;
    PlanetStyle planet;
    planet.cx = planet.cy = c;
    planet.radius = PlanetRadius;
    planet.light[0] = -0.55;
    planet.light[1] = -0.35;
    planet.light[2] = 0.75;
    planet.atmosphere = Lighten(art::LevelIconColour(level), 0.35);
    planet.atmosphereStrength = 1.0;
    planet.ambient = 0.05;
    switch (level) {
        case 2: planet.surface = BlueWorld; break;
        case 3:
            planet.surface = VioletGiantSurface;
            planet.tilt = tilt;
            break;
        case 4:
            planet.surface = LavaRock;
            planet.emission = LavaGlow;
            planet.atmosphereStrength = 0.7;
            break;
        default:
            planet.surface = GoldGiant;
            planet.tilt = 0.2;
            break;
    }
    const Rgb ring = Hex(0xd0b8ff);
    if (ringed)
        PaintRingHalf(canvas.cr, c, c, PlanetRadius * 1.3, PlanetRadius * 1.8, tilt, 0.24, false, ring, 0.75);
    PaintPlanet(canvas, planet);
    if (ringed)
        PaintRingHalf(canvas.cr, c, c, PlanetRadius * 1.3, PlanetRadius * 1.8, tilt, 0.24, true, ring, 0.85);
    return BitmapOf(canvas);
}

// ------------------------------------------------------------ the machine

Bitmap Machine() {
    Canvas picture(art::FullWidth, art::FullHeight);
    art::PaintReelWindow(picture.cr);
    art::PaintReelFrame(picture);
    // The game shows the full-screen pictures at 0.8: so does the movie's last frame.
    return Scaled(picture, static_cast<double>(art::ScreenWidth) / art::FullWidth);
}

// Blurs the canvas up and down only (three box passes of 2 radius + 1
// rows, transparent beyond the edges): the smear of a turning reel.
void SmearVertically(Canvas& canvas, int radius) {
    cairo_surface_flush(canvas.surface);
    const int h = canvas.height, window = 2 * radius + 1;
    std::vector<uint32_t> column(h);
    for (int pass = 0; pass < 3; ++pass)
        for (int x = 0; x < canvas.width; ++x) {
            for (int y = 0; y < h; ++y) column[y] = canvas.Row(y)[x];
            uint32_t sum[4] = {0, 0, 0, 0};
            auto add = [&](int y, int sign) {
                if (y < 0 || y >= h) return;
                for (int c = 0; c < 4; ++c) sum[c] += sign * ((column[y] >> (c * 8)) & 0xFF);
            };
            for (int y = -radius; y < radius; ++y) add(y, 1);
            for (int y = 0; y < h; ++y) {
                add(y + radius, 1);
                uint32_t out = 0;
                for (int c = 0; c < 4; ++c) out |= ((sum[c] + window / 2) / window) << (c * 8);
                canvas.Row(y)[x] = out;
                add(y - radius, -1);
            }
        }
    cairo_surface_mark_dirty(canvas.surface);
}

void Symbols(IntroLayers& layers, int first, int last) {
    for (int s = first; s <= last; ++s) {
        Canvas cell(art::CellWidth, art::CellHeight);
        art::RenderSymbol(cell, s, 0.0);
        layers.symbols[s] = BitmapOf(cell);
        Canvas smear(art::CellWidth, art::CellHeight + 2 * SpinPad);
        PaintCanvas(smear.cr, cell, 0, SpinPad);
        SmearVertically(smear, 24);
        layers.spinningSymbols[s] = BitmapOf(smear);
    }
}

// ------------------------------------------------------------ the logo

Bitmap LogoLayer(void (*paint)(Canvas&)) {
    Canvas canvas(art::LogoWidth, art::LogoHeight);
    paint(canvas);
    return Scaled(canvas, LogoScale);
}

// The letters of the name (as far as their dark outline reaches) in white, at LogoScale.
Bitmap NameShape() {
    Canvas canvas(art::LogoWidth, art::LogoHeight);
    art::LogoNamePath(canvas.cr);
    SetColour(canvas.cr, Hex(0xffffff));
    cairo_set_line_width(canvas.cr, 18);
    cairo_set_line_join(canvas.cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(canvas.cr);
    cairo_fill(canvas.cr);
    return Scaled(canvas, LogoScale);
}

// The name's shape filled with white light and blurred by `radius`.
Bitmap LightOf(const Bitmap& shape, double radius) {
    Canvas canvas(shape.width, shape.height);
    SetColour(canvas.cr, Hex(0xe8fcff));
    MaskWithBitmap(canvas.cr, shape, 0, 0);
    if (radius > 0) Blur(canvas, radius);
    return BitmapOf(canvas);
}

// The burst of the flash: a wide white light and rays round the name.
void Flash(IntroLayers& layers) {
    Canvas light(Width, Height);
    RadialLight(light.cr, FlashX, FlashY, 780, Hex(0xc8f0ff), 1.0);
    layers.flashLight = BitmapOf(light);
    Canvas rays(Width, Height);
    cairo_t* cr = rays.cr;
    cairo_translate(cr, FlashX, FlashY);
    cairo_scale(cr, 1.0, 0.55);
    constexpr int Rays = 18;
    for (int i = 0; i < Rays; ++i) {
        const double a = 2 * Pi * (i + 0.5) / Rays, spread = Pi / Rays * 0.22;
        cairo_move_to(cr, 0, 0);
        cairo_arc(cr, 0, 0, 1100, a - spread, a + spread);
        cairo_close_path(cr);
    }
    cairo_pattern_t* fade = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1100);
    AddStop(fade, 0, Hex(0xd8f8ff), 1.0);
    AddStop(fade, 1, Hex(0xd8f8ff), 0);
    cairo_set_source(cr, fade);
    cairo_fill(cr);
    cairo_pattern_destroy(fade);
    layers.flashRays = BitmapOf(rays);
}

Bitmap MoteGlow() {
    Canvas glow(64, 64);
    RadialLight(glow.cr, 32, 32, 32, Hex(0xffffff), 1.0);
    return BitmapOf(glow);
}

// ------------------------------------------------------------ the tables

std::vector<Star> StarField() {
    static const Rgb tints[] = {Hex(0xffffff), Hex(0xcfe0ff), Hex(0xa8c8ff), Hex(0xfff0d8), Hex(0xd8f4ff)};
    Noise random(1701);
    std::vector<Star> stars(1400);
    for (Star& star : stars) {
        const double angle = random.Unit() * 2 * Pi, reach = 0.06 + 2.3 * std::sqrt(random.Unit());
        star.x = reach * std::cos(angle);
        star.y = reach * std::sin(angle) * 0.75;
        star.depth = random.Unit();
        star.magnitude = 0.25 + 0.75 * std::pow(random.Unit(), 2.0);
        star.tint = tints[random.Next() % 5];
    }
    return stars;
}

// The motes' targets are spread over the lettering's solid parts.
std::vector<Mote> Motes(const Bitmap& name) {
    std::vector<std::pair<int, int>> solid;
    for (int y = 0; y < name.height; y += 3)
        for (int x = 0; x < name.width; x += 3)
            if ((name.pixels[static_cast<size_t>(y) * name.width + x] >> 24) >= 250) solid.emplace_back(x, y);
    Noise random(1302);
    std::vector<Mote> motes(solid.empty() ? 0 : 460);
    const double left = LogoScreenX(0), top = LogoScreenY(0);
    const double lineY = art::ScreenHeight / 2.0 + 4;
    for (Mote& mote : motes) {
        const auto& target = solid[random.Next() % solid.size()];
        mote.targetX = left + target.first;
        mote.targetY = top + target.second;
        // They leave the lit line from where the beam has reached, left to right.
        const double along = random.Unit();
        mote.startX = 140 + 1000 * along;
        mote.startY = lineY + random.Range(-10, 10);
        mote.bend = random.Range(-0.45, 0.45);
        mote.start = LightFlies + 0.45 * along + random.Range(0.0, 0.15);
        mote.duration = random.Range(0.55, 0.75);
        mote.size = random.Range(1.6, 3.4);
    }
    return motes;
}

std::array<PlanetPath, 4> PlanetPaths() {
    // Left, right, left, right, so that the whooshes swap sides.
    return {{{Pi * 1.12, 2.1, 0.95, PlanetPass[0]},
             {-Pi * 0.07, 2.5, 0.85, PlanetPass[1]},
             {Pi * 0.8, 2.0, 0.7, PlanetPass[2]},
             {Pi * 1.8, 2.3, 0.9, PlanetPass[3]}}};
}

// Runs the jobs on `threads` threads.
void RunAll(const std::vector<std::function<void()>>& jobs, int threads) {
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < std::max(1, threads); ++w)
        workers.emplace_back([&] {
            for (size_t i; (i = next++) < jobs.size();) jobs[i]();
        });
    for (auto& worker : workers) worker.join();
}

}  // namespace

IntroLayers BuildIntroLayers(int threads) {
    IntroLayers layers;
    const std::vector<NebulaStyle> cloudStyles = CloudStyles();
    layers.clouds.resize(cloudStyles.size());
    std::vector<std::function<void()>> jobs;
    // The slowest first, so that the threads finish together.
    for (int level = 2; level <= 5; ++level)
        jobs.push_back([&layers, level] { layers.planets[level - 2] = MipmapOf(LevelPlanet(level)); });
    for (size_t i = 0; i < cloudStyles.size(); ++i)
        jobs.push_back(
            [&layers, &cloudStyles, i] { layers.clouds[i] = MipmapOf(CloudSheet(cloudStyles[i])); });
    jobs.push_back([&layers] {
        layers.backdrop = MipmapOf(Backdrop());
        layers.vignette = Vignette();
        Flash(layers);
        layers.moteGlow = MoteGlow();
    });
    jobs.push_back([&layers] { layers.machine = MipmapOf(Machine()); });
    jobs.push_back([&layers] {
        layers.logoName = LogoLayer(art::PaintLogoName);
        const Bitmap shape = NameShape();
        layers.nameLight = LightOf(shape, 2.5);
        layers.nameHalo = LightOf(shape, 16);
        layers.motes = Motes(shape);
    });
    jobs.push_back([&layers] {
        layers.logoBackLight = LogoLayer(art::PaintLogoBackLight);
        layers.logoOrbit = LogoLayer(art::PaintLogoOrbit);
        layers.logoTwo = LogoLayer(art::PaintLogoTwo);
        layers.logoSparkles = LogoLayer(art::PaintLogoSparkles);
    });
    jobs.push_back([&layers] { Symbols(layers, 0, 5); });
    jobs.push_back([&layers] { Symbols(layers, 6, 11); });
    RunAll(jobs, threads);
    for (int level = 2; level <= 5; ++level) layers.planetPixelRadius[level - 2] = PlanetRadius;
    layers.planetPaths = PlanetPaths();
    layers.stars = StarField();
    return layers;
}

}  // namespace forge::intro
