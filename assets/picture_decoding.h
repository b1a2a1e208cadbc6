// Decoding pictures on helper threads, one per core, from early in start-up:
// while the loading window and the intro jingle show, every picture of the
// catalogue is decoded, in catalogue order, straight into the form the
// screen keeps it in (its byte order, and the size it is drawn at for the
// pictures that are only ever drawn zoomed). The program thread then only
// takes the results in order and creates the sprites.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/platform.h"

// Where the bytes of one picture come from, and the size it is kept at.
struct PictureSource {
    const uint8_t* data = nullptr;
    size_t size = 0;
    bool embedded = false;  // only embedded blobs may be kept decoded (tests)
    // Turns the picture's own size into the size it is drawn at; none: its own.
    std::function<void(int& width, int& height)> drawnSize;

    bool operator==(const PictureSource& other) const {
        return data == other.data && size == other.size && embedded == other.embedded &&
               static_cast<bool>(drawnSize) == static_cast<bool>(other.drawnSize);
    }
};

struct DecodedPicture {
    bool ok = false;
    int width = 0, height = 0;     // the picture's own size
    platform::PixelBuffer pixels;  // at the size it is drawn at, in the screen's byte order
};
using DecodedPictureRef = std::shared_ptr<const DecodedPicture>;

// Decodes one picture on the calling thread.
DecodedPictureRef DecodePicture(const PictureSource& source);

// Starts decoding `sources` in order on helper threads; a decoding still
// running is stopped first.
void StartPictureDecoding(std::vector<PictureSource> sources);
// True when the decoding started last is of exactly these sources.
bool DecodingPictures(const std::vector<PictureSource>& sources);
// The decoded picture `index` of the running decoding, waiting for it. Each
// result is handed out once (the decoding lets go of it).
DecodedPictureRef TakeDecodedPicture(size_t index);
// Stops the helper threads (after the picture each is on) and drops what was
// not taken.
void StopPictureDecoding();

// Drops the pictures kept decoded (KeepDecodedAssets, embedded.h).
void ForgetDecodedPictures();
