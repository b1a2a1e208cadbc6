// Measuring and drawing text with a bitmap font.
#include <algorithm>
#include <cmath>

#include "assets/bitmap_font.h"
#include "platform/platform.h"

namespace {

constexpr float Pi = 3.14159265358979f;

// Character code at position i of a Latin-1 text; 0 past its end.
int64_t CodeAt(std::string_view text, size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

// Nearest integer, halves to even: the rounding of sprite positions and sizes.
int ToPixel(float value) { return static_cast<int>(std::lrint(value)); }

}  // namespace

int64_t MeasureText(const BitmapFont* font, std::string_view text, float size, float* width, float* height) {
    if (width) *width = 0.0f;
    if (height) *height = 0.0f;
    if (!font || text.empty()) return 0;
    const GlyphSet& set = *font->glyphSet;
    if (height && set.glyphs[32]) *height = static_cast<float>(set.glyphs[32]->outlayHeight) * size;
    int64_t sum = 0;
    if (font->kerning) sum += KerningAmount(font, CodeAt(text, 0) * 65536);
    for (size_t i = 0; i < text.size(); ++i) {
        const int64_t code = CodeAt(text, i);
        const Glyph* glyph = set.glyphs[code];
        if (!glyph) continue;  // counted, but adds no width
        sum += glyph->outlayWidth;
        if (font->kerning) sum += KerningAmount(font, code + CodeAt(text, i + 1) * 65536);
    }
    const int64_t count = static_cast<int64_t>(text.size());
    if (width) *width = (static_cast<float>(sum) + font->letterSpacing * static_cast<float>(count)) * size;
    return count;
}

float TextWidth(int64_t font, std::string_view text, float size) {
    const BitmapFont* record = FontById(font);
    if (!record) return 0.0f;
    float width = 0.0f;
    MeasureText(record, text, size == FontDefaultF ? record->size : size, &width, nullptr);
    return width;
}

float TextHeight(int64_t font, std::string_view text, float size) {
    const BitmapFont* record = FontById(font);
    if (!record) return 0.0f;
    float height = 0.0f;
    MeasureText(record, text, size == FontDefaultF ? record->size : size, nullptr, &height);
    return height;
}

void DrawBitmapText(int64_t font, float x, float y, std::string_view text, int64_t alpha, int64_t colour,
                    float size, float slant) {
    const BitmapFont* record = FontById(font);
    if (!record || text.empty() || record->glyphSet->atlasSprite < 0) return;
    const GlyphSet& set = *record->glyphSet;
    if (alpha == FontDefault) alpha = record->alpha;
    if (colour == FontDefault) colour = record->colour;
    if (size == FontDefaultF) size = record->size;
    if (slant == FontDefaultF) slant = record->slant;
    const float shear = std::tan(slant * Pi / 180.0f);

    // The anchor shifts the whole text; these two round halves away from zero.
    float px = 0.0f, py = 0.0f;
    if (record->anchorX != 0.0f) px = std::round(-record->anchorX * TextWidth(font, text, size));
    if (record->anchorY != 0.0f) py = std::round(-record->anchorY * TextHeight(font, text, size));
    if (record->kerning) px += static_cast<float>(KerningAmount(record, CodeAt(text, 0) * 65536)) * size;

    platform::DrawOptions options;
    options.intensity = static_cast<int>(std::clamp<int64_t>(alpha, 0, 255));
    options.tint = static_cast<uint32_t>(colour & 0xFFFFFF);
    const float radius = record->arcRadius;
    // Glyphs drawn beforehand at this size, where the package has them (for
    // straight text: they are placed, not bent).
    const SizedGlyphs* sized = nullptr;
    if (radius == 0.0f && shear == 0.0f)
        for (const SizedGlyphs& candidate : set.sized)
            if (std::fabs(candidate.size - size) < 0.0005f) sized = &candidate;
    for (size_t i = 0; i < text.size(); ++i) {
        const int64_t code = CodeAt(text, i);
        const Glyph* glyph = set.glyphs[code];
        if (!glyph) continue;
        if (const Glyph* small = sized ? sized->glyphs[code] : nullptr) {
            platform::DrawOptions at = options;
            at.clipX = static_cast<int>(small->sourceX);
            at.clipY = static_cast<int>(small->sourceY);
            at.clipWidth = static_cast<int>(small->sourceWidth);
            at.clipHeight = static_cast<int>(small->sourceHeight);
            platform::DrawSprite(static_cast<int>(sized->atlasSprite),
                                 ToPixel(x + px + static_cast<float>(small->outlayX)),
                                 ToPixel(y + py + static_cast<float>(small->outlayY)), at);
            px += (static_cast<float>(glyph->outlayWidth) + record->letterSpacing) * size;
            if (record->kerning)
                px += static_cast<float>(KerningAmount(record, code + CodeAt(text, i + 1) * 65536)) * size;
            continue;
        }
        // Slant and arc move each glyph; the glyph image itself is never sheared.
        float left =
            px + (static_cast<float>(glyph->outlayX) +
                  static_cast<float>(glyph->outlayHeight - glyph->outlayY) * shear * record->anchorY) *
                     size;
        float top = py + static_cast<float>(glyph->outlayY) * size;
        if (radius != 0.0f) {
            const float advance = (static_cast<float>(glyph->outlayWidth) + record->letterSpacing) * size;
            const float a = (px + advance * 0.5f) / radius, b = px / radius;
            const float dx = left - px, dy = top;
            left = dx * std::cos(a) - dy * std::sin(a) + radius * std::sin(b);
            top = dx * std::sin(a) + dy * std::cos(a) - radius * (std::cos(b) - 1.0f);
        }
        options.clipX = static_cast<int>(glyph->sourceX);
        options.clipY = static_cast<int>(glyph->sourceY);
        options.clipWidth = static_cast<int>(glyph->sourceWidth);
        options.clipHeight = static_cast<int>(glyph->sourceHeight);
        options.width = ToPixel(static_cast<float>(glyph->sourceWidth) * size);
        options.height = ToPixel(static_cast<float>(glyph->sourceHeight) * size);
        platform::DrawSprite(static_cast<int>(set.atlasSprite), ToPixel(x + left), ToPixel(y + top), options);
        px += (static_cast<float>(glyph->outlayWidth) + record->letterSpacing) * size;
        if (record->kerning)
            px += static_cast<float>(KerningAmount(record, code + CodeAt(text, i + 1) * 65536)) * size;
    }
}
