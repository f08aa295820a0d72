#include "author/watched_files.h"

#include <sys/stat.h>

#include <algorithm>

namespace tavro {

bool NotingFolder::readBounded(std::string_view path, std::string& bytes, FileKind kind) {
    files.emplace(path);
    return files_.readFile(path, bytes, kind);
}

bool NotingFolder::replaceFile(std::string_view path, std::string_view bytes) {
    return files_.replaceFile(path, bytes);
}

bool NotingFolder::appendFile(std::string_view path, std::string_view bytes) {
    return files_.appendFile(path, bytes);
}

bool NotingFolder::truncateFile(std::string_view path) {
    return files_.truncateFile(path);
}

std::vector<DirectoryEntry> NotingFolder::listDirectory(std::string_view directory) {
    folders.emplace(directory);
    return files_.listDirectory(directory);
}

bool NotingFolder::folderIdentity(std::string_view directory, FolderIdentity& identity) {
    return files_.folderIdentity(directory, identity);
}

void WatchedFiles::watch(const NotingFolder& noted) {
    files_ = noted.files;
    folders_ = noted.folders;
    stamp_ = stamp();
}

bool WatchedFiles::changed() {
    std::string now = stamp();
    if (now == stamp_) {
        return false;
    }
    stamp_ = std::move(now);
    return true;
}

std::string WatchedFiles::stamp() {
    std::string stamp;
    for (const std::string& name : files_) {
        stamp += name + '\n';
        std::string diskPath;
        struct stat status {};
        if (resolver_.resolveExisting(name, diskPath) && ::stat(diskPath.c_str(), &status) == 0) {
            stamp += std::to_string(status.st_mtim.tv_sec) + "." +
                     std::to_string(status.st_mtim.tv_nsec) + " " + std::to_string(status.st_size) +
                     " " + std::to_string(status.st_ino) + '\n';
        }
    }
    for (const std::string& folder : folders_) {
        std::vector<DirectoryEntry> entries = resolver_.listDirectory(folder);
        std::sort(entries.begin(), entries.end(),
                  [](const auto& a, const auto& b) { return a.name < b.name; });
        stamp += folder + "/\n";
        // Folders are listed for their task files; what the game writes there is no change.
        for (const DirectoryEntry& entry : entries) {
            if (entry.isDirectory || entry.name.ends_with(".tsk")) {
                stamp += entry.name + '\n';
            }
        }
    }
    return stamp;
}

}  // namespace tavro
