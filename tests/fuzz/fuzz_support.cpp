#include "tests/fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "assets/bitmap_font.h"
#include "assets/embedded.h"
#include "platform/headless/headless_control.h"
#include "platform/platform.h"
#include "tests/fuzz/fuzz_atlas.inc"

// The fuzz targets carry no game data.
const EmbeddedAsset kEmbeddedAssets[] = {{"", -1, 0, "", nullptr, 0}};
const size_t kEmbeddedAssetCount = 0;

namespace {

// The fuzzer's folder, removed when it ends (libFuzzer ends through exit()).
char gFolderToRemove[64];

void RemoveFuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(gFolderToRemove, ignored);
}

}  // namespace

const std::string& FuzzFolder() {
    static const std::string folder = [] {
        std::string path = "/tmp/nebulor-fuzz-" + std::to_string(getpid()) + "/";
        platform::CreateFolder(path);
        platform::WriteWholeFile(path + "atlas.png", kFuzzAtlas, sizeof kFuzzAtlas);
        snprintf(gFolderToRemove, sizeof gFolderToRemove, "%s", path.c_str());
        std::atexit(RemoveFuzzFolder);
        return path;
    }();
    return folder;
}

void ResetAfterInput() {
    FreeFont(5);
    headless::Reset();
}

void ExerciseFont() {
    const std::string texts[] = {"Nebulor 2", "\xC4\xD6\xDC \xE4\xF6\xFC\xDF", std::string("A\0B", 3), ""};
    BitmapFont* font = FontById(5);
    if (!font) return;
    for (const std::string& text : texts) {
        TextWidth(5, text);
        TextHeight(5, text, 0.7f);
        DrawBitmapText(5, 10, 20, text);
    }
    font->kerning = 1;
    font->letterSpacing = 1.5f;
    font->arcRadius = 120.0f;
    SetTextAnchor(5, 0.5f);
    for (const std::string& text : texts) DrawBitmapText(5, 10, 20, text, 128, 0xFF8000, 1.3f, 12.0f);
}
