#include "assets/embedded.h"

#include <atomic>
#include <cstring>
#include <list>
#include <string>

namespace {

struct Override {
    std::string kind;
    int number;
    EmbeddedAsset asset;
};

std::list<Override> gOverrides;
std::atomic<bool> gKeepDecoded{false};

}  // namespace

const EmbeddedAsset* FindEmbedded(const char* kind, int number, int variant) {
    for (const Override& entry : gOverrides)
        if (variant == 0 && entry.number == number && entry.kind == kind)
            return entry.asset.size > 0 ? &entry.asset : nullptr;
    for (size_t i = 0; i < kEmbeddedAssetCount; ++i) {
        const EmbeddedAsset& asset = kEmbeddedAssets[i];
        if (asset.number == number && asset.variant == variant && strcmp(asset.kind, kind) == 0)
            return &asset;
    }
    return nullptr;
}

bool InsideEmbeddedData(const uint8_t* data, size_t size) {
    for (size_t i = 0; i < kEmbeddedAssetCount; ++i) {
        const EmbeddedAsset& asset = kEmbeddedAssets[i];
        if (asset.data && data >= asset.data && size <= asset.size &&
            static_cast<size_t>(data - asset.data) <= asset.size - size)
            return true;
    }
    return false;
}

void OverrideEmbedded(const char* kind, int number, const uint8_t* data, size_t size) {
    gOverrides.remove_if([&](const Override& entry) { return entry.number == number && entry.kind == kind; });
    Override& entry = gOverrides.emplace_back();
    entry.kind = kind;
    entry.number = number;
    entry.asset = EmbeddedAsset{entry.kind.c_str(), number, 0, "override", data, size};
}

void ClearEmbeddedOverrides() { gOverrides.clear(); }

void KeepDecodedAssets(bool keep) { gKeepDecoded = keep; }
bool DecodedAssetsKept() { return gKeepDecoded; }
