// Sound channels on SDL_mixer, fed PCM that the game decodes itself.
// Without a usable audio device the layer runs silent: sounds are kept, plays
// return channels whose status follows the clock, and nothing is heard.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <map>
#include <vector>

#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {
namespace {

constexpr int MixChannels = 64;

struct Sound {
    Mix_Chunk* chunk = nullptr;
    std::vector<Uint8> samples;  // in the device's format
    int64_t lengthMs = 0;
};

// A channel of the silent layer: playing until its sound's length has passed.
struct SilentChannel {
    int sound = 0;
    int64_t start = 0;
    bool loop = false;
    bool stopped = false;
};

bool gAudio = false;  // a device is open
int gRate = 44100, gChannels = 2;
Uint16 gFormat = AUDIO_S16SYS;
std::map<int, Sound> gSounds;
std::map<int, SilentChannel> gSilent;
int gNextSilent = 1;

}  // namespace

void SoundShutdown() {
    if (gAudio) {
        Mix_HaltChannel(-1);
        for (auto& [id, sound] : gSounds)
            if (sound.chunk) Mix_FreeChunk(sound.chunk);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    gSounds.clear();
    gAudio = false;
}

}  // namespace platform::sdl

namespace platform {

using namespace sdl;

bool InitSound() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0) {
        gAudio = true;
        Mix_AllocateChannels(MixChannels);
        int frequency = 0, channels = 0;
        Uint16 format = 0;
        if (Mix_QuerySpec(&frequency, &format, &channels)) {
            gRate = frequency;
            gFormat = format;
            gChannels = channels;
        }
    }
    return true;  // silent rather than refusing to start
}

bool CreateSound(int id, const int16_t* pcm, size_t frames, int channels, int rate) {
    if (!pcm || frames == 0 || channels <= 0 || rate <= 0) return false;
    Sound sound;
    sound.lengthMs = static_cast<int64_t>(frames) * 1000 / rate;
    if (gAudio) {
        SDL_AudioCVT convert;
        if (SDL_BuildAudioCVT(&convert, AUDIO_S16SYS, static_cast<Uint8>(channels), rate, gFormat,
                              static_cast<Uint8>(gChannels), gRate) < 0)
            return false;
        const size_t bytes = frames * static_cast<size_t>(channels) * sizeof(int16_t);
        sound.samples.resize(bytes * static_cast<size_t>(std::max(1, convert.len_mult)));
        memcpy(sound.samples.data(), pcm, bytes);
        convert.buf = sound.samples.data();
        convert.len = static_cast<int>(bytes);
        if (convert.needed && SDL_ConvertAudio(&convert) != 0) return false;
        sound.samples.resize(static_cast<size_t>(convert.needed ? convert.len_cvt : convert.len));
        sound.chunk = Mix_QuickLoad_RAW(sound.samples.data(), static_cast<Uint32>(sound.samples.size()));
        if (!sound.chunk) return false;
    }
    if (auto it = gSounds.find(id); it != gSounds.end() && it->second.chunk) {
        Mix_HaltChannel(-1);
        Mix_FreeChunk(it->second.chunk);
    }
    gSounds[id] = std::move(sound);
    // The chunk points into the stored samples, which moved with the record.
    if (gAudio) gSounds[id].chunk->abuf = gSounds[id].samples.data();
    return true;
}

bool SoundExists(int id) { return gSounds.count(id) > 0; }

int PlaySound(int id, int flags, int volume) {
    auto it = gSounds.find(id);
    if (it == gSounds.end()) return 0;
    const int loops = (flags & SoundLoop) ? -1 : 0;
    volume = std::clamp(volume, 0, 100);
    if (!gAudio) {
        const int channel = gNextSilent++;
        gSilent[channel] = SilentChannel{id, ElapsedMilliseconds(), loops != 0, false};
        return channel;
    }
    const int channel = Mix_PlayChannel(-1, it->second.chunk, loops);
    if (channel < 0) return 0;
    Mix_Volume(channel, volume * MIX_MAX_VOLUME / 100);
    return channel + 1;  // channel 0 means "none" to the game
}

void StopSound(int id, int channel) {
    auto it = gSounds.find(id);
    if (it == gSounds.end()) return;
    if (!gAudio) {
        auto silent = gSilent.find(channel);
        if (silent != gSilent.end() && silent->second.sound == id) silent->second.stopped = true;
        return;
    }
    const int index = channel - 1;
    if (index >= 0 && index < MixChannels && Mix_GetChunk(index) == it->second.chunk && Mix_Playing(index))
        Mix_HaltChannel(index);
}

int GetSoundStatus(int id, int channel) {
    auto it = gSounds.find(id);
    if (it == gSounds.end()) return SoundNoStatus;
    if (!gAudio) {
        auto silent = gSilent.find(channel);
        if (silent == gSilent.end() || silent->second.sound != id) return SoundNoStatus;
        const SilentChannel& c = silent->second;
        if (c.stopped || (!c.loop && ElapsedMilliseconds() - c.start >= it->second.lengthMs))
            return SoundStopped;
        return SoundPlaying;
    }
    const int index = channel - 1;
    if (index < 0 || index >= MixChannels) return SoundNoStatus;
    if (Mix_GetChunk(index) != it->second.chunk || !Mix_Playing(index)) return SoundStopped;
    return Mix_Paused(index) ? SoundPaused : SoundPlaying;
}

}  // namespace platform
