// The two glow fonts of the game as font packages: glyphs rendered with
// FreeType, white with a soft glow baked into padded atlas cells, packed into
// rows by decreasing width, with their glyph and kerning tables. Also the XML
// descriptor of the small font (for the loader's tests) and the TrueType face
// of the system font.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "data/forge/fonts/font_package_writer.h"
#include "data/forge/forge.h"

namespace forge {
namespace {

struct GlowFontRecipe {
    const char* face;       // Debian font file
    int lineHeight;         // FreeType line height wanted, pixels
    int padding;            // glow border around every cell
    int atlasHeight;        // atlas is 512 wide
    size_t records;         // character records in the package
    size_t kerningRecords;  // kerning records in the package
    double glowSigma;       // blur radius of the glow
    double glowStrength;    // how far the blurred glyph is lifted into the glow
    // 0: the glyphs are drawn at the size whose line height is lineHeight,
    // hanging from the face's ascender. Otherwise the capitals are this many
    // pixels tall and the baseline is set so that no ink of a printable ASCII
    // character reaches more than inkAboveCentre pixels above the line's centre.
    int capHeight = 0;
    int inkAboveCentre = 0;
    // Sizes (thousandths) the Latin-1 glyphs are also drawn at beforehand,
    // hinted to the pixel grid, for small text that zooming blurs.
    std::vector<int32_t> smallSizes = {};
};

constexpr int AtlasWidth = 512;

// The small font is also drawn at 0.6 (the ladder's countdown, 8-pixel
// capitals) and 0.8 (the level, date and time).
const GlowFontRecipe SmallFont{"LiberationSans-Bold.ttf", 22, 8, 4096, 2037, 330, 2.0, 1.5, 0, 0, {600, 800}};
// The large font's lines are centred on their y, and the top line is centred
// 18 pixels below the top edge of the window (the menu strip covers the
// screen's first 20 rows): its capitals stay 30 pixels tall and hang low
// enough in the line that ascenders and their glow stay on the screen.
const GlowFontRecipe LargeFont{"DejaVuSansCondensed-Bold.ttf", 77, 16, 3072, 192, 670, 3.0, 1.7, 30, 12};

// A glyph rendered into its cell: white ink and glow as alpha 0..1.
struct Cell {
    int code = 0;
    int advance = 0;
    int width = 0, height = 0;
    int x = 0, y = 0;  // place in the atlas
    std::vector<float> alpha;
};

// Separable Gaussian blur of a cell's alpha; outside the cell counts as empty.
std::vector<float> Blur(const std::vector<float>& source, int width, int height, double sigma) {
    const int radius = static_cast<int>(std::ceil(sigma * 3));
    std::vector<float> kernel(2 * radius + 1);
    float total = 0;
    for (int i = -radius; i <= radius; ++i)
        total += kernel[i + radius] = static_cast<float>(std::exp(-0.5 * i * i / (sigma * sigma)));
    for (float& k : kernel) k /= total;
    std::vector<float> across(source.size(), 0.0f), out(source.size(), 0.0f);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float sum = 0;
            for (int i = std::max(-radius, -x); i <= std::min(radius, width - 1 - x); ++i)
                sum += source[y * width + x + i] * kernel[i + radius];
            across[y * width + x] = sum;
        }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float sum = 0;
            for (int i = std::max(-radius, -y); i <= std::min(radius, height - 1 - y); ++i)
                sum += across[(y + i) * width + x] * kernel[i + radius];
            out[y * width + x] = sum;
        }
    return out;
}

// The character codes of a font: Latin-1 32..255 without 128..159, then the
// face's own characters above 255 in code order until the record count is met.
std::vector<int> CharacterCodes(FT_Face face, size_t records) {
    std::vector<int> codes;
    for (int code = 32; code < 256; ++code)
        if (code < 128 || code >= 160) codes.push_back(code);
    for (FT_ULong code = 256; code < 0x30000 && codes.size() < records; ++code)
        if (FT_Get_Char_Index(face, code) != 0) codes.push_back(static_cast<int>(code));
    return codes;
}

