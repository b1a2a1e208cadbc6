// Test helper: encodes a tiny movie with the forge's own movie writer (the
// one that makes Intro.mpg), so that the movie tests play a real file
// without shipping one.
#pragma once

#include <string>

// Writes `frames` pictures of w x h (multiples of 16) at 25 per second to
// `path`: picture n is grey, 10 * n steps above black (so tests can tell
// pictures apart). With `withSound` a 440 Hz tone of the same length comes
// along. false on failure.
bool WriteTestMovie(const std::string& path, int w, int h, int frames, bool withSound);
