// The font table, font and glyph-set records, kerning chains and font styles.
#include "assets/bitmap_font.h"

#include <vector>

#include "assets/catalogue_numbers.h"
#include "platform/platform.h"

namespace {

// Font records and glyph sets live in lists (stable addresses); the table maps
// ids to records and grows when an id does not fit.
std::vector<BitmapFont*> gFontTable;
std::list<BitmapFont> gFonts;
std::list<GlyphSet> gGlyphSets;

bool InTable(int64_t font) { return font >= 0 && font <= MaxFontId; }

void FreeGlyphSet(GlyphSet* set) {
    if (set->shareCount > 0) {
        --set->shareCount;
        return;
    }
    if (set->atlasSprite >= 0) platform::FreeSprite(static_cast<int>(set->atlasSprite));
    if (set->atlasImage >= 0) platform::FreeImage(static_cast<int>(set->atlasImage));
    for (const SizedGlyphs& sized : set->sized)
        if (sized.atlasSprite >= 0) platform::FreeSprite(static_cast<int>(sized.atlasSprite));
    gGlyphSets.remove_if([set](const GlyphSet& candidate) { return &candidate == set; });
}

}  // namespace

BitmapFont* NewFont(int64_t id, GlyphSet* shared) {
    if (id > MaxFontId || id < -1) return nullptr;
    if (id >= 0) {
        if (static_cast<size_t>(id) >= gFontTable.size())
            gFontTable.resize(static_cast<size_t>(id) + 1, nullptr);
        if (gFontTable[id]) FreeFont(id);
    }
    BitmapFont& font = gFonts.emplace_back();
    font.id = id >= 0 ? id : reinterpret_cast<int64_t>(&font);
    if (shared) {
        font.glyphSet = shared;
        ++shared->shareCount;
    } else {
        font.glyphSet = &gGlyphSets.emplace_back();
    }
    if (id >= 0) gFontTable[id] = &font;
    return &font;
}

void FreeFont(int64_t font) {
    BitmapFont* record = FontById(font);
    if (!record) return;
    if (InTable(record->id) && static_cast<size_t>(record->id) < gFontTable.size() &&
        gFontTable[record->id] == record)
        gFontTable[record->id] = nullptr;
    FreeGlyphSet(record->glyphSet);
    gFonts.remove_if([record](const BitmapFont& candidate) { return &candidate == record; });
}

BitmapFont* FontById(int64_t font) {
    if (InTable(font)) return static_cast<size_t>(font) < gFontTable.size() ? gFontTable[font] : nullptr;
    if (font < 0) return nullptr;
    // An id above the table is a record's own address: only records that
    // exist are handed back, so a stale or made-up id finds nothing.
    for (BitmapFont& record : gFonts)
        if (reinterpret_cast<int64_t>(&record) == font) return &record;
    return nullptr;
}

int64_t FontIdOf(const BitmapFont* font) { return font ? font->id : -1; }

KerningEntry* AddKerningPair(BitmapFont* font, int64_t left, int64_t right, int64_t amount) {
    if (!font || left < 0 || right < 0 || left > 255 || right > 255) return nullptr;
    GlyphSet& set = *font->glyphSet;
    KerningEntry& entry = set.kerningList.emplace_back();
    entry.key = left + right * 65536;
    entry.amount = amount;
    KerningEntry** link = &set.buckets[entry.key % KerningBuckets];
    while (*link) link = &(*link)->next;  // appended at the end of its chain
    *link = &entry;
    return &entry;
}

int64_t KerningAmount(const BitmapFont* font, int64_t key) {
    if (!font || key < 0) return 0;
    for (const KerningEntry* entry = font->glyphSet->buckets[key % KerningBuckets]; entry;
         entry = entry->next)
        if (entry->key == key) return entry->amount;
    return 0;
}

int64_t FreeAtlasSpriteNumber() {
    for (int64_t number = SpriteFontAtlasFirst;; ++number) {
        bool used = false;
        for (const GlyphSet& set : gGlyphSets) {
            used = used || set.atlasSprite == number;
            for (const SizedGlyphs& sized : set.sized) used = used || sized.atlasSprite == number;
        }
        if (!used) return number;
    }
}

int64_t FreeAtlasImageNumber() {
    for (int64_t number = SpriteFontAtlasFirst;; ++number) {
        bool used = false;
        for (const GlyphSet& set : gGlyphSets) used = used || set.atlasImage == number;
        if (!used) return number;
    }
}

void SetTextAnchor(int64_t font, float anchorX, float anchorY) {
    BitmapFont* record = FontById(font);
    if (!record) return;
    if (anchorX != FontDefaultF) record->anchorX = anchorX;
    if (anchorY == -1.0f)
        record->anchorY = record->anchorX;
    else if (anchorY != FontDefaultF)
        record->anchorY = anchorY;
}

void SetFontColour(int64_t font, int64_t colour) {
    if (BitmapFont* record = FontById(font)) record->colour = colour;
}

void SetFontSize(int64_t font, float size) {
    if (BitmapFont* record = FontById(font)) record->size = size;
}

void ResetFontStyle(int64_t font) {
    BitmapFont* record = FontById(font);
    if (!record) return;
    record->anchorX = record->anchorY = 0.0f;
    record->arcRadius = 0.0f;
    record->slant = 0.0f;
    record->letterSpacing = 0.0f;
    record->kerning = 0;
    record->colour = 0xFFFFFF;
    record->alpha = 255;
    record->size = 1.0f;
}
