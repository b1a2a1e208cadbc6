// The font packages the game carries, and reading packages and descriptors:
// damaged chunks, counts past the end, indices above 255, font ids.
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "assets/bitmap_font.h"
#include "assets/embedded.h"
#include "assets/png_decode.h"
#include "platform/platform.h"
#include "tests/assets/font_builder.h"
#include "tests/support/test_game.h"

namespace {

struct RawChunk {
    int32_t type;
    const uint8_t* body;
    size_t size;
};

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
int S16(const uint8_t* p) { return static_cast<int16_t>(p[0] | p[1] << 8); }

// Walks a package's chunks as the format lays them out, checking each CRC.
std::vector<RawChunk> Chunks(const EmbeddedAsset& asset) {
    std::vector<RawChunk> chunks;
    for (size_t at = 8; at + 8 <= asset.size;) {
        const uint32_t length = U32(asset.data + at);
        if (length < 4 || at + 8 + length > asset.size) break;
        const uint8_t* payload = asset.data + at + 8;
        EXPECT_EQ(crc32(0, payload, length), U32(asset.data + at + 4));
        chunks.push_back({static_cast<int32_t>(U32(payload)), payload + 4, length - 4});
        at += 8 + length;
    }
    return chunks;
}

struct PackageTable {
    int number, atlasHeight, padding, lineHeight, sourceHeight;
    size_t records, latinRecords, kerning;
};

class FontReaderTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        for (int64_t id = 0; id < 16; ++id) FreeFont(id);
    }
};

}  // namespace

TEST(FontPackages, BothFontsMatchTheirTable) {
    const PackageTable tables[] = {{0, 4096, 8, 22, 38, 2037, 192, 330},
                                   {3, 3072, 16, 77, 109, 192, 192, 670}};
    for (const PackageTable& table : tables) {
        SCOPED_TRACE(table.number);
        const EmbeddedAsset* asset = FindEmbedded("font", table.number);
        ASSERT_NE(asset, nullptr);
        ASSERT_EQ(memcmp(asset->data, "T\x83|1.40|", 8), 0);
        const std::vector<RawChunk> chunks = Chunks(*asset);
        // The small font also carries its glyphs drawn at 0.6 and 0.8 (type 4).
        const size_t sized = table.number == 0 ? 2 : 0;
        ASSERT_EQ(chunks.size(), 4u + sized);
        EXPECT_EQ(chunks[0].type, 1);
        for (size_t i = 3; i < 3 + sized; ++i) EXPECT_EQ(chunks[i].type, 4);
        EXPECT_EQ(chunks.back().type, 0);

        // The atlas: 8-bit RGBA (colour type 6) of the table's size.
        const uint8_t* png = chunks[0].body;
        EXPECT_EQ(png[24], 8);
        EXPECT_EQ(png[25], 6);
        int width = 0, height = 0;
        std::vector<uint8_t> rgba;
        ASSERT_TRUE(DecodePng(png, chunks[0].size, width, height, rgba));
        EXPECT_EQ(width, 512);
        EXPECT_EQ(height, table.atlasHeight);

        ASSERT_EQ(chunks[1].type, 2);
        const size_t count = U32(chunks[1].body);
        ASSERT_EQ(count, table.records);
        ASSERT_EQ(chunks[1].size, 4 + 18 * count);
        std::vector<int> latin;
        std::vector<std::array<int, 4>> cells;
        int previous = -1;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* r = chunks[1].body + 4 + 18 * i;
            const int index = r[0] | r[1] << 8;
            EXPECT_GT(index, previous);  // sorted by index
            previous = index;
            if (index <= 255) latin.push_back(index);
            EXPECT_EQ(S16(r + 2), -table.padding);
            EXPECT_EQ(S16(r + 4), -table.padding);
            EXPECT_EQ(S16(r + 8), table.lineHeight);
            EXPECT_EQ(S16(r + 14), S16(r + 6) + 2 * table.padding);
            EXPECT_EQ(S16(r + 16), table.sourceHeight);
            const int x = S16(r + 10), y = S16(r + 12), w = S16(r + 14), h = S16(r + 16);
            EXPECT_TRUE(x >= 0 && y >= 0 && x + w <= width && y + h <= height) << index;
            cells.push_back({y, x, w, h});
        }
        ASSERT_EQ(latin.size(), table.latinRecords);
        EXPECT_EQ(latin.front(), 32);
        EXPECT_TRUE(std::none_of(latin.begin(), latin.end(), [](int c) { return c >= 128 && c < 160; }));
        // No two cells overlap: within a row of cells each starts after the last ends.
        std::sort(cells.begin(), cells.end());
        for (size_t i = 1; i < cells.size(); ++i)
            if (cells[i][0] == cells[i - 1][0]) {
                EXPECT_GE(cells[i][1], cells[i - 1][1] + cells[i - 1][2]);
            }

        ASSERT_EQ(chunks[2].type, 3);
        EXPECT_EQ(U32(chunks[2].body), table.kerning);
        EXPECT_EQ(chunks[2].size, 4 + 6 * table.kerning);
    }
}

