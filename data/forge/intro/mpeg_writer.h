// Writes the intro movie: MPEG-2 video and MPEG-1 Layer II sound in an MPEG
// program stream, the kind of file the game's movie player reads. The only
// part of the forge that uses FFmpeg; its headers stay inside the .cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forge::intro {

struct MovieFormat {
    int width = 1280, height = 768;  // multiples of 16
    int framesPerSecond = 25;
    int videoBitRate = 2'800'000;  // bits per second, on average
    int soundRate = 44100;         // the sound is stereo
    int soundBitRate = 160'000;
};

struct MpegEncoder;  // FFmpeg's state

class MpegWriter {
public:
    MpegWriter() = default;
    ~MpegWriter();
    MpegWriter(const MpegWriter&) = delete;
    MpegWriter& operator=(const MpegWriter&) = delete;

    // Starts the movie. `sound` is the whole sound track, interleaved
    // left/right 16-bit samples (empty: a movie without sound); it is laid
    // into the file beside the pictures as they come. The movie is written
    // to `path` + ".part" and only takes its name when it is finished, so a
    // failed or abandoned movie never stands where a whole one belongs.
    // False with `Problem()` set.
    bool Open(const std::string& path, const MovieFormat& format, std::vector<int16_t> sound);
    // Adds the next picture: opaque 32-bit pixels as Cairo keeps them
    // (0xAARRGGBB words), rows `stride` bytes apart.
    bool AddPicture(const uint8_t* pixels, int stride);
    // Writes what the encoders still hold, closes the file and gives it its name.
    bool Finish();

    const std::string& Problem() const { return problem_; }

private:
    bool Fail(const std::string& what);
    bool WriteSoundUpTo(int64_t sampleFrames);

    MpegEncoder* encoder_ = nullptr;
    std::string path_;
    MovieFormat format_;
    std::vector<int16_t> sound_;
    int64_t soundDone_ = 0;  // sample frames encoded so far
    int64_t pictures_ = 0;
    std::string problem_;
};

}  // namespace forge::intro