// Renders the glyph of `code` into a padded cell with its glow.
Cell RenderCell(FT_Face face, int code, const GlowFontRecipe& recipe, int ascender,
                FT_Int32 target = FT_LOAD_TARGET_LIGHT) {
    Cell cell;
    cell.code = code;
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
    // A code without a glyph in the face (the delete control) gets an empty cell.
    if (index != 0 && FT_Load_Glyph(face, index, FT_LOAD_RENDER | target) == 0)
        cell.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    cell.width = cell.advance + 2 * recipe.padding;
    cell.height = recipe.lineHeight + 2 * recipe.padding;
    std::vector<float> ink(static_cast<size_t>(cell.width) * cell.height, 0.0f);
    if (index != 0 && cell.advance > 0) {
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const int left = recipe.padding + face->glyph->bitmap_left;
        const int top = recipe.padding + ascender - face->glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int x = left + static_cast<int>(column), y = top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= cell.width || y >= cell.height) continue;
                ink[y * cell.width + x] = bitmap.buffer[row * bitmap.pitch + column] / 255.0f;
            }
    }
    const std::vector<float> glow = Blur(ink, cell.width, cell.height, recipe.glowSigma);
    cell.alpha.resize(ink.size());
    for (size_t i = 0; i < ink.size(); ++i) {
        const float halo = std::min(1.0f, glow[i] * static_cast<float>(recipe.glowStrength)) * 0.75f;
        cell.alpha[i] = ink[i] + halo * (1.0f - ink[i]);
    }
    return cell;
}

// Packs cells into rows of the atlas width, widest first, each into the first
// row with room. False when they do not fit the atlas height.
bool PackCells(std::vector<Cell>& cells, int atlasHeight) {
    std::vector<Cell*> order;
    for (Cell& cell : cells) order.push_back(&cell);
    std::stable_sort(order.begin(), order.end(),
                     [](const Cell* a, const Cell* b) { return a->width > b->width; });
    std::vector<int> rowUsed;
    const int rowHeight = cells.empty() ? 0 : cells.front().height;
    for (Cell* cell : order) {
        size_t row = 0;
        while (row < rowUsed.size() && rowUsed[row] + cell->width > AtlasWidth) ++row;
        if (row == rowUsed.size()) rowUsed.push_back(0);
        cell->x = rowUsed[row];
        cell->y = static_cast<int>(row) * rowHeight;
        rowUsed[row] += cell->width;
    }
    return static_cast<int>(rowUsed.size()) * rowHeight <= atlasHeight;
}

// The face's kerning pairs among `codes`, strongest first: pairs of two
// Latin-1 characters (the ones the game can draw) first, then pairs with one.
std::vector<KerningRecord> KerningPairs(FT_Face face, const std::vector<int>& codes, size_t wanted) {
    std::vector<KerningRecord> latin, half, other;
    std::vector<FT_UInt> indices;
    for (int code : codes) indices.push_back(FT_Get_Char_Index(face, static_cast<FT_ULong>(code)));
    for (size_t a = 0; a < codes.size(); ++a)
        for (size_t b = 0; b < codes.size(); ++b) {
            if (!indices[a] || !indices[b]) continue;
            FT_Vector delta;
            if (FT_Get_Kerning(face, indices[a], indices[b], FT_KERNING_UNFITTED, &delta) != 0) continue;
            const int amount = static_cast<int>(std::lround(delta.x / 64.0));
            if (amount == 0) continue;
            KerningRecord pair{static_cast<uint16_t>(codes[a]), static_cast<uint16_t>(codes[b]),
                               static_cast<int16_t>(amount)};
            const int inLatin = (codes[a] < 256) + (codes[b] < 256);
            (inLatin == 2 ? latin : inLatin == 1 ? half : other).push_back(pair);
        }
    auto strongest = [](const KerningRecord& x, const KerningRecord& y) {
        if (std::abs(x.amount) != std::abs(y.amount)) return std::abs(x.amount) > std::abs(y.amount);
        return x.left != y.left ? x.left < y.left : x.right < y.right;
    };
    for (auto* list : {&latin, &half, &other}) std::stable_sort(list->begin(), list->end(), strongest);
    latin.insert(latin.end(), half.begin(), half.end());
    latin.insert(latin.end(), other.begin(), other.end());
    if (latin.size() > wanted) latin.resize(wanted);
    std::sort(latin.begin(), latin.end(), [](const KerningRecord& x, const KerningRecord& y) {
        return x.left != y.left ? x.left < y.left : x.right < y.right;
    });
    return latin;
}

// Everything a glow font is made of, before it is written out.
struct BuiltFont {
    std::vector<uint8_t> atlasPng;
    std::vector<GlyphRecord> glyphs;
    std::vector<KerningRecord> kerning;
    std::vector<SizedGlyphRecords> sized;
};

// Writes cells into a new atlas of the given height as white with their alpha.
Picture AtlasOf(const std::vector<Cell>& cells, int height) {
    Picture atlas(AtlasWidth, height);
    for (const Cell& cell : cells)
        for (int y = 0; y < cell.height; ++y)
            for (int x = 0; x < cell.width; ++x) {
                uint8_t* pixel = atlas.At(cell.x + x, cell.y + y);
                // White everywhere, so that a tint colours ink and glow alike.
                pixel[0] = pixel[1] = pixel[2] = 255;
                pixel[3] = static_cast<uint8_t>(
                    std::lround(std::clamp(cell.alpha[y * cell.width + x], 0.0f, 1.0f) * 255));
            }
    for (size_t i = 0; i < atlas.rgba.size(); i += 4)
        if (atlas.rgba[i + 3] == 0) atlas.rgba[i] = atlas.rgba[i + 1] = atlas.rgba[i + 2] = 255;
    return atlas;
}

