#include "host/portable/game_opening.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "host/archive/archive_file_system.h"
#include "host/files/confined_folder.h"
#include "host/files/game_folder_file_system.h"
#include "host/files/screenshot_path.h"
#include "host/portable/save_folder_file_system.h"

namespace tavro {
namespace {

// FNV-1a, 64 bits: stable across runs and builds, unlike std::hash.
std::string pathHash(const std::string& path) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : path) {
        hash = (hash ^ byte) * 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::string gameName(const std::string& game) {
    std::filesystem::path path(game);
    while (!path.empty() && !path.has_filename() && path != path.root_path()) {
        path = path.parent_path();
    }
    std::string name = path.filename().string();
    if (name.size() > 4 && (name.ends_with(".zip") || name.ends_with(".ZIP"))) {
        name.resize(name.size() - 4);
    }
    return name.empty() ? "tavro" : name;
}

// True when the path names a file (an archive) rather than a folder.
bool isGameArchive(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string playerSaveFolder(const std::string& game, const char* xdgDataHome, const char* home) {
    const std::string data = tavroDataFolder(xdgDataHome, home);
    return data.empty() ? data : data + "/saves/" + gameName(game) + "-" + pathHash(game);
}

OpenedGame openGame(const GameOpening& opening) {
    OpenedGame opened;
    opened.archive = isGameArchive(opening.game);
    if (opened.archive) {
        opened.files = ArchiveFileSystem::open(opening.game, opened.error);
        if (!opened.files) {
            return opened;
        }
    } else {
        opened.files = std::make_unique<GameFolderFileSystem>(opening.game);
    }
    std::string saves = opening.saveFolder;
    if (saves.empty() && (opened.archive || !ConfinedFolder(opening.game).writable())) {
        std::error_code error;
        const std::filesystem::path canonical = std::filesystem::canonical(opening.game, error);
        saves = playerSaveFolder(error ? opening.game : canonical.string(), opening.xdgDataHome,
                                 opening.home);
        if (!opening.check) {
            const char* what =
                opened.archive ? "the game is an archive" : "the game folder cannot be written";
            opened.notice = saves.empty() ? std::string(what) +
                                                " and neither XDG_DATA_HOME nor HOME is set: "
                                                "its saves will fail"
                                          : std::string(what) + "; its saves go to " + saves;
        }
    }
    if (saves.empty()) {
        return opened;
    }
    std::error_code error;
    if (!opening.check && !std::filesystem::create_directories(saves, error) &&
        !std::filesystem::is_directory(saves) && !opening.saveFolder.empty()) {
        // Only the folder the player named is worth stopping for; the player's own save
        // folder failing shows as failed saves, logged as ever.
        opened.error = "the save folder '" + saves + "' cannot be made (" +
                       (error ? error.message() : "it is not a folder") + ")";
        opened.files.reset();
        return opened;
    }
    opened.files = std::make_unique<SaveFolderFileSystem>(saves, std::move(opened.files));
    return opened;
}

}  // namespace tavro
