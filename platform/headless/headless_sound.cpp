// The headless backend: sounds and channels, recorded and timed on the test
// clock.
#include "platform/headless/headless_machine.h"

using namespace headless_machine;

namespace platform {

using headless::Service;

bool CreateSound(int id, const int16_t* pcm, size_t frames, int channels, int rate) {
    if (!M.soundCreation || !pcm || frames == 0 || channels <= 0 || rate <= 0) return false;
    M.sounds[id] = Sound{static_cast<int64_t>(frames * 1000 / static_cast<size_t>(rate))};
    return true;
}

bool SoundExists(int id) { return M.sounds.count(id) > 0; }

int PlaySound(int id, int flags, int volume) {
    if (!SoundExists(id)) return 0;
    // Like a mixer's channels, finished ones are given up (the oldest first) so
    // that a long session does not pile them up.
    for (auto it = M.channels.begin(); M.channels.size() > 256 && it != M.channels.end();) {
        const Channel& c = it->second;
        const bool finished = c.stopped || (!c.loop && M.clock - c.start >= M.sounds[c.sound].lengthMs);
        it = finished ? M.channels.erase(it) : std::next(it);
    }
    const int channel = M.nextChannel++;
    M.channels[channel] = Channel{id, M.clock, (flags & SoundLoop) != 0, false};
    M.soundLog.push_back({id, channel, flags, volume, M.clock, false});
    return channel;
}

void StopSound(int id, int channel) {
    auto it = M.channels.find(channel);
    if (it != M.channels.end() && it->second.sound == id) it->second.stopped = true;
    M.soundLog.push_back({id, channel, 0, 0, M.clock, true});
}

int GetSoundStatus(int id, int channel) {
    auto it = M.channels.find(channel);
    if (!SoundExists(id) || it == M.channels.end() || it->second.sound != id) return SoundNoStatus;
    const Channel& c = it->second;
    if (c.stopped) return SoundStopped;
    if (!c.loop && M.clock - c.start >= M.sounds[id].lengthMs) return SoundStopped;
    return SoundPlaying;
}

}  // namespace platform