// The Latin-1 glyphs drawn at `thousandths` of the font's size with full
// hinting, so that strokes sit on whole pixels, the padding scaled alike and
// a fainter glow. The face is left at that size.
bool BuildSized(FT_Face face, const GlowFontRecipe& recipe, int pixels, int ascender, int32_t thousandths,
                SizedGlyphRecords& sized) {
    const double scale = thousandths / 1000.0;
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(pixels * scale * 64)), 72, 72) != 0)
        return false;
    GlowFontRecipe small = recipe;
    small.padding = static_cast<int>(std::ceil(recipe.padding * scale));
    small.lineHeight = static_cast<int>(std::lround(recipe.lineHeight * scale));
    // A glow a pixel wide fills the gaps between letters this small: only a faint one.
    small.glowSigma = recipe.glowSigma * scale;
    small.glowStrength = recipe.glowStrength * 0.4;
    std::vector<Cell> cells;
    for (int code = 32; code < 256; ++code)
        if (code < 128 || code >= 160)
            cells.push_back(RenderCell(face, code, small, static_cast<int>(std::lround(ascender * scale)),
                                       FT_LOAD_TARGET_NORMAL));
    if (!PackCells(cells, 4096)) return false;
    int height = 0;
    for (const Cell& cell : cells) height = std::max(height, cell.y + cell.height);
    sized.thousandths = thousandths;
    for (const Cell& cell : cells)
        sized.glyphs.push_back(
            GlyphRecord{static_cast<uint16_t>(cell.code), static_cast<int16_t>(-small.padding),
                        static_cast<int16_t>(-small.padding), static_cast<int16_t>(cell.advance),
                        static_cast<int16_t>(small.lineHeight), static_cast<int16_t>(cell.x),
                        static_cast<int16_t>(cell.y), static_cast<int16_t>(cell.width),
                        static_cast<int16_t>(cell.height)});
    sized.atlasPng = EncodePng(AtlasOf(cells, height), PngFormat::Rgba8);
    return !sized.atlasPng.empty();
}

// The pixel size at which the face's line height is the one wanted; 0 if none.
int PixelSizeFor(FT_Face face, int lineHeight) {
    for (int pixels = 4; pixels < 200; ++pixels) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) return 0;
        if ((face->size->metrics.height + 32) >> 6 == lineHeight) return pixels;
    }
    return 0;
}

// Height in pixels of the ink of `code` above the baseline at the face's size (0 without a glyph).
int InkAboveBaseline(FT_Face face, int code) {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return 0;
    return face->glyph->bitmap.rows > 0 ? face->glyph->bitmap_top : 0;
}

// The largest pixel size whose capital H is at most `capHeight` tall; 0 if none.
int PixelSizeForCapitals(FT_Face face, int capHeight) {
    int best = 0;
    for (int pixels = 4; pixels < 200; ++pixels) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) break;
        if (InkAboveBaseline(face, 'H') > capHeight) break;
        best = pixels;
    }
    return best > 0 && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(best)) == 0 ? best : 0;
}

// Sets the face's size for the recipe; gives where the baseline lies below
// the top of the line, or -1 when no size fits.
int SizeFace(FT_Face face, const GlowFontRecipe& recipe) {
    if (recipe.capHeight == 0) {
        if (PixelSizeFor(face, recipe.lineHeight) == 0) return -1;
        return static_cast<int>((face->size->metrics.ascender + 32) >> 6);
    }
    if (PixelSizeForCapitals(face, recipe.capHeight) == 0) return -1;
    int tallest = 0;
    for (int code = 33; code < 127; ++code) tallest = std::max(tallest, InkAboveBaseline(face, code));
    const int centre = (recipe.lineHeight + 1) / 2;
    return centre - recipe.inkAboveCentre + tallest;
}

