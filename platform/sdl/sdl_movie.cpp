// Movie playback. The FFmpeg player arrives with the loading sequence; until
// then no movie loads and the intro is skipped, as for a missing file.
#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {
void MovieAdvance() {}
void MovieShutdown() {}
}  // namespace platform::sdl

namespace platform {
bool InitMovie() { return true; }
bool LoadMovie(int, const std::string&) { return false; }
bool MovieExists(int) { return false; }
void ResizeMovie(int, int, int, int, int) {}
void PlayMovie(int, int) {}
void StopMovie(int) {}
void FreeMovie(int) {}
}  // namespace platform
