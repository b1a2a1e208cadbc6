// A small group-and-key preferences format: "[Group]" header lines followed by
// "key = value" lines, written with CR LF. The reader takes any bytes (the file
// is the player's to edit): lines may end in CR LF, LF or CR, blanks and tabs
// around keys and values are ignored, "key=value" without blanks is accepted,
// lines starting with ";" or "#" and lines without "=" are skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One "key = value" line.
struct PreferenceEntry {
    std::string key;
    std::string value;
};

// One "[name]" group with its lines, in file order.
struct PreferenceGroup {
    std::string name;
    std::vector<PreferenceEntry> entries;
};

// A whole preferences file: lines before the first header, then the groups.
struct Preferences {
    std::vector<PreferenceEntry> loose;
    std::vector<PreferenceGroup> groups;
};

// Parses `size` bytes; never reads outside them.
Preferences ParsePreferences(const uint8_t* data, size_t size);

// The file text of `preferences`, lines ending in CR LF.
std::string FormatPreferences(const Preferences& preferences);

// The first group called `name`, or nullptr.
const PreferenceGroup* FindPreferenceGroup(const Preferences& preferences, const std::string& name);
PreferenceGroup* FindPreferenceGroup(Preferences& preferences, const std::string& name);

// The value of the first `key` in `group`, or nullptr.
const std::string* FindPreference(const PreferenceGroup& group, const std::string& key);

// Sets `key` in `group` (the first line with that key, or a new line at the end).
void SetPreference(PreferenceGroup& group, const std::string& key, const std::string& value);

// The decimal integer at the start of `text` (after blanks, with an optional
// sign, clamped to the 64-bit range); `fallback` when there is no digit.
int64_t DecimalValue(const std::string& text, int64_t fallback);
