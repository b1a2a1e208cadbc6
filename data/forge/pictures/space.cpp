#include "data/forge/pictures/space.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace forge::paint {

GradientNoise::GradientNoise(uint64_t seed) {
    for (int i = 0; i < 256; ++i) permutation[i] = static_cast<uint8_t>(i);
    Noise random(seed);
    for (int i = 255; i > 0; --i) std::swap(permutation[i], permutation[random.Next() % (i + 1)]);
    for (int i = 0; i < 256; ++i) permutation[256 + i] = permutation[i];
}

namespace {

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
double Lerp(double t, double a, double b) { return a + t * (b - a); }

double Gradient(int hash, double x, double y, double z) {
    const int h = hash & 15;
    const double u = h < 8 ? x : y;
    const double v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
    return ((h & 1) ? -u : u) + ((h & 2) ? -v : v);
}

// Composites a premultiplied colour with coverage `a` over a pixel.
void Over(uint32_t& pixel, Rgb c, double a) {
    if (a <= 0) return;
    a = std::min(a, 1.0);
    const double keep = 1 - a;
    const double src[4] = {std::clamp(c.b, 0.0, 1.0) * a, std::clamp(c.g, 0.0, 1.0) * a,
                           std::clamp(c.r, 0.0, 1.0) * a, a};
    uint32_t out = 0;
    for (int ch = 0; ch < 4; ++ch) {
        const double d = ((pixel >> (ch * 8)) & 0xFF) / 255.0;
        out |= static_cast<uint32_t>(std::lround(std::clamp(src[ch] + d * keep, 0.0, 1.0) * 255)) << (ch * 8);
    }
    pixel = out;
}

}  // namespace

double GradientNoise::At(double x, double y, double z) const {
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int X = static_cast<int>(fx) & 255, Y = static_cast<int>(fy) & 255, Z = static_cast<int>(fz) & 255;
    x -= fx;
    y -= fy;
    z -= fz;
    const double u = Fade(x), v = Fade(y), w = Fade(z);
    const auto& p = permutation;
    const int A = p[X] + Y, AA = p[A] + Z, AB = p[A + 1] + Z;
    const int B = p[X + 1] + Y, BA = p[B] + Z, BB = p[B + 1] + Z;
    return Lerp(
        w,
        Lerp(v, Lerp(u, Gradient(p[AA], x, y, z), Gradient(p[BA], x - 1, y, z)),
             Lerp(u, Gradient(p[AB], x, y - 1, z), Gradient(p[BB], x - 1, y - 1, z))),
        Lerp(v, Lerp(u, Gradient(p[AA + 1], x, y, z - 1), Gradient(p[BA + 1], x - 1, y, z - 1)),
             Lerp(u, Gradient(p[AB + 1], x, y - 1, z - 1), Gradient(p[BB + 1], x - 1, y - 1, z - 1))));
}

double GradientNoise::Fractal(double x, double y, double z, int octaves) const {
    double sum = 0, amplitude = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * At(x, y, z);
        norm += amplitude;
        x = x * 2.03 + 17.1;
        y = y * 2.03 + 5.7;
        z = z * 2.03 + 3.3;
        amplitude *= 0.5;
    }
    return sum / norm;
}

double GradientNoise::Ridged(double x, double y, double z, int octaves) const {
    double sum = 0, amplitude = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        const double r = 1 - std::fabs(At(x, y, z));
        sum += amplitude * r * r;
        norm += amplitude;
        x = x * 2.07 + 31.4;
        y = y * 2.07 + 11.2;
        z = z * 2.07 + 7.9;
        amplitude *= 0.5;
    }
    return sum / norm;
}