bool BuildFromFace(FT_Face face, const GlowFontRecipe& recipe, BuiltFont& built, std::string& problem) {
    const int ascender = SizeFace(face, recipe);
    if (ascender < 0) {
        problem = "no pixel size gives the line height";
        return false;
    }
    const std::vector<int> codes = CharacterCodes(face, recipe.records);
    if (codes.size() != recipe.records) {
        problem = "the face has too few characters";
        return false;
    }
    std::vector<Cell> cells;
    for (int code : codes) cells.push_back(RenderCell(face, code, recipe, ascender));
    if (!PackCells(cells, recipe.atlasHeight)) {
        problem = "the glyph cells do not fit the atlas";
        return false;
    }
    const Picture atlas = AtlasOf(cells, recipe.atlasHeight);
    for (const Cell& cell : cells) {
        built.glyphs.push_back(
            GlyphRecord{static_cast<uint16_t>(cell.code), static_cast<int16_t>(-recipe.padding),
                        static_cast<int16_t>(-recipe.padding), static_cast<int16_t>(cell.advance),
                        static_cast<int16_t>(recipe.lineHeight), static_cast<int16_t>(cell.x),
                        static_cast<int16_t>(cell.y), static_cast<int16_t>(cell.width),
                        static_cast<int16_t>(cell.height)});
    }
    built.atlasPng = EncodePng(atlas, PngFormat::Rgba8);
    // Pairs may name characters beyond the package's records (the reader
    // ignores them): the large font's Latin-1 pairs alone fall a little short.
    built.kerning = KerningPairs(face, CharacterCodes(face, std::max<size_t>(recipe.records, 448)),
                                 recipe.kerningRecords);
    if (built.kerning.size() != recipe.kerningRecords) {
        problem = "the face has too few kerning pairs";
        return false;
    }
    const int pixels = static_cast<int>(face->size->metrics.y_ppem);
    for (int32_t thousandths : recipe.smallSizes) {
        SizedGlyphRecords& sized = built.sized.emplace_back();
        if (!BuildSized(face, recipe, pixels, ascender, thousandths, sized)) {
            problem = "the glyphs at a small size do not fit";
            return false;
        }
    }
    return !built.atlasPng.empty();
}

bool BuildGlowFont(const GlowFontRecipe& recipe, BuiltFont& built) {
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) return false;
    FT_Face face;
    std::string problem = "cannot open " + SystemFontPath(recipe.face);
    bool ok = false;
    if (FT_New_Face(library, SystemFontPath(recipe.face).c_str(), 0, &face) == 0) {
        ok = BuildFromFace(face, recipe, built, problem);
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    if (!ok) fprintf(stderr, "forge: %s: %s\n", recipe.face, problem.c_str());
    return ok;
}

Asset FontAsset(const std::string& kind, int number, const std::string& label, const std::string& file,
                const std::vector<uint8_t>& bytes, const std::string& format, bool embed) {
    Asset asset;
    asset.kind = kind;
    asset.number = number;
    asset.label = label;
    asset.file = file;
    asset.format = format;
    asset.bytes = bytes;
    asset.embed = embed;
    return asset;
}

// The small glow font: three embedded copies of one package (fonts 0, 1, 2),
// and the same font as XML descriptor and atlas file (not embedded).
std::vector<Asset> SmallGlowFont() {
    BuiltFont built;
    if (!BuildGlowFont(SmallFont, built)) return {};
    const std::vector<uint8_t> package =
        WriteFontPackage(built.atlasPng, built.glyphs, built.kerning, built.sized);
    std::vector<Asset> assets;
    for (int copy = 0; copy < 3; ++copy) {
        assets.push_back(FontAsset("font", copy, "small glow font", "font_small.fnt", package, "FONT", true));
        assets.back().width = AtlasWidth;
        assets.back().height = SmallFont.atlasHeight;
    }
    const std::string xml = WriteFontDescriptor("font_small_atlas.png", built.glyphs, built.kerning);
    assets.push_back(FontAsset("xml", 0, "small glow font", "font_small.xml",
                               std::vector<uint8_t>(xml.begin(), xml.end()), "XML", false));
    assets.push_back(
        FontAsset("atlas", 0, "small glow font", "font_small_atlas.png", built.atlasPng, "RGBA8", false));
    assets.back().width = AtlasWidth;
    assets.back().height = SmallFont.atlasHeight;
    return assets;
}

std::vector<Asset> LargeGlowFont() {
    BuiltFont built;
    if (!BuildGlowFont(LargeFont, built)) return {};
    Asset asset = FontAsset("font", 3, "large glow font", "font_large.fnt",
                            WriteFontPackage(built.atlasPng, built.glyphs, built.kerning), "FONT", true);
    asset.width = AtlasWidth;
    asset.height = LargeFont.atlasHeight;
    return {asset};
}

// The face behind the system font "Arial" bold, carried inside the game.
std::vector<Asset> SystemFontFace() {
    std::vector<uint8_t> bytes;
    if (FILE* file = fopen(SystemFontPath("LiberationSans-Bold.ttf").c_str(), "rb")) {
        uint8_t buffer[65536];
        for (size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + got);
        fclose(file);
    }
    if (bytes.empty()) return {};
    return {FontAsset("ttf", 0, "Arial", "liberation_sans_bold.ttf", bytes, "TTF", true)};
}

JobRegistrar smallFont("small glow font", SmallGlowFont);
JobRegistrar largeFont("large glow font", LargeGlowFont);
JobRegistrar systemFont("system font face", SystemFontFace);

}  // namespace
}  // namespace forge