TEST(FontPackages, TheThreeSmallFontsAreCopiesOfOnePackage) {
    const EmbeddedAsset* first = FindEmbedded("font", 0);
    ASSERT_NE(first, nullptr);
    for (int copy : {1, 2}) {
        const EmbeddedAsset* other = FindEmbedded("font", copy);
        ASSERT_NE(other, nullptr);
        ASSERT_EQ(other->size, first->size);
        EXPECT_EQ(memcmp(other->data, first->data, first->size), 0);
    }
    const EmbeddedAsset* large = FindEmbedded("font", 3);
    ASSERT_NE(large, nullptr);
    EXPECT_NE(large->size, first->size);
    EXPECT_NE(FindEmbedded("ttf", 0), nullptr);
}

TEST(FontPackages, GlyphsAreWhiteInkWithAGlowThatFitsTheirCell) {
    const EmbeddedAsset* asset = FindEmbedded("font", 3);
    ASSERT_NE(asset, nullptr);
    const std::vector<RawChunk> chunks = Chunks(*asset);
    ASSERT_GE(chunks.size(), 2u);
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    ASSERT_TRUE(DecodePng(chunks[0].body, chunks[0].size, width, height, rgba));
    for (size_t i = 0; i < U32(chunks[1].body); ++i) {
        const uint8_t* r = chunks[1].body + 4 + 18 * i;
        if ((r[0] | r[1] << 8) != 'A') continue;
        const int x0 = S16(r + 10), y0 = S16(r + 12), w = S16(r + 14), h = S16(r + 16);
        int ink = 0, glow = 0, edge = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
                if (p[3] > 0) {
                    EXPECT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255);
                }
                if (p[3] == 255) ++ink;
                if (p[3] > 20 && p[3] < 160) ++glow;
                if (x == x0 || y == y0 || x == x0 + w - 1 || y == y0 + h - 1)
                    edge = std::max<int>(edge, p[3]);
            }
        EXPECT_GT(ink, 300);
        EXPECT_GT(glow, 300);
        EXPECT_LT(edge, 24);  // the glow fades out inside the padding
        return;
    }
    FAIL() << "no glyph for A";
}

