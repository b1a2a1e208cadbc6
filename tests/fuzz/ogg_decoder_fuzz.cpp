// The sound decoder (libvorbisfile over our memory reader) on any bytes: it
// must stay inside them, end, and whatever it accepts must be a clip the
// sound layer can take (a layout it knows, whole frames, some sound), and the
// same bytes must decode to the same samples again.
#include <cstdlib>
#include <vector>

#include "assets/embedded.h"
#include "assets/sound_catalogue.h"

// The fuzz target carries no game data.
const EmbeddedAsset kEmbeddedAssets[] = {{"", -1, 0, "", nullptr, 0}};
const size_t kEmbeddedAssetCount = 0;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read one byte past the end is caught.
    const std::vector<uint8_t> bytes(data, data + size);
    DecodedSound sound;
    const bool accepted = DecodeOgg(bytes.data(), bytes.size(), sound);
    if (accepted) {
        if (sound.channels < 1 || sound.channels > 255 || sound.rate <= 0) abort();
        if (sound.pcm.size() % static_cast<size_t>(sound.channels) != 0 || sound.Frames() == 0) abort();
    }
    DecodedSound again;
    again.pcm.assign(3, 1);  // whatever the clip held before is not kept
    if (DecodeOgg(bytes.data(), bytes.size(), again) != accepted) abort();
    if (accepted && (again.pcm != sound.pcm || again.rate != sound.rate)) abort();
    return 0;
}
