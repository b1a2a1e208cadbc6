#include "assets/embedded.h"

#include <cstring>

const EmbeddedAsset* FindEmbedded(const char* kind, int number, int variant) {
    for (size_t i = 0; i < kEmbeddedAssetCount; ++i) {
        const EmbeddedAsset& asset = kEmbeddedAssets[i];
        if (asset.number == number && asset.variant == variant && strcmp(asset.kind, kind) == 0) return &asset;
    }
    return nullptr;
}
