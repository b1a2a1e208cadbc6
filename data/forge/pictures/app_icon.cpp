// The game's desktop icon for the menu, the launcher and the software centre:
// the red wild planet of the reels inside a tilted golden ring, in every size
// of the hicolor theme. Each size is drawn for its own pixel grid. From 48
// pixels up it is the lit planet with its lava seams, a glow and a banded ring;
// below that a large picture scaled down turns to mush, so the small sizes
// get flat shading, a dark whole-pixel outline that holds the silhouette on
// light and dark panels, and a hard-edged ring one or two pixels wide.
#include <cmath>
#include <string>

#include "data/forge/pictures/space.h"
#include "data/forge/pictures/symbol_art.h"

namespace forge::art {

using namespace paint;

namespace {

constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};

// Proportions shared by every size, as fractions of the icon's edge.
constexpr double PlanetRadius = 0.31;
constexpr double RingInner = 0.37, RingOuter = 0.47;
constexpr double RingTilt = -0.38;  // rises to the right
constexpr double RingFlat = 0.30;   // height of the ring's ellipse to its width

// Deep enough to read on a white panel.
Rgb RingGold() { return Hex(0xf4aa30); }

// The wild planet of the reels, a little brighter on its night side, which
// must not vanish on a dark panel.
PlanetStyle IconPlanet(double centre, double radius) {
    PlanetStyle planet = WildPlanet(centre, centre, radius);
    planet.ambient = 0.2;
    return planet;
}

// The full picture: glow, banded ring behind and in front of the lit planet,
// and a glint where the ring comes forward.
void DetailedIcon(Canvas& icon) {
    cairo_t* cr = icon.cr;
    const double size = icon.width, c = size / 2;
    const double radius = PlanetRadius * size, inner = RingInner * size, outer = RingOuter * size;
    RadialLight(cr, c, c, radius * 1.65, Hex(0xff3a10), 0.5);
    PaintRingHalf(cr, c, c, inner, outer, RingTilt, RingFlat, false, RingGold(), 1.0);
    PaintPlanet(icon, IconPlanet(c, radius));
    PaintRingHalf(cr, c, c, inner, outer, RingTilt, RingFlat, true, RingGold(), 1.0);
    if (size >= 64) {
        // On the front of the ring, lower left of the planet.
        const double a = Pi * 0.72, r = (inner + outer) / 2;
        const double x = r * std::cos(a), y = r * std::sin(a) * RingFlat;
        const double gx = c + x * std::cos(RingTilt) - y * std::sin(RingTilt);
        const double gy = c + x * std::sin(RingTilt) + y * std::cos(RingTilt);
        Sparkle(cr, gx, gy, size * 0.11, Hex(0xfff0c0), 0.95);
    }
}

// The ring's middle line as a path: the whole ellipse, cut to its back or
// front half by the caller's clip.
void RingPath(cairo_t* cr, double c, double radius) {
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_rotate(cr, RingTilt);
    cairo_scale(cr, 1, RingFlat);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, radius, 0, 2 * Pi);
    cairo_restore(cr);
}

// One half of the small ring: a dark band with a gold line on it, hard edged.
void SmallRingHalf(cairo_t* cr, double size, bool front) {
    const double c = size / 2, middle = (RingInner + RingOuter) / 2 * size;
    const double line = size <= 16 ? 1.0 : size <= 24 ? 1.5 : 2.0;
    cairo_save(cr);
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_rotate(cr, RingTilt);
    cairo_rectangle(cr, -size, front ? 0 : -size, 2 * size, size);
    cairo_restore(cr);
    cairo_clip(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    RingPath(cr, c, middle);
    SetColour(cr, Hex(0x2a0800), front ? 0.9 : 0.6);
    cairo_set_line_width(cr, line + 1.0);
    cairo_stroke(cr);
    RingPath(cr, c, middle);
    SetColour(cr, front ? RingGold() : Lighten(RingGold(), -0.3));
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Broad shapes only: rock in two tones without the fine noise of the large picture.
Rgb SmallSurface(double lon, double lat) {
    const double plains = 0.5 + 0.5 * std::sin(lon * 2 + lat * 3 + 0.8);
    return Mix(Hex(0xe0501e), Hex(0x8a1a0c), SmoothStep(0.55, 0.9, plains));
}

void SmallIcon(Canvas& icon) {
    cairo_t* cr = icon.cr;
    const double size = icon.width, c = size / 2;
    // A radius on a half pixel puts the outline on whole pixels.
    const double radius = std::floor(PlanetRadius * size) + 0.5;
    if (size >= 32) RadialLight(cr, c, c, radius * 1.5, Hex(0xff3a10), 0.35);
    SmallRingHalf(cr, size, false);
    PlanetStyle planet = IconPlanet(c, radius);
    planet.surface = SmallSurface;
    planet.emission = nullptr;
    planet.atmosphereStrength = 0.6;
    PaintPlanet(icon, planet);
    cairo_arc(cr, c, c, radius - 0.5, 0, 2 * Pi);
    SetColour(cr, Hex(0x2a0404), 0.85);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // The glint of the lit side.
    RadialLight(cr, c - radius * 0.38, c - radius * 0.42, radius * 0.45, Hex(0xffe0b0), 0.8);
    SmallRingHalf(cr, size, true);
}

std::vector<Asset> DesktopIconsJob() {
    std::vector<Asset> assets;
    for (const int size : IconSizes) {
        Canvas icon(size, size);
        if (size >= 48)
            DetailedIcon(icon);
        else
            SmallIcon(icon);
        const std::string name = "nebulor-icon-" + std::to_string(size) + ".png";
        Asset asset = PictureAsset("icon", size, 0, "desktop icon", name, icon.ToPicture(), PngFormat::Rgba8);
        asset.embed = false;  // installed beside the game, not inside it
        asset.preview = {};   // the contact sheet shows the catalogue only
        assets.push_back(std::move(asset));
    }
    return assets;
}

const JobRegistrar kDesktopIcons("desktop-icons", DesktopIconsJob);

}  // namespace

}  // namespace forge::art
