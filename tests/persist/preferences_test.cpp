#include "persist/preferences.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace {

Preferences Parse(const std::string& text) {
    return ParsePreferences(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

std::string Value(const Preferences& preferences, const std::string& group, const std::string& key) {
    const PreferenceGroup* found = FindPreferenceGroup(preferences, group);
    const std::string* value = found ? FindPreference(*found, key) : nullptr;
    return value ? *value : "<none>";
}

}  // namespace

TEST(PreferencesTest, ReadsGroupsKeysAndValuesInEveryLineStyle) {
    const Preferences preferences = Parse(
        "\xEF\xBB\xBF"
        "top = 1\r\n"
        "[Other]\n"
        "SoundMusik = 5\r"
        "[ Options ]\r\n"
        "SoundMusik = 70\r\n"
        "SoundSFX=20\n"
        "\tIntro\t=\t0 \t\r\n"
        "; a comment = no\r\n"
        "no equals sign here\r\n"
        "Path = a=b\r\n"
        "SoundMusik = 99\r\n"
        "Empty =");
    EXPECT_EQ(Value(preferences, "Options", "SoundMusik"), "70");  // the first line of a key wins
    EXPECT_EQ(Value(preferences, "Options", "SoundSFX"), "20");
    EXPECT_EQ(Value(preferences, "Options", "Intro"), "0");
    EXPECT_EQ(Value(preferences, "Options", "Path"), "a=b");
    EXPECT_EQ(Value(preferences, "Options", "Empty"), "");
    EXPECT_EQ(Value(preferences, "Options", "; a comment"), "<none>");
    EXPECT_EQ(Value(preferences, "Other", "SoundMusik"), "5");
    ASSERT_EQ(preferences.loose.size(), 1u);
    EXPECT_EQ(preferences.loose[0].key, "top");
}

TEST(PreferencesTest, WritesCrLfLinesThatReadBackTheSame) {
    Preferences preferences;
    preferences.groups.push_back(PreferenceGroup{"Options", {}});
    SetPreference(preferences.groups[0], "SoundMusik", "50");
    SetPreference(preferences.groups[0], "Lang", "1");
    SetPreference(preferences.groups[0], "SoundMusik", "40");  // replaces, keeps its place
    const std::string text = FormatPreferences(preferences);
    EXPECT_EQ(text, "[Options]\r\nSoundMusik = 40\r\nLang = 1\r\n");
    EXPECT_EQ(FormatPreferences(Parse(text)), text);
}

TEST(PreferencesTest, DecimalValuesTakeTheLeadingNumber) {
    EXPECT_EQ(DecimalValue("42", 7), 42);
    EXPECT_EQ(DecimalValue("  -13xyz", 7), -13);
    EXPECT_EQ(DecimalValue("+5", 7), 5);
    EXPECT_EQ(DecimalValue("abc", 7), 7);
    EXPECT_EQ(DecimalValue("", 7), 7);
    EXPECT_EQ(DecimalValue("-", 7), 7);
    EXPECT_EQ(DecimalValue("9223372036854775807", 0), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(DecimalValue("9223372036854775808", 0), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(DecimalValue("-9223372036854775808", 0), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(DecimalValue("-99999999999999999999", 0), std::numeric_limits<int64_t>::min());
}

TEST(PreferencesTest, AnyBytesParseAndSettleAfterOneRewrite) {
    std::mt19937 random(3);
    const char alphabet[] = "[]= \t\r\n;#ab\x00\xff\xef\xbb\xbf";
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> bytes(random() % 64);
        for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(alphabet[random() % (sizeof alphabet - 1)]);
        const Preferences first = ParsePreferences(bytes.data(), bytes.size());
        const std::string once = FormatPreferences(first);
        const std::string twice = FormatPreferences(Parse(once));
        EXPECT_EQ(once, twice);
    }
}
