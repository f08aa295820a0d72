// Files as the engine sees them: whole-file operations on paths written as Shift-JIS bytes,
// exactly as a game names them. The host maps such a path onto the disk.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

struct DirectoryEntry {
    std::string name;  // Shift-JIS bytes where the disk name converts
    bool isDirectory = false;
};

// Which folder of the disk a path leads to, links followed: two paths name the same folder
// exactly when their identities are equal.
struct FolderIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Reads the whole file; false when it cannot be opened.
    virtual bool readFile(std::string_view path, std::string& bytes) = 0;
    // Replaces the file's contents atomically; false (old file intact) on any failure.
    virtual bool replaceFile(std::string_view path, std::string_view bytes) = 0;
    // Appends to the file, creating it when missing.
    virtual bool appendFile(std::string_view path, std::string_view bytes) = 0;
    // Creates the file or cuts it to length 0.
    virtual bool truncateFile(std::string_view path) = 0;
    // Entries of a directory (without "." and ".."), in the order the disk returns them.
    virtual std::vector<DirectoryEntry> listDirectory(std::string_view directory) = 0;
    // The identity of the folder a path leads to; false when unknown (then a walk of the
    // folders can only bound its depth).
    virtual bool folderIdentity(std::string_view directory, FolderIdentity& identity) {
        (void)directory;
        (void)identity;
        return false;
    }
};

}  // namespace tavro
