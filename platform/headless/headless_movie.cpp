// The headless backend: movies: real files read by the common decoder,
// played on the test clock.
#include "platform/common/movie_decoder.h"
#include "platform/headless/headless_machine.h"

using namespace headless_machine;

namespace platform {

using headless::Service;

bool LoadMovie(int id, const std::string& path) {
    // Only a file that decodes as a movie loads, as with the real player.
    MovieDecoder* decoder = OpenMovieDecoder(path, 0, 0);
    if (!decoder) return false;
    headless::MovieRecord record;
    record.loaded = true;
    record.path = path;
    record.width = MovieDisplayWidth(decoder);
    record.height = MovieDisplayHeight(decoder);
    CloseMovieDecoder(decoder);
    M.movies[id] = record;
    return true;
}
bool MovieExists(int id) { return M.movies.count(id) > 0; }
void ResizeMovie(int id, int x, int y, int w, int h) {
    auto it = M.movies.find(id);
    if (it == M.movies.end()) return;
    it->second.x = x;
    it->second.y = y;
    it->second.w = w;
    it->second.h = h;
}
void PlayMovie(int id, int window) {
    auto it = M.movies.find(id);
    if (it == M.movies.end() || !WindowExists(window)) return;
    it->second.playing = true;
    it->second.window = window;
}
void StopMovie(int id) {
    auto it = M.movies.find(id);
    if (it == M.movies.end()) return;
    it->second.playing = false;
    ++it->second.stops;
}
void FreeMovie(int id) { M.movies.erase(id); }

}  // namespace platform
