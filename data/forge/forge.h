// The asset forge: a program run by the build that writes every picture,
// sound and font package of the game into build/data, together with a
// manifest, a contact sheet and the files that embed the assets into the game.
//
// Generators register jobs; each job returns finished assets. Jobs run in
// parallel and must be deterministic: seeded noise, no clock.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace forge {

// 8-bit straight-alpha RGBA pixels, rows top to bottom.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    Picture() = default;
    Picture(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * h * 4, 0) {}
    uint8_t* At(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

enum class PngFormat { Rgba8, Rgba16, Rgb8 };

// PNG file bytes of a picture in one of the catalogue's pixel formats.
std::vector<uint8_t> EncodePng(const Picture& picture, PngFormat format);
// Decodes a PNG written by EncodePng back to 8-bit RGBA (for checks and the contact sheet).
bool DecodePng(const std::vector<uint8_t>& png, Picture& picture);
const char* FormatName(PngFormat format);

// One finished asset.
struct Asset {
    std::string kind;   // "sprite", "image", "sound", "font", "picture", "ttf", "xml"
    int number = -1;    // catalogue number (sprite, image, sound); font: 0 small, 1 large
    int variant = 0;    // 1 for the English paytable page
    std::string label;  // the catalogue label (names the asset in load errors)
    std::string file;   // file name below build/data
    int width = 0, height = 0;
    std::string format;  // RGBA8, RGBA16, RGB8, OGG, FONT, TTF, XML
    std::vector<uint8_t> bytes;
    bool embed = true;  // false: written for inspection or tests only
    Picture preview;    // optional picture for the contact sheet
};

// Makes the asset of a catalogue picture: encodes `picture` as `format`.
Asset PictureAsset(const std::string& kind, int number, int variant, const std::string& label,
                   const std::string& file, const Picture& picture, PngFormat format);

// The asset of a catalogue picture: its label, file name and pixel format
// come from the game's picture catalogue, and a picture whose size differs
// from the catalogue's (or that the catalogue lacks) stops the forge.
Asset CataloguePicture(const std::string& kind, int number, int variant, const Picture& picture);

using Job = std::function<std::vector<Asset>()>;

// Registers a job at program start (use a namespace-scope static).
struct JobRegistrar {
    JobRegistrar(const char* name, Job job);
};

// Every registered job with its name, in the order of registration. Only the
// forge's main program runs them; the intro movie's program shares some of
// the picture files (and so their registrations) but never runs a job.
struct NamedJob {
    std::string name;
    Job job;
};
std::vector<NamedJob>& RegisteredJobs();

// Folder of the Debian fonts used as glyph sources.
std::string SystemFontPath(const std::string& file);

// A small deterministic generator for seeded noise.
struct Noise {
    uint64_t state;
    explicit Noise(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint64_t Next() {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1Dull;
    }
    // Uniform in [0, 1).
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double low, double high) { return low + (high - low) * Unit(); }
};

}  // namespace forge