TEST_F(FontReaderTest, ADamagedSecondChunkGivesAnAtlasWithoutGlyphs) {
    const auto bytes = PackageBuilder()
                           .Atlas()
                           .Glyphs({SimpleGlyph(32, 6, 0), SimpleGlyph('A', 10, 10)}, -1, true)
                           .Kerning({{'A', 'A', -1}})
                           .End()
                           .bytes;
    BitmapFont* font = LoadTestFont(5, bytes);
    ASSERT_NE(font, nullptr);
    ASSERT_GE(font->glyphSet->atlasSprite, 1000);
    EXPECT_TRUE(platform::SpriteExists(static_cast<int>(font->glyphSet->atlasSprite)));
    EXPECT_TRUE(std::all_of(font->glyphSet->glyphs.begin(), font->glyphSet->glyphs.end(),
                            [](const Glyph* g) { return g == nullptr; }));
    EXPECT_TRUE(font->glyphSet->kerningList.empty());  // reading stopped at the damage
    EXPECT_EQ(TextWidth(5, "AA A"), 0.0f);
    EXPECT_EQ(TextHeight(5, "AA A"), 0.0f);
    font->letterSpacing = 2.0f;
    EXPECT_FLOAT_EQ(TextWidth(5, "AA A", 1.5f), 2.0f * 4 * 1.5f);
    DrawBitmapText(5, 10, 10, "AA A");
    EXPECT_TRUE(headless::CurrentFrame().empty());
}

TEST_F(FontReaderTest, IndicesAbove255AreIgnored) {
    const auto bytes = PackageBuilder()
                           .Atlas()
                           .Glyphs({SimpleGlyph(32, 6, 0), SimpleGlyph('A', 10, 10), SimpleGlyph(256, 9, 24),
                                    SimpleGlyph(256 + 'B', 9, 24), SimpleGlyph(0xFFFF, 9, 24)})
                           .Kerning({{'A', 'A', -3}, {'A', 300, 5}, {300, 'A', 4}, {256, 256, 2}})
                           .End()
                           .bytes;
    BitmapFont* font = LoadTestFont(5, bytes);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->glyphSet->glyphList.size(), 2u);
    EXPECT_NE(font->glyphSet->glyphs['A'], nullptr);
    EXPECT_EQ(font->glyphSet->glyphs['B'], nullptr);
    EXPECT_EQ(font->glyphSet->glyphs[0], nullptr);
    EXPECT_EQ(font->glyphSet->kerningList.size(), 1u);
    EXPECT_EQ(KerningAmount(font, 'A' + 'A' * 65536), -3);
    EXPECT_EQ(AddKerningPair(font, 256, 1, 9), nullptr);
    EXPECT_EQ(AddKerningPair(font, -1, 1, 9), nullptr);
    EXPECT_EQ(font->glyphSet->kerningList.size(), 1u);
}

TEST_F(FontReaderTest, KerningChainsKeepTheFirstEntryOfAKey) {
    BitmapFont* font = NewFont(5, nullptr);
    ASSERT_NE(font, nullptr);
    // Keys 0 and 15 + 2 * 65536 = 187 * 701 share bucket 0.
    AddKerningPair(font, 0, 0, 3);
    AddKerningPair(font, 15, 2, 8);
    AddKerningPair(font, 0, 0, 4);
    EXPECT_EQ(KerningAmount(font, 0), 3);
    EXPECT_EQ(KerningAmount(font, 15 + 2 * 65536), 8);
    EXPECT_EQ(KerningAmount(font, 15), 0);
    EXPECT_EQ(KerningAmount(font, -1), 0);
    const KerningEntry* chain = font->glyphSet->buckets[0];
    ASSERT_NE(chain, nullptr);
    ASSERT_NE(chain->next, nullptr);
    ASSERT_NE(chain->next->next, nullptr);
    EXPECT_EQ(chain->next->key, 15 + 2 * 65536);
    EXPECT_EQ(chain->next->next->amount, 4);  // appended at the end of its chain
}

