// Movie decoding with FFmpeg, shared by both backends: the SDL backend plays
// the pictures and the sound, the headless backend only checks that a file is
// a movie it could play. FFmpeg's headers stay inside the .cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct MovieDecoder;

// Opens a movie file and decodes its first picture; nullptr when the file is
// missing or holds no picture that decodes. With audioRate > 0 its sound is
// converted to interleaved signed 16-bit samples at that rate and channel count.
MovieDecoder* OpenMovieDecoder(const std::string& path, int audioRate, int audioChannels);
void CloseMovieDecoder(MovieDecoder* decoder);

// Size of the pictures, already corrected for non-square pixels.
int MovieDisplayWidth(const MovieDecoder* decoder);
int MovieDisplayHeight(const MovieDecoder* decoder);

// Decodes up to the picture due `ms` after the start of the movie; sound met
// on the way is appended to `sound`. True when the current picture changed.
bool AdvanceMovieDecoder(MovieDecoder* decoder, int64_t ms, std::vector<int16_t>& sound);

// True once the last picture has been reached.
bool MovieDecoderFinished(const MovieDecoder* decoder);

// Scales the current picture to w x h and writes it as 32-bit B, G, R, A bytes
// into `pixels`, rows `pitch` bytes apart.
bool MovieDecoderPicture(MovieDecoder* decoder, int w, int h, uint8_t* pixels, int pitch);

}  // namespace platform
