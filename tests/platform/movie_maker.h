// Test helper: encodes a tiny MPEG-1 program stream with FFmpeg, so that the
// movie tests play a real file without shipping one.
#pragma once

#include <string>

// Writes `frames` pictures of w x h at 25 per second to `path`: picture n is
// filled with the grey level 10 * n (so tests can tell pictures apart). With
// `withSound` an MP2 tone of the same length comes along. false on failure.
bool WriteTestMovie(const std::string& path, int w, int h, int frames, bool withSound);
