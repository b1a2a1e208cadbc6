#include "persist/save_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/game_state.h"
#include "persist/block_codec.h"
#include "persist/preferences.h"
#include "persist/user_folder.h"
#include "platform/platform.h"

namespace {

// The record read at start-up, written back at shutdown.
SaveRecord gRecord{};

// What the last start found.
SaveState gSaveState = SaveState::Missing;

std::string Today() { return platform::FormatDate("%yyyy/%mm/%dd", platform::CurrentDate()); }

void TakeValuesFrom(const SaveRecord& record) {
    Game.Points = SaveFieldNumber(record, SavePointsAt);
    Game.LastDailyDate = SaveFieldText(record, SaveDailyDateAt);
    Game.TotalWon = SaveFieldNumber(record, SaveWonAt);
    Game.TotalStaked = SaveFieldNumber(record, SaveStakedAt);
    Game.FunPoints = SaveFieldNumber(record, SaveFunPointsAt);
}

// A save that exists but cannot be decoded leaves the player with zero values
// (or the history's), and the next write replaces it. Whatever the player had
// stays beside it as "<save>.damaged", then ".damaged.2", ".damaged.3" and on
// without end: no damaged save is ever overwritten or dropped.
void KeepDamagedSave(const std::string& path) {
    std::vector<uint8_t> bytes;
    const bool readable = platform::ReadWholeFile(path, bytes);
    for (int copy = 1;; ++copy) {
        const std::string name = path + ".damaged" + (copy == 1 ? std::string() : "." + std::to_string(copy));
        if (platform::FileSize(name) != -1) {
            std::vector<uint8_t> existing;
            if (readable && platform::ReadWholeFile(name, existing) && existing == bytes)
                return;  // kept already
            continue;
        }
        if (readable)
            platform::WriteWholeFile(name, bytes.data(), bytes.size());
        else
            platform::RenameFile(path, name);
        return;
    }
}

}  // namespace

bool WriteSaveFile(const SaveRecord& record, const std::string& path) {
    const std::vector<uint8_t> packed = PackBlocks(record.data(), record.size());
    return platform::WriteWholeFile(path, packed.data(), packed.size());
}

std::optional<SaveFileContents> ReadSaveFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes) || bytes.empty()) return std::nullopt;
    SaveFileContents contents;
    // A header that claims less than the whole record is damage too: the rest
    // of the record would silently read as zero.
    const bool wholeRecord =
        bytes.size() >= 16 && bytes[8] == SaveRecordSize &&
        std::all_of(bytes.begin() + 9, bytes.begin() + 16, [](uint8_t b) { return b == 0; });
    contents.decoded = wholeRecord && UnpackBlocks(bytes.data(), bytes.size(), contents.record.data(),
                                                   contents.record.size());
    if (!contents.decoded) contents.record.fill(0);
    return contents;
}

void PutSaveField(SaveRecord& record, size_t at, const std::string& text) {
    uint8_t* field = record.data() + at;
    std::memset(field, 0, SaveFieldSize);
    std::memcpy(field, text.data(), std::min(text.size(), SaveFieldSize));
}

std::string SaveFieldText(const SaveRecord& record, size_t at) {
    const char* field = reinterpret_cast<const char*>(record.data() + at);
    return std::string(field, strnlen(field, SaveFieldSize));
}

int64_t SaveFieldNumber(const SaveRecord& record, size_t at) {
    return DecimalValue(SaveFieldText(record, at), 0);
}

std::string SaveFilePath() { return SettingsFolder() + Game.SaveFileName; }

void LoadSaveData() {
    const std::string path = SaveFilePath();
    gSaveState = SaveState::Missing;
    const int64_t size = platform::FileSize(path);
    if (size == 0 || size == -1) {
        // A new player: the starting balance, written at once.
        Game.Points = 1000;
        Game.LastDailyDate = "0";
        Game.FunPoints = 5000;
        gRecord.fill(0);
        PutSaveField(gRecord, SavePointsAt, "1000");
        PutSaveField(gRecord, SaveDailyDateAt, "0");
        PutSaveField(gRecord, SaveFunPointsAt, "5000");
        WriteSaveFile(gRecord, path);
    } else {
        const std::optional<SaveFileContents> contents = ReadSaveFile(path);
        gRecord = contents ? contents->record : SaveRecord{};
        if (size != 0 && !(contents && contents->decoded)) {
            KeepDamagedSave(path);
            gSaveState = SaveState::Damaged;
        }
        if (gSaveState != SaveState::Damaged) gSaveState = SaveState::Decoded;
        TakeValuesFrom(gRecord);
    }
    Game.DailyAvailable = Game.LastDailyDate == Today() ? 0 : 1;
}

SaveState SaveLoadState() { return gSaveState; }

void StoreSaveData() {
    PutSaveField(gRecord, SaveStakedAt, std::to_string(Game.TotalStaked));
    PutSaveField(gRecord, SaveWonAt, std::to_string(Game.TotalWon));
    PutSaveField(gRecord, SavePointsAt, std::to_string(Game.Points));
    PutSaveField(gRecord, SaveDailyDateAt, Game.LastDailyDate);
    PutSaveField(gRecord, SaveFunPointsAt, std::to_string(Game.FunPoints));
    WriteSaveFile(gRecord, SaveFilePath());
}
