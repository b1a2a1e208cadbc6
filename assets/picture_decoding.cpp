#include "assets/picture_decoding.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "assets/embedded.h"
#include "assets/png_decode.h"

namespace {

std::mutex gKeptLock;
std::map<const uint8_t*, DecodedPictureRef> gKept;

DecodedPictureRef DecodeNow(const PictureSource& source) {
    auto decoded = std::make_shared<DecodedPicture>();
    platform::PixelBuffer pixels;
    const bool read =
        source.data && DecodePng(source.data, source.size, platform::ScreenPixelOrder(), pixels);
    // The compressed picture is not needed again: its pages leave memory.
    if (source.embedded) platform::ReleaseReadOnlyPages(source.data, source.size);
    if (!read) return decoded;
    decoded->width = pixels.width;
    decoded->height = pixels.height;
    int drawnWidth = pixels.width, drawnHeight = pixels.height;
    if (source.drawnSize) source.drawnSize(drawnWidth, drawnHeight);
    if (drawnWidth != pixels.width || drawnHeight != pixels.height) {
        platform::PixelBuffer zoomed;
        if (!platform::ZoomPixels(pixels, drawnWidth, drawnHeight, zoomed)) return decoded;
        pixels = std::move(zoomed);
    }
    decoded->pixels = std::move(pixels);
    decoded->ok = true;
    return decoded;
}

// The helper threads and what they have decoded so far.
struct Decoding {
    std::vector<PictureSource> sources;
    std::vector<DecodedPictureRef> results;
    std::vector<bool> finished;
    size_t next = 0;
    bool stop = false;
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::thread> workers;

    explicit Decoding(std::vector<PictureSource> list)
        : sources(std::move(list)), results(sources.size()), finished(sources.size(), false) {
        const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), 4u));
        for (unsigned i = 0; i < cores; ++i) workers.emplace_back([this] { Work(); });
    }
    ~Decoding() {
        {
            std::lock_guard<std::mutex> guard(lock);
            stop = true;
        }
        changed.notify_all();
        for (std::thread& worker : workers) worker.join();
    }
    void Work() {
        std::unique_lock<std::mutex> guard(lock);
        while (!stop && next < sources.size()) {
            const size_t index = next++;
            guard.unlock();
            DecodedPictureRef picture = DecodePicture(sources[index]);
            guard.lock();
            results[index] = std::move(picture);
            finished[index] = true;
            changed.notify_all();
        }
    }
    DecodedPictureRef Take(size_t index) {
        std::unique_lock<std::mutex> guard(lock);
        if (index >= sources.size()) return std::make_shared<DecodedPicture>();
        changed.wait(guard, [&] { return finished[index]; });
        DecodedPictureRef picture = std::move(results[index]);
        return picture ? picture : std::make_shared<DecodedPicture>();  // taken before
    }
};

// Declared after the cache it uses, so that it ends (and joins) first.
std::unique_ptr<Decoding> gDecoding;

}  // namespace

DecodedPictureRef DecodePicture(const PictureSource& source) {
    if (source.embedded) {
        std::lock_guard<std::mutex> guard(gKeptLock);
        if (auto it = gKept.find(source.data); it != gKept.end()) return it->second;
    }
    DecodedPictureRef decoded = DecodeNow(source);
    if (source.embedded && decoded->ok) {
        std::lock_guard<std::mutex> guard(gKeptLock);
        if (DecodedAssetsKept()) gKept[source.data] = decoded;
    }
    return decoded;
}

void StartPictureDecoding(std::vector<PictureSource> sources) {
    gDecoding.reset();
    gDecoding = std::make_unique<Decoding>(std::move(sources));
}

bool DecodingPictures(const std::vector<PictureSource>& sources) {
    return gDecoding && gDecoding->sources == sources;
}

DecodedPictureRef TakeDecodedPicture(size_t index) {
    return gDecoding ? gDecoding->Take(index) : std::make_shared<DecodedPicture>();
}

void StopPictureDecoding() { gDecoding.reset(); }

void ForgetDecodedPictures() {
    std::lock_guard<std::mutex> guard(gKeptLock);
    gKept.clear();
}