TEST_F(FontReaderTest, CountsAndLengthsPastTheEndStopTheReading) {
    // Five glyphs promised, two stored: the two are kept, nothing after them is read.
    auto bytes = PackageBuilder()
                     .Atlas()
                     .Glyphs({SimpleGlyph(32, 6, 0), SimpleGlyph('A', 10, 10)}, 5)
                     .Kerning({{'A', 'A', -3}})
                     .End()
                     .bytes;
    BitmapFont* font = LoadTestFont(5, bytes);
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font->glyphSet->glyphs['A'], nullptr);
    EXPECT_TRUE(font->glyphSet->kerningList.empty());

    // A chunk length beyond the data keeps what came before it.
    bytes = PackageBuilder()
                .Atlas()
                .Glyphs({SimpleGlyph(32, 6, 0), SimpleGlyph('A', 10, 10)})
                .Kerning({{1, 2, 3}})
                .bytes;
    const size_t kerningChunk = bytes.size() - (8 + 4 + 4 + 6);
    bytes[kerningChunk] = 0xFF;
    font = LoadTestFont(6, bytes);
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font->glyphSet->glyphs['A'], nullptr);
    EXPECT_TRUE(font->glyphSet->kerningList.empty());

    // Every cut of a whole package loads without reading past the cut.
    const auto whole = PackageBuilder()
                           .Atlas(8, 8)
                           .Glyphs({SimpleGlyph(32, 6, 0), SimpleGlyph('A', 10, 10)})
                           .Kerning({{'A', 'A', -3}})
                           .End()
                           .bytes;
    for (size_t size = 0; size <= whole.size(); ++size) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        BitmapFont* read = LoadBitmapFont(7, cut.data(), cut.size(), "");
        if (size >= 8) {
            ASSERT_NE(read, nullptr) << size;
            EXPECT_EQ(read->glyphSet->kerningList.size(), size >= whole.size() - 12 ? 1u : 0u) << size;
        }
    }
}

TEST_F(FontReaderTest, TwoIdsLoadingOnePackageHaveTheirOwnGlyphSets) {
    const auto bytes =
        PackageBuilder().Atlas().Glyphs({SimpleGlyph(32, 6, 0), SimpleGlyph('A', 10, 10)}).End().bytes;
    BitmapFont* five = LoadTestFont(5, bytes);
    BitmapFont* six = LoadTestFont(6, bytes);
    ASSERT_NE(five, nullptr);
    ASSERT_NE(six, nullptr);
    EXPECT_NE(five->glyphSet, six->glyphSet);
    EXPECT_NE(five->glyphSet->atlasSprite, six->glyphSet->atlasSprite);
    EXPECT_NE(five->glyphSet->glyphs['A'], six->glyphSet->glyphs['A']);
    const int sixAtlas = static_cast<int>(six->glyphSet->atlasSprite);
    FreeFont(5);
    EXPECT_EQ(FontById(5), nullptr);
    EXPECT_TRUE(platform::SpriteExists(sixAtlas));
    DrawBitmapText(6, 0, 0, "A");
    EXPECT_EQ(headless::CurrentFrame().size(), 1u);

    // Loading again on a used id replaces the font and frees its atlas.
    BitmapFont* again = LoadTestFont(6, bytes);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again->glyphSet->glyphs['A'], nullptr);
    int atlases = 0;
    for (int sprite = 1000; sprite < 1010; ++sprite) atlases += platform::SpriteExists(sprite);
    EXPECT_EQ(atlases, 1);
}

TEST_F(FontReaderTest, SharedGlyphSetsLiveUntilTheirLastFont) {
    const auto bytes = PackageBuilder().Atlas().Glyphs({SimpleGlyph('A', 10, 10)}).End().bytes;
    BitmapFont* owner = LoadTestFont(5, bytes);
    ASSERT_NE(owner, nullptr);
    BitmapFont* sharer = NewFont(9, owner->glyphSet);
    ASSERT_NE(sharer, nullptr);
    EXPECT_EQ(owner->glyphSet->shareCount, 1);
    const int atlas = static_cast<int>(owner->glyphSet->atlasSprite);
    FreeFont(5);
    EXPECT_TRUE(platform::SpriteExists(atlas));
    EXPECT_EQ(sharer->glyphSet->shareCount, 0);
    EXPECT_NE(sharer->glyphSet->glyphs['A'], nullptr);
    FreeFont(9);
    EXPECT_FALSE(platform::SpriteExists(atlas));
}

