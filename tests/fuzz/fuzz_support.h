// Shared set-up of the font fuzz targets: a headless machine that is reset
// between inputs, and a folder holding the atlas file descriptors name.
#pragma once

#include <string>

// Folder (with a trailing "/") that holds "atlas.png"; made on first use.
const std::string& FuzzFolder();

// Frees the fuzzed font and forgets what the headless backend recorded.
void ResetAfterInput();

// Measures and draws a few texts with font 5, in every style switch that
// reaches different code (kerning, anchor, slant, arc, spacing).
void ExerciseFont();
