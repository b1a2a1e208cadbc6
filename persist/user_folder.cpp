#include "persist/user_folder.h"

#include "core/game_state.h"
#include "platform/platform.h"

namespace {

const char* const ProductFolder = "Nebulor v2.5";

// Creates the folder `path` (ending in "/") and any missing folder above it.
void CreateFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash + 1);
        if (!platform::FolderExists(level)) platform::CreateFolder(level);
    }
}

}  // namespace

std::string SettingsFolder() {
    std::string base = platform::UserDataFolder();
    // The per-user base (~/.local/share on a fresh account) may not exist yet.
    if (!platform::FolderExists(base)) CreateFolders(base);
    if (!Game.MakerName.empty()) {
        base += Game.MakerName + "/";
        if (!platform::FolderExists(base)) platform::CreateFolder(base);
    }
    base += std::string(ProductFolder) + "/";
    if (!platform::FolderExists(base)) platform::CreateFolder(base);
    return platform::FolderExists(base) ? base : std::string();
}