TEST_F(FontReaderTest, FontIdsBeyondTheTable) {
    const auto bytes = PackageBuilder().Atlas().End().bytes;
    EXPECT_EQ(LoadTestFont(65536, bytes), nullptr);
    EXPECT_EQ(LoadTestFont(-2, bytes), nullptr);
    BitmapFont* own = LoadTestFont(-1, bytes);
    ASSERT_NE(own, nullptr);
    const int64_t id = FontIdOf(own);
    EXPECT_GT(id, MaxFontId);
    EXPECT_EQ(FontById(id), own);
    SetFontSize(id, 2.5f);
    EXPECT_EQ(own->size, 2.5f);
    EXPECT_EQ(FontById(id + 8), nullptr);  // a made-up id finds nothing
    const int atlas = static_cast<int>(own->glyphSet->atlasSprite);
    FreeFont(id);
    EXPECT_EQ(FontById(id), nullptr);
    EXPECT_FALSE(platform::SpriteExists(atlas));
    EXPECT_EQ(FontById(70000), nullptr);
    EXPECT_EQ(FontById(-5), nullptr);
}

TEST_F(FontReaderTest, DescriptorOfTheSmallFontReadsLikeItsPackage) {
    std::vector<uint8_t> xml;
    const std::string folder = std::string(NEBULOR_DATA_DIR) + "/";
    ASSERT_TRUE(platform::ReadWholeFile(folder + "font_small.xml", xml));
    BitmapFont* described = LoadBitmapFont(6, xml.data(), xml.size(), folder);
    const EmbeddedAsset* package = FindEmbedded("font", 0);
    ASSERT_NE(package, nullptr);
    BitmapFont* packaged = LoadBitmapFont(7, package->data, package->size, "");
    ASSERT_NE(described, nullptr);
    ASSERT_NE(packaged, nullptr);
    for (int c = 0; c < 256; ++c) {
        const Glyph* a = described->glyphSet->glyphs[c];
        const Glyph* b = packaged->glyphSet->glyphs[c];
        ASSERT_EQ(a == nullptr, b == nullptr) << c;
        if (!a) continue;
        EXPECT_TRUE(a->outlayX == b->outlayX && a->outlayY == b->outlayY &&
                    a->outlayWidth == b->outlayWidth && a->outlayHeight == b->outlayHeight &&
                    a->sourceX == b->sourceX && a->sourceY == b->sourceY &&
                    a->sourceWidth == b->sourceWidth && a->sourceHeight == b->sourceHeight)
            << c;
    }
    EXPECT_EQ(described->glyphSet->kerningList.size(), packaged->glyphSet->kerningList.size());
    EXPECT_EQ(TextWidth(6, "Nebulor 2"), TextWidth(7, "Nebulor 2"));
    const int sprite = static_cast<int>(described->glyphSet->atlasSprite);
    const int image = static_cast<int>(described->glyphSet->atlasImage);
    EXPECT_EQ(platform::SpriteWidth(sprite), 512);
    EXPECT_TRUE(platform::ImageExists(image));
    FreeFont(6);
    EXPECT_FALSE(platform::SpriteExists(sprite));
    EXPECT_FALSE(platform::ImageExists(image));
}

