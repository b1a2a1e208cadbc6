// Bitmap fonts: glyph atlases with baked glow, their glyph and kerning tables,
// the font table addressed by font id, and measuring and drawing text with them.
//
// Texts are Latin-1 byte strings; only character codes 0..255 have glyphs.
// Optional arguments take the sentinel -65535, which means "the font's own value".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>

// "Use the font's own value" in optional arguments.
inline constexpr int64_t FontDefault = -65535;
inline constexpr float FontDefaultF = -65535.0f;
// Font ids 0..65535 address the table; larger ids are font records themselves.
inline constexpr int64_t MaxFontId = 65535;
// Kerning chains per glyph set.
inline constexpr int KerningBuckets = 701;

// One glyph: where it sits in the atlas and how it is placed on the line.
struct Glyph {
    int64_t index = 0;
    int64_t outlayX = 0, outlayY = 0;           // top-left of the source rectangle relative to the pen
    int64_t outlayWidth = 0, outlayHeight = 0;  // advance, line height
    int64_t sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
};

// One kerning pair: key = left + right * 65536.
struct KerningEntry {
    int64_t key = 0;
    int64_t amount = 0;
    KerningEntry* next = nullptr;
};

// Glyphs drawn beforehand at one size smaller than the atlas's (hinted for
// their pixel grid), used instead of zooming the atlas's glyphs at that size.
// Their outlay places the source rectangle relative to the pen in pixels at
// that size; the pen still advances by the main glyphs' widths.
struct SizedGlyphs {
    float size = 0.0f;
    int64_t atlasSprite = -1;
    std::array<Glyph*, 256> glyphs{};
    std::list<Glyph> glyphList;
};

// The atlas and tables that fonts made from one package share.
struct GlyphSet {
    int64_t atlasSprite = -1;  // sprite number, -1 when the package had no readable atlas
    int64_t atlasImage = -1;   // plain image of the atlas (descriptor fonts only), -1 when none
    int64_t shareCount = 0;    // further fonts using this set
    std::array<Glyph*, 256> glyphs{};
    std::array<KerningEntry*, KerningBuckets> buckets{};
    std::list<Glyph> glyphList;
    std::list<KerningEntry> kerningList;
    std::list<SizedGlyphs> sized;  // from the package's sized-glyph chunks
};

// One font id: a glyph set and the style it is drawn in.
struct BitmapFont {
    int64_t id = 0;
    GlyphSet* glyphSet = nullptr;
    float size = 1.0f;
    int64_t alpha = 255;
    int64_t colour = 0xFFFFFF;
    float arcRadius = 0.0f;
    float anchorX = 0.0f, anchorY = 0.0f;
    float slant = 0.0f;
    float letterSpacing = 0.0f;
    int64_t kerning = 0;
};

// ------------------------------------------------------------- font table

// Creates a font on `id` with the default style (freeing a font already there),
// sharing `shared` or with a fresh empty glyph set. Id -1 takes no table slot:
// the record then serves as its own id. None for ids above 65535.
BitmapFont* NewFont(int64_t id, GlyphSet* shared);
// Frees font `id`; its glyph set and atlas go with the last font that uses them.
void FreeFont(int64_t font);
// The font on `id`, or the record an id above 65535 stands for; none when there is none.
BitmapFont* FontById(int64_t font);
// The id under which the rest of the game names `font`.
int64_t FontIdOf(const BitmapFont* font);
// Adds a kerning pair to the font's glyph set; pairs with an index above 255 are ignored.
KerningEntry* AddKerningPair(BitmapFont* font, int64_t left, int64_t right, int64_t amount);
// Kerning for key left + right * 65536 (0 when there is no pair).
int64_t KerningAmount(const BitmapFont* font, int64_t key);

// ------------------------------------------------------------------ style

// Sets where text hangs from its position: fractions of its width and height.
// -65535 keeps a value; an anchor Y of -1 takes the anchor X.
void SetTextAnchor(int64_t font, float anchorX, float anchorY = -1.0f);
// Sets the 0xRRGGBB tint that text of the font is drawn in.
void SetFontColour(int64_t font, int64_t colour);
// Sets the scale of the font's glyphs (1.0: as in the atlas).
void SetFontSize(int64_t font, float size);
// Back to left/top, white, alpha 255, size 1, no arc, slant, spacing or kerning.
void ResetFontStyle(int64_t font);

// -------------------------------------------------------- measure and draw

// Measures `text` at `size`; returns its character count and gives its width
// and height in pixels (0 and 0 for an empty text).
int64_t MeasureText(const BitmapFont* font, std::string_view text, float size, float* width = nullptr,
                    float* height = nullptr);
// Width of `text` in font `font` (size -65535: the font's size); for layout and anchors.
float TextWidth(int64_t font, std::string_view text, float size = FontDefaultF);
// Height of `text`: the font's line height at that size (0 for an empty text).
float TextHeight(int64_t font, std::string_view text, float size = FontDefaultF);
// Draws `text` at (x, y) with the font's anchor, tinted and faded; every
// optional argument at -65535 takes the font's own value.
void DrawBitmapText(int64_t font, float x, float y, std::string_view text, int64_t alpha = FontDefault,
                    int64_t colour = FontDefault, float size = FontDefaultF, float slant = FontDefaultF);

// ---------------------------------------------------------------- loading

// Creates font `id` (-1: no table slot) from a font package or, when the data
// does not begin with the package magic, from an XML descriptor whose atlas
// file name is relative to `folder`. Reads no byte outside data[0, size).
// None when the id is refused or the descriptor cannot be parsed.
BitmapFont* LoadBitmapFont(int64_t id, const uint8_t* data, size_t size, const std::string& folder);
// Lets go of the font atlases decoded for LoadBitmapFont (kept while start-up
// makes the same fonts again for the main screen); start-up calls it once
// the main screen's fonts exist. Nothing when decoded assets are kept.
void ForgetDecodedAtlases();
// Reads the chunks of a package into the font's glyph set, starting at the
// first chunk; stops at the end chunk, a damaged chunk or the end of the data.
BitmapFont* ReadFontPackage(BitmapFont* font, const uint8_t* chunks, size_t size);
// Reads an XML font descriptor into the font's glyph set; none if it is not
// well-formed XML.
BitmapFont* ReadFontDescriptor(BitmapFont* font, const uint8_t* xml, size_t size, const std::string& folder);
// Sprite number for a new atlas: 1000 and up, clear of the catalogue and of
// every atlas in use. Used by the readers.
int64_t FreeAtlasSpriteNumber();
// Plain-image number for a descriptor font's atlas image, likewise.
int64_t FreeAtlasImageNumber();

// Opens system font `id` ("Arial" bold, from the embedded TrueType face) at a
// point size; a failed open is tried once more and then left as it is.
void LoadSystemFont(int64_t pointSize, int64_t id);
// Start-up: bitmap fonts 5 to 9 from the embedded packages, left-aligned and
// vertically centred, then system fonts 0..6. On failure closes the loading
// window, shows "Nebulor" / "Can't open Font" and returns false.
bool LoadFonts();
