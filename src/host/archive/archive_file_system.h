// A game played from a .zip archive as it is, read through libzip: nothing is extracted and
// nothing is ever written into it (writes go to a save folder: SaveFolderFileSystem).
//   - entries stored or deflated; names in Shift-JIS without the archive's UTF-8 flag, in
//     UTF-8 with it; the game at the top or inside one top folder;
//   - names are found as in a game folder: '\' or '/' between folders, ASCII letters in any
//     case, "." and ".." collapsed;
//   - bounded: at most kLargestEntryCount entries, each at most the largest readable file,
//     all together at most kLargestUnpackedTotal, checked on opening from the archive's
//     directory; each read stops at the entry's own size and checks its CRC.
#pragma once

#include <zip.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/file_system.h"
#include "host/files/read_refusals.h"

namespace tavro {

inline constexpr uint64_t kLargestEntryCount = 65536;
inline constexpr uint64_t kLargestUnpackedTotal = uint64_t{2} << 30;

class ArchiveFileSystem : public FileSystem {
  public:
    ~ArchiveFileSystem() override;

    // Opens the archive file; null with a one-line error (what is wrong and what to do) when
    // it cannot be played: not a zip, cut short, damaged, split, encrypted, too large.
    static std::unique_ptr<ArchiveFileSystem> open(const std::string& path, std::string& error);
    // The same for an archive held in memory; bytes must outlive the result.
    static std::unique_ptr<ArchiveFileSystem> openBytes(const std::string& bytes,
                                                        std::string& error);

    bool readBounded(std::string_view path, std::string& bytes, FileKind kind) override;
    bool replaceFile(std::string_view, std::string_view) override { return false; }
    bool appendFile(std::string_view, std::string_view) override { return false; }
    bool truncateFile(std::string_view) override { return false; }
    std::vector<DirectoryEntry> listDirectory(std::string_view directory) override;
    bool hasFolder(std::string_view directory) override;

  private:
    struct Entry {
        std::string path;  // Shift-JIS names joined by '/', below the game's top
        zip_uint64_t index = 0;
        bool isDirectory = false;
    };

    explicit ArchiveFileSystem(zip_t* archive) : archive_(archive) {}
    static std::unique_ptr<ArchiveFileSystem> fromOpened(zip_t* archive, std::string& error);
    // Reads the directory; false with error set when the archive is not to be played.
    bool index(std::string& error);
    void addEntry(std::string path, zip_uint64_t index, bool isDirectory);
    // The entry a game's path names, or null.
    const Entry* find(std::string_view path) const;

    zip_t* archive_;
    std::vector<Entry> entries_;
    std::unordered_map<std::string, size_t> byKey_;  // folded path to index in entries_
    ReadRefusals refusals_;
};

}  // namespace tavro
