// Fuzzes the XML font descriptor reader (Expat), then measures and draws.
#include <cstddef>
#include <cstdint>

#include "assets/bitmap_font.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BitmapFont* font = NewFont(5, nullptr);
    if (ReadFontDescriptor(font, data, size, FuzzFolder())) ExerciseFont();
    ResetAfterInput();
    return 0;
}
