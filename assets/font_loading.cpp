// Start-up of the fonts: the bitmap fonts 5 to 9 from the embedded packages
// and the seven system fonts.
#include "assets/bitmap_font.h"
#include "assets/catalogue_numbers.h"
#include "assets/embedded.h"
#include "platform/platform.h"

namespace {

BitmapFont* LoadEmbeddedFont(int64_t id, int package) {
    const EmbeddedAsset* asset = FindEmbedded("font", package);
    return LoadBitmapFont(id, asset ? asset->data : nullptr, asset ? asset->size : 0, "");
}

}  // namespace

void LoadSystemFont(int64_t pointSize, int64_t id) {
    const EmbeddedAsset* face = FindEmbedded("ttf", 0);
    const uint8_t* data = face ? face->data : nullptr;
    const size_t bytes = face ? face->size : 0;
    if (!platform::LoadSystemFont(static_cast<int>(id), static_cast<int>(pointSize), data, bytes))
        platform::LoadSystemFont(static_cast<int>(id), static_cast<int>(pointSize), data, bytes);
}

bool LoadFonts() {
    struct Step {
        int64_t id;
        int package;
        bool reset;
    };
    static const Step steps[] = {{FontSmall, FontPackageSmallSecond, false},
                                 {FontCredits, FontPackageSmallFirst, true},
                                 {FontDate, FontPackageSmallSecond, true},
                                 {FontSmallSpare, FontPackageSmallThird, true},
                                 {FontLarge, FontPackageLarge, true}};
    for (const Step& step : steps) {
        if (!LoadEmbeddedFont(step.id, step.package)) {
            platform::CloseWindow(WindowLoading);
            platform::MessageBox("Nebulor", "Can't open Font");
            return false;
        }
        if (step.reset) ResetFontStyle(step.id);
        SetTextAnchor(step.id, 0.0f, 0.5f);
    }
    static const int pointSizes[] = {5, 10, 15, 20, 30, 40, 50};
    for (int id = SystemFont5; id <= SystemFont50; ++id) LoadSystemFont(pointSizes[id], id);
    return true;
}
