// The settings reader on any bytes: it must stay inside them, find what it
// finds without trouble, and its own output must read back to the same text.
#include <cstdlib>
#include <string>
#include <vector>

#include "persist/preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    const Preferences preferences = ParsePreferences(bytes.data(), bytes.size());
    if (const PreferenceGroup* options = FindPreferenceGroup(preferences, "Options")) {
        for (const char* key : {"SoundMusik", "SoundSFX", "Intro", "Funmodus", "Lang", "Grafik"})
            if (const std::string* value = FindPreference(*options, key)) DecimalValue(*value, 0);
    }
    const std::string once = FormatPreferences(preferences);
    const std::string twice =
        FormatPreferences(ParsePreferences(reinterpret_cast<const uint8_t*>(once.data()), once.size()));
    if (once != twice) abort();
    return 0;
}
