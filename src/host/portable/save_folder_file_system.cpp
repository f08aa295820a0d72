#include "host/portable/save_folder_file_system.h"

#include <algorithm>
#include <utility>

#include "host/files/path_resolver.h"

namespace tavro {

SaveFolderFileSystem::SaveFolderFileSystem(std::string saveFolder, std::unique_ptr<FileSystem> game)
    : saves_(std::move(saveFolder)), game_(std::move(game)) {}

bool SaveFolderFileSystem::readBounded(std::string_view path, std::string& bytes, FileKind kind) {
    return saves_.readFile(path, bytes, kind) || game_->readFile(path, bytes, kind);
}

void SaveFolderFileSystem::prepareFolderOf(std::string_view path) {
    std::vector<std::string> components;
    if (!pathInsideGame(path, components) || components.size() < 2) {
        return;
    }
    const std::string folder = joinedNames(components, 0, components.size() - 1);
    if (!saves_.hasFolder(folder) && game_->hasFolder(folder)) {
        saves_.makeFolder(folder);
    }
}

bool SaveFolderFileSystem::replaceFile(std::string_view path, std::string_view bytes) {
    prepareFolderOf(path);
    return saves_.replaceFile(path, bytes);
}

bool SaveFolderFileSystem::appendFile(std::string_view path, std::string_view bytes) {
    prepareFolderOf(path);
    return saves_.appendFile(path, bytes);
}

bool SaveFolderFileSystem::truncateFile(std::string_view path) {
    prepareFolderOf(path);
    return saves_.truncateFile(path);
}

std::vector<DirectoryEntry> SaveFolderFileSystem::listDirectory(std::string_view directory) {
    std::vector<DirectoryEntry> entries = saves_.listDirectory(directory);
    const size_t saved = entries.size();
    for (DirectoryEntry& entry : game_->listDirectory(directory)) {
        const auto begin = entries.begin();
        const auto end = begin + static_cast<std::ptrdiff_t>(saved);
        if (std::none_of(begin, end, [&](const DirectoryEntry& mine) {
                return namesEqualIgnoringCase(mine.name, entry.name, true);
            })) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

bool SaveFolderFileSystem::folderIdentity(std::string_view directory, FolderIdentity& identity) {
    return game_->folderIdentity(directory, identity);
}

bool SaveFolderFileSystem::hasFolder(std::string_view directory) {
    return game_->hasFolder(directory) || saves_.hasFolder(directory);
}

}  // namespace tavro
