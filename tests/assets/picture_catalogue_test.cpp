// The forged pictures against the catalogue: the manifest, the embedded
// table, the PNG formats and the decoded sizes, and the load order.
#include "assets/picture_catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "assets/embedded.h"
#include "assets/png_decode.h"

namespace {

struct ManifestRow {
    std::string label, file, format;
    int width = 0, height = 0;
};

// manifest.tsv rows by (kind with "-en" for the English variant, number).
std::map<std::pair<std::string, int>, ManifestRow> ReadManifest() {
    std::map<std::pair<std::string, int>, ManifestRow> rows;
    std::ifstream in(std::string(NEBULOR_DATA_DIR) + "/manifest.tsv");
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
        if (cells.size() < 8) continue;
        rows[{cells[1], std::stoi(cells[0])}] = {cells[2], cells[3], cells[6], std::stoi(cells[4]),
                                                 std::stoi(cells[5])};
    }
    return rows;
}

// Bit depth and colour type from a PNG's header.
std::string PngFormat(const EmbeddedAsset& asset) {
    if (asset.size < 26) return "short";
    const int depth = asset.data[24], colour = asset.data[25];
    if (depth == 8 && colour == 6) return "RGBA8";
    if (depth == 16 && colour == 6) return "RGBA16";
    if (depth == 8 && colour == 2) return "RGB8";
    return "other";
}

}  // namespace

TEST(PictureCatalogueTest, ManifestListsEveryPictureWithItsLabelSizeAndFormat) {
    const auto manifest = ReadManifest();
    ASSERT_FALSE(manifest.empty()) << "no manifest in " << NEBULOR_DATA_DIR;
    for (const PictureEntry& e : kPictureCatalogue) {
        SCOPED_TRACE(std::string(e.kind) + " " + std::to_string(e.number) + (e.variant ? " en" : ""));
        auto it = manifest.find({e.kind + std::string(e.variant ? "-en" : ""), e.number});
        ASSERT_NE(it, manifest.end());
        EXPECT_EQ(it->second.label, e.label);
        EXPECT_EQ(it->second.width, e.width);
        EXPECT_EQ(it->second.height, e.height);
        EXPECT_EQ(it->second.format, e.format);
    }
    // Sprites 14 and 87 are two entries of one picture file.
    EXPECT_EQ(manifest.at({"sprite", 14}).file, manifest.at({"sprite", 87}).file);
}

TEST(PictureCatalogueTest, EveryEmbeddedPictureDecodesToItsCatalogueSizeInItsFormat) {
    for (const PictureEntry& e : kPictureCatalogue) {
        SCOPED_TRACE(std::string(e.kind) + " " + std::to_string(e.number) + (e.variant ? " en" : ""));
        const EmbeddedAsset* asset = FindEmbedded(e.kind, e.number, e.variant);
        ASSERT_NE(asset, nullptr);
        EXPECT_EQ(std::string(asset->label), e.label);
        EXPECT_EQ(PngFormat(*asset), e.format);
        int w = 0, h = 0;
        std::vector<uint8_t> rgba;
        ASSERT_TRUE(DecodePng(asset->data, asset->size, w, h, rgba));
        EXPECT_EQ(w, e.width);
        EXPECT_EQ(h, e.height);
        EXPECT_EQ(rgba.size(), static_cast<size_t>(w) * h * 4);
    }
    EXPECT_EQ(FindEmbedded("sprite", 14)->data, FindEmbedded("sprite", 87)->data);
}

TEST(PictureCatalogueTest, LoadOrderCoversTheCatalogueOnceInTheGivenSequence) {
    const auto& steps = PictureLoadOrder();
    std::vector<int> sprites;
    for (const auto& step : steps)
        sprites.push_back(step.kind == std::string("image") ? -step.number : step.number);
    const std::vector<int> expected = {0,  1,   2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 87, 17,
                                       82, 83,  84, 85, 16, 15, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                                       30, 31,  32, 33, 34, 35, 36, 37, 40, 41, 42, 38, 39, 43, 44, 47, 48,
                                       49, 50,  45, 46, 51, 52, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68,
                                       69, -57, 55, 53, 54, 73, 74, 75, 76, 77, 78, 80, 81};
    EXPECT_EQ(sprites, expected);
    // Every entry is one picture: no number twice in a kind and variant.
    std::set<std::tuple<std::string, int, int>> seen;
    for (const PictureEntry& e : kPictureCatalogue)
        EXPECT_TRUE(seen.insert({e.kind, e.number, e.variant}).second) << e.kind << " " << e.number;
}

TEST(PictureCatalogueTest, MessagesKeepTheCataloguesQuirks) {
    std::map<std::string, std::string> byPicture;
    for (const auto& step : PictureLoadOrder())
        byPicture[std::string(step.kind) + std::to_string(step.number)] = step.message;
    EXPECT_EQ(byPicture["sprite6"], "Fehler beim laden von Grafiken 7!");
    EXPECT_EQ(byPicture["sprite19"], "Fehler beim laden von Grafiken 16!");
    EXPECT_EQ(byPicture["sprite32"], "Fehler beim laden von Grafiken b11");
    EXPECT_EQ(byPicture["sprite33"], "Fehler beim laden von Grafiken b12!");
    EXPECT_EQ(byPicture["sprite53"], "Fehler beim laden von Grafiken c12!");
    EXPECT_EQ(byPicture["sprite52"], "Fehler beim laden von Grafiken c12!");
    EXPECT_EQ(byPicture["image57"], "Fehler beim laden von Grafiken e2!");
    EXPECT_EQ(byPicture["sprite74"], "Fehler beim laden von Grafiken parikel 2!");
    EXPECT_EQ(byPicture["sprite78"], "Fehler beim laden von Grafiken bigwin 1 !");
    EXPECT_EQ(byPicture["sprite81"], "Fehler beim laden von Grafiken bigwin 3 !");
}