TEST_F(FontReaderTest, DescriptorsKeepOnlyUsableEntries) {
    const std::string xml =
        "<?xml version=\"1.0\"?><Font Image=\"missing.png\"><!-- a comment -->"
        "<Character Index=\"65\"><Source X=\"1\" Y=\"2\" Width=\"14\" Height=\"24\"/>"
        "<Outlay X=\"-2\" Y=\"-2\" Width=\"10\" Height=\"20\"/><Other/></Character>"
        "<Character Index=\"256\"><Source X=\"9\"/></Character>"
        "<Character Index=\"-4\"><Source X=\"9\"/></Character>"
        "<Character Index=\" +66\"><Outlay Width=\"eleven\"/></Character>"
        "<Group><Character Index=\"67\"/></Group>"
        "<KerningPair Left=\"65\" Right=\"66\" Amount=\"-2\"/><KerningPair Left=\"-1\" Right=\"66\" "
        "Amount=\"5\"/>"
        "</Font>";
    BitmapFont* font =
        LoadBitmapFont(5, reinterpret_cast<const uint8_t*>(xml.data()), xml.size(), "/nowhere/");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->glyphSet->atlasSprite, -1);  // the atlas file is missing
    const Glyph* a = font->glyphSet->glyphs['A'];
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->sourceY, 2);
    EXPECT_EQ(a->sourceWidth, 14);
    EXPECT_EQ(a->outlayX, -2);
    EXPECT_EQ(a->outlayWidth, 10);
    ASSERT_NE(font->glyphSet->glyphs['B'], nullptr);
    EXPECT_EQ(font->glyphSet->glyphs['B']->outlayWidth, 0);
    EXPECT_EQ(font->glyphSet->glyphs['C'], nullptr);  // not a child of the root
    EXPECT_EQ(font->glyphSet->glyphList.size(), 2u);
    EXPECT_EQ(KerningAmount(font, 'A' + 'B' * 65536), -2);
    EXPECT_EQ(font->glyphSet->kerningList.size(), 1u);
}

TEST_F(FontReaderTest, DescriptorNumbersBeyondAnyGlyphAreHeldTo32Bits) {
    // Measuring adds advances and kerning, drawing subtracts outlay numbers:
    // with 64-bit extremes either would overflow.
    const std::string xml =
        "<Font><Character Index=\"65\"><Source X=\"-99999999999\" Width=\"99999999999999999999\"/>"
        "<Outlay Y=\"-2\" Width=\"9223372036854775807\" Height=\"9223372036854775807\"/></Character>"
        "<KerningPair Left=\"65\" Right=\"65\" Amount=\"-9223372036854775808\"/></Font>";
    BitmapFont* font = LoadBitmapFont(5, reinterpret_cast<const uint8_t*>(xml.data()), xml.size(), "");
    ASSERT_NE(font, nullptr);
    const Glyph* a = font->glyphSet->glyphs['A'];
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->sourceX, INT32_MIN);
    EXPECT_EQ(a->sourceWidth, INT32_MAX);
    EXPECT_EQ(a->outlayY, -2);
    EXPECT_EQ(a->outlayHeight, INT32_MAX);
    EXPECT_EQ(KerningAmount(font, 'A' + 'A' * 65536), INT32_MIN);
    font->kerning = 1;
    const std::string text(64, 'A');
    const float width = TextWidth(5, text, 1.0f);
    EXPECT_FLOAT_EQ(width, 64.0f * INT32_MAX + 63.0f * INT32_MIN);
}

TEST_F(FontReaderTest, DataThatIsNeitherPackageNorXmlGivesNoFont) {
    const std::string broken = "<Font Image=\"a.png\"><Character Index=\"65\">";
    EXPECT_EQ(LoadBitmapFont(5, reinterpret_cast<const uint8_t*>(broken.data()), broken.size(), ""), nullptr);
    EXPECT_EQ(FontById(5), nullptr);
    const uint8_t junk[] = {0x54, 0x83, '|', '1', '.', '4', '1', '|', 0, 0};
    EXPECT_EQ(LoadBitmapFont(5, junk, sizeof junk, ""), nullptr);
    EXPECT_EQ(LoadBitmapFont(5, nullptr, 0, ""), nullptr);
    EXPECT_EQ(FontById(5), nullptr);
}

TEST_F(FontReaderTest, ADescriptorNamingADeviceReadsNoAtlas) {
    const std::string xml = "<Font Image=\"dev/zero\"><Character Index=\"65\"/></Font>";
    BitmapFont* font = LoadBitmapFont(5, reinterpret_cast<const uint8_t*>(xml.data()), xml.size(), "/");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->glyphSet->atlasSprite, -1);
    EXPECT_NE(font->glyphSet->glyphs['A'], nullptr);
}
