#include "persist/preferences.h"

#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const uint8_t* begin, const uint8_t* end) {
    while (begin < end && IsBlank(static_cast<char>(*begin))) ++begin;
    while (end > begin && IsBlank(static_cast<char>(end[-1]))) --end;
    return std::string(reinterpret_cast<const char*>(begin), static_cast<size_t>(end - begin));
}

const uint8_t* Find(const uint8_t* begin, const uint8_t* end, uint8_t wanted) {
    for (; begin < end; ++begin)
        if (*begin == wanted) return begin;
    return nullptr;
}

bool IsByteOrderMark(const uint8_t* at, const uint8_t* end) {
    return end - at >= 3 && at[0] == 0xEF && at[1] == 0xBB && at[2] == 0xBF;
}

void ParseLine(Preferences& preferences, const uint8_t* begin, const uint8_t* end) {
    // Blanks and byte-order marks (some editors write one) lead no key.
    for (;;) {
        if (begin < end && IsBlank(static_cast<char>(*begin)))
            ++begin;
        else if (IsByteOrderMark(begin, end))
            begin += 3;
        else
            break;
    }
    if (begin == end || *begin == ';' || *begin == '#') return;
    if (*begin == '[') {
        if (const uint8_t* close = Find(begin + 1, end, ']')) {
            preferences.groups.push_back(PreferenceGroup{Trimmed(begin + 1, close), {}});
            return;
        }
    }
    const uint8_t* equals = Find(begin, end, '=');
    if (!equals) return;
    PreferenceEntry entry{Trimmed(begin, equals), Trimmed(equals + 1, end)};
    auto& entries = preferences.groups.empty() ? preferences.loose : preferences.groups.back().entries;
    entries.push_back(std::move(entry));
}

void FormatEntries(std::string& out, const std::vector<PreferenceEntry>& entries) {
    for (const PreferenceEntry& entry : entries) out += entry.key + " = " + entry.value + "\r\n";
}

}  // namespace

Preferences ParsePreferences(const uint8_t* data, size_t size) {
    Preferences preferences;
    if (!data) return preferences;
    const uint8_t* at = data;
    const uint8_t* end = data + size;
    while (at < end) {
        const uint8_t* lineEnd = at;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n') ++lineEnd;
        ParseLine(preferences, at, lineEnd);
        at = lineEnd;
        if (at < end && *at == '\r') ++at;
        if (at < end && *at == '\n') ++at;
    }
    return preferences;
}

std::string FormatPreferences(const Preferences& preferences) {
    std::string out;
    FormatEntries(out, preferences.loose);
    for (const PreferenceGroup& group : preferences.groups) {
        out += "[" + group.name + "]\r\n";
        FormatEntries(out, group.entries);
    }
    return out;
}

const PreferenceGroup* FindPreferenceGroup(const Preferences& preferences, const std::string& name) {
    for (const PreferenceGroup& group : preferences.groups)
        if (group.name == name) return &group;
    return nullptr;
}

PreferenceGroup* FindPreferenceGroup(Preferences& preferences, const std::string& name) {
    for (PreferenceGroup& group : preferences.groups)
        if (group.name == name) return &group;
    return nullptr;
}

const std::string* FindPreference(const PreferenceGroup& group, const std::string& key) {
    for (const PreferenceEntry& entry : group.entries)
        if (entry.key == key) return &entry.value;
    return nullptr;
}

void SetPreference(PreferenceGroup& group, const std::string& key, const std::string& value) {
    for (PreferenceEntry& entry : group.entries) {
        if (entry.key == key) {
            entry.value = value;
            return;
        }
    }
    group.entries.push_back(PreferenceEntry{key, value});
}

int64_t DecimalValue(const std::string& text, int64_t fallback) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    if (at >= text.size() || text[at] < '0' || text[at] > '9') return fallback;
    // Accumulate towards the sign's limit so that both ends of the range are reachable.
    constexpr int64_t Lowest = std::numeric_limits<int64_t>::min();
    constexpr int64_t Highest = std::numeric_limits<int64_t>::max();
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const int digit = text[at] - '0';
        if (negative) {
            if (value < (Lowest + digit) / 10) return Lowest;
            value = value * 10 - digit;
        } else {
            if (value > (Highest - digit) / 10) return Highest;
            value = value * 10 + digit;
        }
    }
    return value;
}
