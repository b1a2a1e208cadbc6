// The numbered sounds of the game: their labels, lengths and load order, and
// loading them from the embedded Ogg Vorbis data into the sound layer.
// The asset forge reads the same table to make the clips.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One catalogue sound: its number, the label its load error names, its length.
struct SoundEntry {
    int number;
    const char* label;
    double seconds;
};

// Every sound, in the order LoadSounds creates them.
inline constexpr SoundEntry kSoundCatalogue[] = {
    {0, "1", 8.63},   {1, "1", 3.54},   {2, "2", 3.54},   {3, "3", 12.87},  {4, "4", 0.69},
    {5, "5", 0.69},   {19, "10", 0.59}, {20, "11", 1.45}, {21, "12", 0.59}, {8, "13", 0.48},
    {9, "14", 0.48},  {10, "15", 0.48}, {11, "16", 0.48}, {7, "17", 0.20},  {6, "18", 13.75},
    {23, "19", 1.66}, {24, "20", 1.66}, {25, "21", 1.66}, {26, "22", 1.66}, {27, "23", 1.66},
    {28, "24", 1.66}, {29, "25", 1.66}, {30, "26", 1.66}, {31, "27", 1.66}, {32, "28", 1.66},
    {33, "29", 4.85},
};
inline constexpr size_t kSoundCount = sizeof(kSoundCatalogue) / sizeof(kSoundCatalogue[0]);

// Sample rate and channel count of every clip.
inline constexpr int kSoundRate = 44100;
inline constexpr int kSoundChannels = 2;

// Decoded clip: interleaved signed 16-bit samples.
struct DecodedSound {
    std::vector<int16_t> pcm;
    int channels = 0;
    int rate = 0;
    size_t Frames() const { return channels > 0 ? pcm.size() / static_cast<size_t>(channels) : 0; }
};

// Decodes a whole Ogg Vorbis file held in memory; false when it is not one.
// Used by LoadSounds and by tests that measure the clips.
bool DecodeOgg(const uint8_t* data, size_t size, DecodedSound& sound);

// Bytes of an embedded sound: from its start to the start of the next stored
// blob (its own size when nothing follows it).
size_t StoredSoundLength(int number);

// Creates every catalogue sound in order. A sound that cannot be created shows
// "Fehler" / "Fehler beim laden von Sound <label>!" and returns false; start-up
// then ends without saving. Called at start-up while the loading screen shows.
bool LoadSounds();
