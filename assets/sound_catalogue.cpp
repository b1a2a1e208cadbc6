#include "assets/sound_catalogue.h"

#include <vorbis/vorbisfile.h>

#include <cstring>
#include <map>
#include <string>

#include "assets/embedded.h"
#include "platform/platform.h"

namespace {

// libvorbisfile reads through these callbacks from a block of memory.
struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t at;
};

size_t ReadMemory(void* target, size_t size, size_t count, void* source) {
    auto* reader = static_cast<MemoryReader*>(source);
    if (size == 0) return 0;
    const size_t wanted = size * count;
    const size_t left = reader->size - reader->at;
    const size_t taken = (wanted < left ? wanted : left) / size * size;
    memcpy(target, reader->data + reader->at, taken);
    reader->at += taken;
    return taken / size;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    auto* reader = static_cast<MemoryReader*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(reader->at);
    if (whence == SEEK_END) base = static_cast<ogg_int64_t>(reader->size);
    const ogg_int64_t position = base + offset;
    if (position < 0 || position > static_cast<ogg_int64_t>(reader->size)) return -1;
    reader->at = static_cast<size_t>(position);
    return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->at); }

const EmbeddedAsset* EmbeddedSound(int number) { return FindEmbedded("sound", number); }

// The sound layer keeps its own copy of every clip: a clip is decoded into
// `scratch` and dropped again, unless decoded assets are kept (tests start
// the game many times; each embedded clip is then decoded once). None when damaged.
const DecodedSound* Decode(const EmbeddedAsset* asset, size_t size, DecodedSound& scratch) {
    if (!DecodedAssetsKept() || !InsideEmbeddedData(asset->data, size))
        return DecodeOgg(asset->data, size, scratch) ? &scratch : nullptr;
    static std::map<const uint8_t*, DecodedSound> clips;
    auto it = clips.find(asset->data);
    if (it == clips.end()) {
        if (!DecodeOgg(asset->data, size, scratch)) return nullptr;
        it = clips.emplace(asset->data, std::move(scratch)).first;
    }
    return &it->second;
}

}  // namespace

bool DecodeOgg(const uint8_t* data, size_t size, DecodedSound& sound) {
    sound = DecodedSound{};
    if (!data || size == 0) return false;
    MemoryReader reader{data, size, 0};
    OggVorbis_File file;
    const ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
    if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0) return false;
    const vorbis_info* info = ov_info(&file, -1);
    if (!info || info->channels <= 0 || info->rate <= 0) {
        ov_clear(&file);
        return false;
    }
    sound.channels = info->channels;
    sound.rate = static_cast<int>(info->rate);
    const ogg_int64_t total = ov_pcm_total(&file, -1);
    // The stated length only sizes the buffer; a damaged header may claim hours.
    if (total > 0 && total < ogg_int64_t{60} * sound.rate)
        sound.pcm.reserve(static_cast<size_t>(total) * static_cast<size_t>(sound.channels));
    char buffer[16384];
    int section = 0;
    bool ok = true;
    for (;;) {
        const long got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section);
        if (got == 0) break;
        if (got < 0) {
            ok = false;  // a hole in the data: the clip is damaged
            break;
        }
        // All sections of a catalogue clip share one layout.
        const vorbis_info* part = ov_info(&file, section);
        if (!part || part->channels != sound.channels) {
            ok = false;
            break;
        }
        const size_t samples = static_cast<size_t>(got) / sizeof(int16_t);
        const size_t at = sound.pcm.size();
        sound.pcm.resize(at + samples);
        memcpy(sound.pcm.data() + at, buffer, samples * sizeof(int16_t));
    }
    ov_clear(&file);
    return ok && sound.Frames() > 0;
}

size_t StoredSoundLength(int number) {
    const EmbeddedAsset* sound = EmbeddedSound(number);
    if (!sound) return 0;
    if (!InsideEmbeddedData(sound->data, sound->size)) return sound->size;
    // The blobs lie back to back: the next one starts where this one ends.
    const uintptr_t start = reinterpret_cast<uintptr_t>(sound->data);
    uintptr_t next = 0;
    for (size_t i = 0; i < kEmbeddedAssetCount; ++i) {
        const uintptr_t other = reinterpret_cast<uintptr_t>(kEmbeddedAssets[i].data);
        if (other > start && (next == 0 || other < next)) next = other;
    }
    // Never past the blob itself, should padding ever sit between blobs.
    if (next == 0 || next - start > sound->size) return sound->size;
    return next - start;
}

bool LoadSounds() {
    for (const SoundEntry& entry : kSoundCatalogue) {
        const EmbeddedAsset* asset = EmbeddedSound(entry.number);
        bool created = false;
        if (asset) {
            DecodedSound scratch;
            const DecodedSound* sound = Decode(asset, StoredSoundLength(entry.number), scratch);
            if (sound)
                created = platform::CreateSound(entry.number, sound->pcm.data(), sound->Frames(),
                                                sound->channels, sound->rate);
        }
        if (!created) {
            platform::MessageBox("Fehler", std::string("Fehler beim laden von Sound ") + entry.label + "!");
            return false;
        }
    }
    return true;
}
