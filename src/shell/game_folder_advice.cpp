#include "shell/game_folder_advice.h"

#include <algorithm>
#include <vector>

#include "text/shift_jis.h"

namespace tavro {

namespace {

constexpr const char* kBoot = "boot";

bool hasFile(FileSystem& files, const std::string& path) {
    std::string bytes;
    return files.readFile(path, bytes);
}

bool listsBoot(FileSystem& files) {
    const std::vector<DirectoryEntry> entries = files.listDirectory("");
    return std::any_of(entries.begin(), entries.end(), [](const DirectoryEntry& entry) {
        return !entry.isDirectory && entry.name == kBoot;
    });
}

// Folders below the game folder searched for a task file; a walk through linked folders ends.
constexpr int32_t kTaskSearchDepth = 8;

bool holdsTaskFile(FileSystem& files, const std::string& directory, int32_t depth) {
    for (const DirectoryEntry& entry : files.listDirectory(directory)) {
        const std::string path = directory.empty() ? entry.name : directory + "/" + entry.name;
        if (entry.isDirectory ? depth > 0 && holdsTaskFile(files, path, depth - 1)
                              : entry.name.ends_with(".tsk")) {
            return true;
        }
    }
    return false;
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

}  // namespace

bool looksLikeAGame(FileSystem& files) {
    return hasFile(files, kBoot) || listsBoot(files) || holdsTaskFile(files, "", kTaskSearchDepth);
}

std::string missingBootNote(FileSystem& files, const std::string& folder) {
    if (hasFile(files, kBoot) || hasFile(files, "package.tsk")) {
        return "";
    }
    if (listsBoot(files)) {
        return "the \"boot\" file in " + quoted(folder) + " cannot be read";
    }
    std::vector<std::string> games;
    for (const DirectoryEntry& entry : files.listDirectory("")) {
        if (entry.isDirectory && hasFile(files, entry.name + "/" + kBoot)) {
            games.push_back(shiftJisToUtf8(entry.name));
        }
    }
    std::sort(games.begin(), games.end());
    if (games.empty()) {
        return quoted(folder) +
               " is not a game folder: it holds no \"boot\" file (the game's root task, a file "
               "named boot without an extension)";
    }
    const std::string separator = folder.ends_with('/') ? "" : "/";
    std::string named = quoted(games[0]);
    for (size_t i = 1; i < games.size(); ++i) {
        named += (i + 1 == games.size() ? " and " : ", ") + quoted(games[i]);
    }
    return quoted(folder) + " holds no \"boot\" file, but its " +
           (games.size() == 1 ? "folder " + named + " does" : "folders " + named + " do") +
           ": to play " + (games.size() == 1 ? "it" : "one") + ", run tavro " +
           quoted(folder + separator + games[0]);
}

}  // namespace tavro
