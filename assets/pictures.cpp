#include "assets/pictures.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <tuple>

#include "assets/embedded.h"
#include "assets/picture_catalogue.h"
#include "assets/png_decode.h"
#include "core/game_state.h"
#include "platform/platform.h"

namespace {

struct Decoded {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};
using DecodedPicture = std::shared_ptr<const Decoded>;

// Where the bytes of one picture come from.
struct Source {
    const uint8_t* data = nullptr;
    size_t size = 0;
    bool embedded = false;  // only embedded blobs may be kept decoded
};

using PictureKey = std::tuple<std::string, int, int>;

std::mutex gLock;  // guards the three below; decoding runs on helper threads
std::map<PictureKey, std::vector<uint8_t>> gReplacements;
std::map<const uint8_t*, DecodedPicture> gKept;
bool gKeep = false;

Source SourceOf(const std::string& kind, int number, int variant) {
    {
        std::lock_guard<std::mutex> guard(gLock);
        auto it = gReplacements.find({kind, number, variant});
        if (it != gReplacements.end()) return {it->second.data(), it->second.size(), false};
    }
    const EmbeddedAsset* asset = FindEmbedded(kind.c_str(), number, variant);
    if (!asset) return {};
    return {asset->data, asset->size, true};
}

DecodedPicture Decode(const Source& source) {
    if (source.embedded) {
        std::lock_guard<std::mutex> guard(gLock);
        auto it = gKept.find(source.data);
        if (it != gKept.end()) return it->second;
    }
    auto decoded = std::make_shared<Decoded>();
    decoded->ok =
        source.data && DecodePng(source.data, source.size, decoded->width, decoded->height, decoded->rgba);
    if (source.embedded && decoded->ok) {
        std::lock_guard<std::mutex> guard(gLock);
        if (gKeep) gKept[source.data] = decoded;
    }
    return decoded;
}

// Decodes the pictures of a load ahead of the creating thread, a few at a
// time, so decoding runs on every core while the sprites are created in
// order on the program thread. Creating stays in order, so what the player
// sees and which failure is reported do not change.
struct DecodeAhead {
    static constexpr size_t Lookahead = 6;
    std::vector<Source> sources;
    std::vector<DecodedPicture> results;
    size_t next = 0, consumed = 0;
    bool stop = false;
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::thread> workers;

    explicit DecodeAhead(std::vector<Source> list) : sources(std::move(list)), results(sources.size()) {
        const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), 4u));
        for (unsigned i = 0; i < cores; ++i) workers.emplace_back([this] { Work(); });
    }
    ~DecodeAhead() {
        {
            std::lock_guard<std::mutex> guard(lock);
            stop = true;
        }
        changed.notify_all();
        for (auto& worker : workers) worker.join();
    }
    void Work() {
        std::unique_lock<std::mutex> guard(lock);
        for (;;) {
            changed.wait(guard,
                         [&] { return stop || next >= sources.size() || next < consumed + Lookahead; });
            if (stop || next >= sources.size()) return;
            const size_t index = next++;
            guard.unlock();
            DecodedPicture picture = Decode(sources[index]);
            guard.lock();
            results[index] = std::move(picture);
            changed.notify_all();
        }
    }
    // The decoded picture of step `index`, waiting for it; the slot is released.
    DecodedPicture Take(size_t index) {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [&] { return results[index] != nullptr; });
        DecodedPicture picture = std::move(results[index]);
        consumed = index + 1;
        changed.notify_all();
        return picture;
    }
};

}  // namespace

bool CheckLoaded(bool created, const std::string& message) {
    if (!created) platform::MessageBox("Fehler", message);
    return created;
}

bool LoadPictures() {
    const std::vector<PictureStep>& steps = PictureLoadOrder();
    std::vector<Source> sources;
    for (const PictureStep& step : steps) {
        const int variant =
            step.number == 19 && std::string(step.kind) == "sprite" && Game.Language != 0 ? 1 : 0;
        sources.push_back(SourceOf(step.kind, step.number, variant));
    }
    DecodeAhead decoder(std::move(sources));
    for (size_t i = 0; i < steps.size(); ++i) {
        const PictureStep& step = steps[i];
        const DecodedPicture picture = decoder.Take(i);
        bool created = false;
        if (picture->ok) {
            created = std::string(step.kind) == "image"
                          ? platform::CreateImage(step.number, picture->width, picture->height,
                                                  picture->rgba.data())
                          : platform::CreateSprite(step.number, picture->width, picture->height,
                                                   picture->rgba.data());
        }
        if (!CheckLoaded(created, step.message)) return false;
    }
    return true;
}

bool CreateLoadingPicture() {
    const DecodedPicture picture = Decode(SourceOf("picture", 0, 0));
    return picture->ok && platform::CreateSprite(LoadingPictureSprite, picture->width, picture->height,
                                                 picture->rgba.data());
}

void ReplacePictureData(const std::string& kind, int number, int variant, const std::vector<uint8_t>& png) {
    std::lock_guard<std::mutex> guard(gLock);
    gReplacements[{kind, number, variant}] = png;
}

void ClearPictureReplacements() {
    std::lock_guard<std::mutex> guard(gLock);
    gReplacements.clear();
}

void KeepDecodedPictures(bool keep) {
    std::lock_guard<std::mutex> guard(gLock);
    gKeep = keep;
    if (!keep) gKept.clear();
}
