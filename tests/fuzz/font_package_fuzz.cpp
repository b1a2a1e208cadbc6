// Fuzzes the font package reader: any bytes, read as a package (or, without
// the magic, as a descriptor), then measured and drawn with.
#include <cstddef>
#include <cstdint>

#include "assets/bitmap_font.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (LoadBitmapFont(5, data, size, FuzzFolder())) ExerciseFont();
    ResetAfterInput();
    return 0;
}
