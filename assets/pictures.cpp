#include "assets/pictures.h"

#include <functional>
#include <map>
#include <mutex>
#include <tuple>

#include "assets/catalogue_numbers.h"
#include "assets/embedded.h"
#include "assets/picture_catalogue.h"
#include "assets/picture_decoding.h"
#include "core/game_state.h"
#include "platform/platform.h"
#include "ui/layout.h"

namespace {

using PictureKey = std::tuple<std::string, int, int>;

std::mutex gLock;  // guards the replacements (tests may set them from any thread)
std::map<PictureKey, std::vector<uint8_t>> gReplacements;
int gReplacementsChanged = 0;
int gStartedAt = -1;  // gReplacementsChanged when the running decoding started

PictureSource SourceOf(const std::string& kind, int number, int variant) {
    {
        std::lock_guard<std::mutex> guard(gLock);
        auto it = gReplacements.find({kind, number, variant});
        if (it != gReplacements.end()) return {it->second.data(), it->second.size(), false, {}};
    }
    const EmbeddedAsset* asset = FindEmbedded(kind.c_str(), number, variant);
    if (!asset) return {};
    return {asset->data, asset->size, true, {}};
}

// The size a zoomed picture is kept at: the size it is drawn at.
std::function<void(int&, int&)> DrawnSize(PictureZoom zoom) {
    switch (zoom) {
        case PictureZoom::FullScreen: {
            const int width = static_cast<int>(Game.ScreenWidth),
                      height = static_cast<int>(Game.ScreenHeight);
            return [width, height](int& w, int& h) {
                w = width;
                h = height;
            };
        }
        case PictureZoom::Ladder: {
            const float percentX = static_cast<float>(Game.LadderScaleX);
            const float percentY = static_cast<float>(Game.LadderScaleY);
            return [percentX, percentY](int& w, int& h) {
                w = static_cast<int>(ScalePercent(w, percentX));
                h = static_cast<int>(ScalePercent(h, percentY));
            };
        }
        case PictureZoom::None: break;
    }
    return {};
}

// Every picture of LoadPictures, in its order; sprite 19 in the language of Game.Language.
std::vector<PictureSource> CatalogueSources() {
    std::vector<PictureSource> sources;
    for (const PictureStep& step : PictureLoadOrder()) {
        const int variant =
            step.number == SpritePaytablePage && std::string(step.kind) == "sprite" && Game.Language != 0 ? 1
                                                                                                          : 0;
        PictureSource source = SourceOf(step.kind, step.number, variant);
        source.drawnSize = DrawnSize(step.zoom);
        sources.push_back(std::move(source));
    }
    return sources;
}

bool StartedWith(const std::vector<PictureSource>& sources) {
    std::lock_guard<std::mutex> guard(gLock);
    return gStartedAt == gReplacementsChanged && DecodingPictures(sources);
}

void StartWith(std::vector<PictureSource> sources) {
    {
        std::lock_guard<std::mutex> guard(gLock);
        gStartedAt = gReplacementsChanged;
    }
    StartPictureDecoding(std::move(sources));
}

// Straight RGBA bytes of decoded pixels: what the plain image is made from.
std::vector<uint8_t> RgbaOf(const platform::PixelBuffer& pixels) {
    std::vector<uint8_t> rgba(pixels.bytes.get(), pixels.bytes.get() + pixels.Size());
    if (pixels.order == platform::PixelOrder::Bgra)
        for (size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
    return rgba;
}

}  // namespace

void StartDecodingPictures() { StartWith(CatalogueSources()); }

bool CheckLoaded(bool created, const std::string& message) {
    if (!created) platform::MessageBox("Fehler", message);
    return created;
}

bool LoadPictures() {
    const std::vector<PictureStep>& steps = PictureLoadOrder();
    std::vector<PictureSource> sources = CatalogueSources();
    if (!StartedWith(sources)) StartWith(std::move(sources));
    bool loaded = true;
    for (size_t i = 0; i < steps.size() && loaded; ++i) {
        const PictureStep& step = steps[i];
        const DecodedPictureRef picture = TakeDecodedPicture(i);
        bool created = false;
        if (picture->ok) {
            created = std::string(step.kind) == "image"
                          ? platform::CreateImage(step.number, picture->width, picture->height,
                                                  RgbaOf(picture->pixels).data())
                          : platform::CreateSpriteFromPixels(step.number, picture->width, picture->height,
                                                             picture->pixels);
        }
        loaded = CheckLoaded(created, step.message);
    }
    StopPictureDecoding();
    return loaded;
}

bool CreateLoadingPicture() {
    const DecodedPictureRef picture = DecodePicture(SourceOf("picture", 0, 0));
    return picture->ok && platform::CreateSpriteFromPixels(SpriteLoadingPicture, picture->width,
                                                           picture->height, picture->pixels);
}

void ReplacePictureData(const std::string& kind, int number, int variant, const std::vector<uint8_t>& png) {
    StopPictureDecoding();  // no helper thread may still read the bytes replaced
    std::lock_guard<std::mutex> guard(gLock);
    gReplacements[{kind, number, variant}] = png;
    ++gReplacementsChanged;
}

void ClearPictureReplacements() {
    StopPictureDecoding();
    std::lock_guard<std::mutex> guard(gLock);
    gReplacements.clear();
    ++gReplacementsChanged;
}
