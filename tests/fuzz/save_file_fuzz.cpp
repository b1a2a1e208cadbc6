// The save-file layer above the block codec on any file: reading it, keeping
// a damaged one beside it, taking the player's values from it and writing
// them back. Whatever it reads must come back unchanged after a write; a save
// it cannot decode must be kept byte for byte and leave the player at zero; a
// missing or empty one starts a new player whose save decodes.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "persist/save_file.h"
#include "platform/platform.h"

namespace {

// Thousands of files a second: in memory where the system has a place for it.
std::string FastFolder() { return std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp"; }

const std::string& SavePath() {
    static const std::string path = [] {
        static const std::string home = FastFolder() + "/nebulor-fuzz-save-" + std::to_string(getpid());
        std::filesystem::create_directories(home);
        setenv("APPDATA", home.c_str(), 1);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(home, ignored);
        });
        platform::SetDurableWrites(false);  // the disk is not what is tested here
        InitGameState(0, 0);
        return SaveFilePath();
    }();
    return path;
}

void ClearFolder(const std::string& file) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(file).parent_path()))
        std::filesystem::remove_all(entry.path(), ignored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = SavePath();
    ClearFolder(path);
    const std::vector<uint8_t> file(data, data + size);
    if (!platform::WriteWholeFile(path, file.data(), file.size())) abort();

    const std::optional<SaveFileContents> contents = ReadSaveFile(path);
    if (!contents != (size == 0)) abort();  // only an empty file reads as nothing
    if (contents && contents->decoded) {
        // What decoded, packed again and read back, is the same record.
        if (!WriteSaveFile(contents->record, path)) abort();
        const std::optional<SaveFileContents> again = ReadSaveFile(path);
        if (!again || !again->decoded || again->record != contents->record) abort();
        if (!platform::WriteWholeFile(path, file.data(), file.size())) abort();
    } else if (contents) {
        for (const uint8_t byte : contents->record)
            if (byte != 0) abort();  // nothing of a damaged file is trusted
    }

    Game.Points = Game.FunPoints = Game.TotalWon = Game.TotalStaked = -7;
    LoadSaveData();
    const SaveState state = SaveLoadState();
    if (!contents) {
        if (state != SaveState::Missing || Game.Points != 1000 || Game.FunPoints != 5000) abort();
    } else if (contents->decoded) {
        if (state != SaveState::Decoded || Game.Points != SaveFieldNumber(contents->record, SavePointsAt) ||
            Game.FunPoints != SaveFieldNumber(contents->record, SaveFunPointsAt) ||
            Game.TotalWon != SaveFieldNumber(contents->record, SaveWonAt))
            abort();
    } else {
        if (state != SaveState::Damaged || Game.Points != 0 || Game.FunPoints != 0 || Game.TotalStaked != 0)
            abort();
        std::vector<uint8_t> kept;
        if (!platform::ReadWholeFile(path + ".damaged", kept) || kept != file) abort();
    }

    // The values as the game writes them at its end read back as they were.
    Game.Points = Game.Points / 2 + 1;
    StoreSaveData();
    const std::optional<SaveFileContents> stored = ReadSaveFile(path);
    if (!stored || !stored->decoded || SaveFieldNumber(stored->record, SavePointsAt) != Game.Points ||
        SaveFieldNumber(stored->record, SaveFunPointsAt) != Game.FunPoints)
        abort();
    return 0;
}
