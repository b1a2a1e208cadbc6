// The save file "Nebulor.Dat" beside the settings: the player's points, fun
// points, the two totals and the date of the last daily prize, as a 250-byte
// record of five zero-padded 50-byte text fields, packed (persist/block_codec.h).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

constexpr size_t SaveRecordSize = 250;
constexpr size_t SaveFieldSize = 50;
// Offsets of the fields in the record.
constexpr size_t SavePointsAt = 0;
constexpr size_t SaveDailyDateAt = 50;
constexpr size_t SaveFunPointsAt = 100;
constexpr size_t SaveStakedAt = 150;
constexpr size_t SaveWonAt = 200;

using SaveRecord = std::array<uint8_t, SaveRecordSize>;

// What ReadSaveFile found.
struct SaveFileContents {
    SaveRecord record{};   // all zero bytes unless the file decoded
    bool decoded = false;  // false: unreadable, too short, wrong magic or a damaged stream
};

// Packs `record` and writes it as the whole file at `path` (atomically); false when it cannot.
bool WriteSaveFile(const SaveRecord& record, const std::string& path);

// Reads and unpacks the file at `path`; nothing when it cannot be opened or is empty.
std::optional<SaveFileContents> ReadSaveFile(const std::string& path);

// Writes `text` into the 50-byte field at `at`, zero-padded, cut at 50 bytes.
void PutSaveField(SaveRecord& record, size_t at, const std::string& text);
// The text of the field at `at`: up to its first zero byte, at most 50 bytes.
std::string SaveFieldText(const SaveRecord& record, size_t at);
// The field at `at` as a decimal integer; an empty or non-numeric field is 0.
int64_t SaveFieldNumber(const SaveRecord& record, size_t at);

// Full path of the save file: the settings folder plus SaveFileName.
std::string SaveFilePath();

// Start-up, called by LoadSettings: reads the save file into the player's
// values (a new player when it is missing or empty) and sets DailyAvailable.
void LoadSaveData();

// What the last LoadSaveData found: no save (a new player), a save it read,
// or one it could not decode.
enum class SaveState { Missing, Decoded, Damaged };
SaveState SaveLoadState();

// Shutdown, called by SaveSettings: writes the player's values to the save file.
void StoreSaveData();
