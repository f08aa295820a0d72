// Files as the engine sees them: whole-file operations on paths written as Shift-JIS bytes,
// exactly as a game names them. The host maps such a path onto the disk.
#pragma once

#include <cstddef>
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

// What a file is read as; each kind has its own largest size (largestReadableFile).
enum class FileKind { kText, kImage, kSound, kMusic };

// The most bytes a file of this kind may have to be read: 64 MB for texts (settings, tasks,
// scripts, animations, bundles, "load("), 256 MB for images, 512 MB for sounds and 16 MB
// for music. A larger file is refused before anything of its size is allocated.
constexpr size_t largestReadableFile(FileKind kind) {
    constexpr size_t kMegabyte = size_t{1} << 20;
    switch (kind) {
        case FileKind::kImage:
            return 256 * kMegabyte;
        case FileKind::kSound:
            return 512 * kMegabyte;
        case FileKind::kMusic:
            return 16 * kMegabyte;
        case FileKind::kText:
            break;
    }
    return 64 * kMegabyte;
}
// "text file", "image", "sound", "music file": for messages.
constexpr const char* fileKindName(FileKind kind) {
    switch (kind) {
        case FileKind::kImage:
            return "image";
        case FileKind::kSound:
            return "sound";
        case FileKind::kMusic:
            return "music file";
        case FileKind::kText:
            break;
    }
    return "text file";
}

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Reads the whole file; false when it is missing, is not a regular file (a folder, a
    // FIFO, a device) or is larger than its kind allows.
    bool readFile(std::string_view path, std::string& bytes, FileKind kind = FileKind::kText) {
        return readBounded(path, bytes, kind);
    }
    // readFile's work, with the bound of the kind.
    virtual bool readBounded(std::string_view path, std::string& bytes, FileKind kind) = 0;
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
    // Whether the path names a folder.
    virtual bool hasFolder(std::string_view directory) {
        FolderIdentity identity;
        return folderIdentity(directory, identity);
    }
};

}  // namespace tavro