void PaintNebula(Canvas& canvas, const NebulaStyle& style,
                 const std::function<double(double, double)>& shade) {
    const GradientNoise body(style.seed), detail(style.seed * 7 + 3), filaments(style.seed * 13 + 5);
    const double unit = std::max(canvas.width, canvas.height) * 0.45 * style.scale;
    // The clouds are smooth: work them out on a grid of every second pixel
    // and interpolate, which keeps the forge fast.
    constexpr int Step = 2;
    const int gw = canvas.width / Step + 2, gh = canvas.height / Step + 2;
    std::vector<Rgb> grid(static_cast<size_t>(gw) * gh);
    for (int gy = 0; gy < gh; ++gy)
        for (int gx = 0; gx < gw; ++gx) {
            const double u = gx * Step / unit, v = gy * Step / unit;
            // Domain warp gives the clouds their swirled look.
            const double wu = u + 0.35 * body.Fractal(u * 0.8 + 9.2, v * 0.8, 0.5, 3);
            const double wv = v + 0.35 * body.Fractal(u * 0.8, v * 0.8 + 4.1, 1.5, 3);
            const double cloud = body.Fractal(wu, wv, 0.0, 6);
            const double density = SmoothStep(-0.25, 0.5, cloud);
            const double fine = detail.Fractal(wu * 3.1, wv * 3.1, 2.0, 4);
            const double ridge = filaments.Ridged(wu * 1.6, wv * 1.6, 4.0, 5);
            const double strands = std::pow(ridge, 4.0) * SmoothStep(0.1, 0.6, density);
            const double core = SmoothStep(0.45, 0.8, density + 0.2 * fine);
            Rgb c = Mix(style.deep, style.base, std::clamp(0.2 + 0.8 * density + 0.15 * fine, 0.0, 1.0));
            c = Mix(c, style.cloud, std::clamp(density * density * 0.9 + 0.2 * fine * density, 0.0, 1.0));
            c = Mix(c, style.glow, std::clamp(strands * 1.2, 0.0, 0.8));
            c = Mix(c, style.accent, std::clamp(core * 0.5, 0.0, 1.0));
            const double light = style.brightness * (0.35 + 0.75 * density + 0.45 * strands);
            grid[static_cast<size_t>(gy) * gw + gx] = {c.r * light, c.g * light, c.b * light};
        }
    cairo_surface_flush(canvas.surface);
    auto channel = [](double value) {
        return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    };
    for (int y = 0; y < canvas.height; ++y) {
        uint32_t* row = canvas.Row(y);
        const int gy = y / Step;
        const double fy = static_cast<double>(y % Step) / Step;
        for (int x = 0; x < canvas.width; ++x) {
            const int gx = x / Step;
            const double fx = static_cast<double>(x % Step) / Step;
            const Rgb* g0 = &grid[static_cast<size_t>(gy) * gw + gx];
            const Rgb* g1 = g0 + gw;
            Rgb c = Mix(Mix(g0[0], g0[1], fx), Mix(g1[0], g1[1], fx), fy);
            if (shade) c = Mix(style.deep, c, std::clamp(shade(x, y), 0.0, 1.0));
            row[x] = 0xFF000000u | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
        }
    }
    cairo_surface_mark_dirty(canvas.surface);
}

void PaintStars(Canvas& canvas, uint64_t seed, int count, double brightness,
                const std::function<double(double, double)>& shade) {
    Noise random(seed);
    cairo_t* cr = canvas.cr;
    static const Rgb tints[] = {Hex(0xffffff), Hex(0xcfe0ff), Hex(0xa8c8ff), Hex(0xfff0d8), Hex(0xffd8f0)};
    for (int i = 0; i < count; ++i) {
        const double x = random.Unit() * canvas.width, y = random.Unit() * canvas.height;
        const double magnitude = std::pow(random.Unit(), 3.0);  // most stars are faint
        const Rgb tint = tints[random.Next() % 5];
        const double calm = shade ? std::clamp(shade(x, y), 0.0, 1.0) : 1.0;
        const double alpha =
            std::clamp((0.25 + 0.75 * magnitude) * brightness * (0.25 + 0.75 * calm), 0.0, 1.0);
        if (magnitude > 0.8 && calm > 0.5) {
            Sparkle(cr, x, y, 6 + 16 * magnitude, tint, alpha * 0.8);
        } else if (magnitude > 0.2) {
            RadialLight(cr, x, y, 2 + 6 * magnitude, tint, alpha * 0.6);
            SetColour(cr, Lighten(tint, 0.5), alpha);
            cairo_arc(cr, x, y, 0.8 + magnitude, 0, 2 * Pi);
            cairo_fill(cr);
        } else {
            SetColour(cr, tint, alpha * 0.8);
            cairo_arc(cr, x, y, 0.45 + 0.6 * magnitude, 0, 2 * Pi);
            cairo_fill(cr);
        }
    }
}

