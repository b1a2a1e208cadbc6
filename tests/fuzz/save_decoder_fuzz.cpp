// The save file's unpacker on any bytes: it must stay inside its buffers, and
// whatever it accepts must fill exactly the record. The same bytes, packed
// and unpacked again, must come back unchanged.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "persist/block_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read one byte past the end is caught.
    std::vector<uint8_t> file(data, data + size);
    std::vector<uint8_t> record(250, 0);
    UnpackBlocks(file.data(), file.size(), record.data(), record.size());

    const std::vector<uint8_t> packed = PackBlocks(data, size);
    std::vector<uint8_t> back(size + 1, 0x5A);
    if (size > 0) {
        if (!UnpackBlocks(packed.data(), packed.size(), back.data(), size)) abort();
        if (std::memcmp(back.data(), data, size) != 0) abort();
    }
    if (back[size] != 0x5A) abort();  // nothing written past the end
    return 0;
}
