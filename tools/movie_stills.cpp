// Pictures of a movie as the game's own movie player decodes it, for
// looking at the intro the way a player sees it (compression included).
//
//   nebulor-movie-stills MOVIE.mpg FOLDER SECONDS...
//
// Writes FOLDER/movie-SS.ss.png for each time given (the picture on show at
// that moment); the exit code is 1 when the movie cannot be read.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/common/movie_decoder.h"
#include "tools/png_file.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: nebulor-movie-stills MOVIE.mpg FOLDER SECONDS...\n");
        return 2;
    }
    platform::MovieDecoder* movie = platform::OpenMovieDecoder(argv[1], 0, 0);
    if (!movie) {
        fprintf(stderr, "nebulor-movie-stills: %s is no movie the game can play\n", argv[1]);
        return 1;
    }
    const int w = platform::MovieDisplayWidth(movie), h = platform::MovieDisplayHeight(movie);
    std::vector<uint8_t> bgra(static_cast<size_t>(w) * h * 4), rgba(bgra.size());
    std::vector<int16_t> sound;
    int failures = 0;
    for (int i = 3; i < argc; ++i) {
        const double seconds = std::atof(argv[i]);
        platform::AdvanceMovieDecoder(movie, static_cast<int64_t>(seconds * 1000), sound);
        if (!platform::MovieDecoderPicture(movie, w, h, bgra.data(), w * 4)) {
            ++failures;
            continue;
        }
        for (size_t p = 0; p < bgra.size(); p += 4) {
            rgba[p] = bgra[p + 2];
            rgba[p + 1] = bgra[p + 1];
            rgba[p + 2] = bgra[p];
            rgba[p + 3] = 255;
        }
        char name[64];
        snprintf(name, sizeof name, "/movie-%05.2f.png", seconds);
        if (!WritePngFile((std::string(argv[2]) + name).c_str(), rgba, w, h)) ++failures;
    }
    platform::CloseMovieDecoder(movie);
    return failures ? 1 : 0;
}