void PaintPlanet(Canvas& canvas, const PlanetStyle& style) {
    cairo_surface_flush(canvas.surface);
    const double halo = 1.12;
    const double length = std::sqrt(style.light[0] * style.light[0] + style.light[1] * style.light[1] +
                                    style.light[2] * style.light[2]);
    const double L[3] = {style.light[0] / length, style.light[1] / length, style.light[2] / length};
    const double ct = std::cos(style.tilt), st = std::sin(style.tilt);
    const int x0 = std::max(0, static_cast<int>(style.cx - style.radius * halo) - 1);
    const int x1 = std::min(canvas.width - 1, static_cast<int>(style.cx + style.radius * halo) + 1);
    const int y0 = std::max(0, static_cast<int>(style.cy - style.radius * halo) - 1);
    const int y1 = std::min(canvas.height - 1, static_cast<int>(style.cy + style.radius * halo) + 1);
    for (int py = y0; py <= y1; ++py) {
        uint32_t* row = canvas.Row(py);
        for (int px = x0; px <= x1; ++px) {
            const double dx = (px + 0.5 - style.cx) / style.radius, dy = (py + 0.5 - style.cy) / style.radius;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d >= halo) continue;
            // Lit side of the halo: where the rim faces the light.
            const double facing =
                d > 0 ? std::clamp((dx * L[0] + dy * L[1]) / d * 0.7 + 0.45, 0.0, 1.0) : 1.0;
            if (d > 1.0 - 1.0 / style.radius) {
                const double t = std::clamp((d - 1) / (halo - 1), 0.0, 1.0);
                const double haloAlpha = std::pow(1 - t, 2.2) * style.atmosphereStrength * 0.55 * facing;
                Over(row[px], style.atmosphere, haloAlpha);
            }
            const double coverage = std::clamp((1 - d) * style.radius + 0.5, 0.0, 1.0);
            if (coverage <= 0) continue;
            const double dd = std::min(d, 0.9999);
            const double nz = std::sqrt(1 - dd * dd);
            const double nx = d > 0 ? dx * dd / d : 0, ny = d > 0 ? dy * dd / d : 0;
            // Texture coordinates in the planet's own frame (axis turned by the tilt).
            const double ux = nx * ct + ny * st, uy = -nx * st + ny * ct;
            const double lat = std::asin(std::clamp(-uy, -1.0, 1.0));
            const double lon = std::atan2(ux, nz) + style.spin;
            const Rgb albedo = style.surface ? style.surface(lon, lat) : Rgb{0.5, 0.5, 0.5};
            const double lambert = nx * L[0] + ny * L[1] + nz * L[2];
            const double lit = SmoothStep(-0.25, 0.55, lambert) * (0.35 + 0.65 * std::max(lambert, 0.0));
            const double shine = style.ambient + (1 - style.ambient) * lit;
            Rgb c{albedo.r * shine, albedo.g * shine, albedo.b * shine};
            if (style.emission) {
                const Rgb e = style.emission(lon, lat);
                const double night = 1 - 0.6 * lit;
                c = {c.r + e.r * night, c.g + e.g * night, c.b + e.b * night};
            }
            // Atmosphere scattering at the rim of the lit side.
            const double rim =
                std::pow(1 - nz, 2.2) * style.atmosphereStrength * SmoothStep(-0.4, 0.5, lambert);
            c = Mix(c, style.atmosphere, std::clamp(rim, 0.0, 0.9));
            Over(row[px], c, coverage);
        }
    }
    cairo_surface_mark_dirty(canvas.surface);
}

namespace {

const GradientNoise& SceneryNoise() {
    static const GradientNoise noise(4242);
    return noise;
}

double SphereNoise(double lon, double lat, double scale, double offset, int octaves) {
    return SphereNoise(SceneryNoise(), lon, lat, scale, offset, octaves);
}

}  // namespace

double SphereNoise(const GradientNoise& noise, double lon, double lat, double scale, double offset,
                   int octaves) {
    const double x = std::cos(lon) * std::cos(lat), y = std::sin(lon) * std::cos(lat), z = std::sin(lat);
    return noise.Fractal(x * scale + offset, y * scale, z * scale, octaves);
}

Rgb VioletGiantSurface(double lon, double lat) {
    const double swirl = SphereNoise(lon, lat, 1.6, 0, 4);
    const double band = std::sin(lat * 9 + swirl * 3.5);
    Rgb c = Mix(Hex(0x2a1460), Hex(0x8a5ad8), 0.5 + 0.5 * band);
    return Mix(c, Hex(0xe0b8ff), std::clamp(SphereNoise(lon, lat, 5, 7, 3) * 0.9, 0.0, 0.45));
}

Rgb TealWorldSurface(double lon, double lat) {
    const double land = SphereNoise(lon, lat, 1.8, 11, 5);
    Rgb c = Mix(Hex(0x0a4a6a), Hex(0x1a9a8a), SmoothStep(0.0, 0.25, land));
    const double cloud = SphereNoise(lon * 1.0, lat * 1.6, 3.2, 23, 4);
    return Mix(c, Hex(0xe8fbff), SmoothStep(0.05, 0.45, cloud) * 0.8);
}

Rgb AmberMoonSurface(double lon, double lat) {
    const double dust = SphereNoise(lon, lat, 2.5, 31, 5);
    const double crater = SmoothStep(0.25, 0.5, SphereNoise(lon, lat, 6, 47, 2));
    Rgb c = Mix(Hex(0xd89a50), Hex(0x7a4a22), 0.5 + dust);
    return Mix(c, Hex(0x3a2010), crater * 0.6);
}

void PaintRingHalf(cairo_t* cr, double cx, double cy, double inner, double outer, double tilt, double flat,
                   bool front, Rgb colour, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, tilt);
    cairo_rectangle(cr, -outer - 4, front ? 0 : -outer, 2 * outer + 8, outer);
    cairo_clip(cr);
    const double step = std::max(0.6, (outer - inner) / 120);
    for (double r = inner; r <= outer; r += step) {
        const double t = (r - inner) / (outer - inner);
        const double bands = 0.55 + 0.45 * std::sin(t * 37) * std::sin(t * 9 + 1);
        const double gap = std::fabs(t - 0.66) < 0.035 ? 0.12 : 1.0;
        const double a = alpha * (0.25 + 0.6 * bands) * gap * SmoothStep(0, 0.1, t) * SmoothStep(1, 0.85, t);
        cairo_save(cr);
        cairo_scale(cr, 1, flat);
        cairo_arc(cr, 0, 0, r, 0, 2 * Pi);
        cairo_restore(cr);
        SetColour(cr, Mix(colour, {1, 1, 1}, 0.3 * t), std::min(1.0, a));
        cairo_set_line_width(cr, step * 1.6);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

}  // namespace forge::paint
