// Fuzz target: any bytes as a .zip game are opened, and every entry the archive lists is read,
// without crashing, reading out of bounds or allocating what an entry merely claims.
//
// Run from the repository root: scripts/fuzz archive_reader [SECONDS] -max_len=8192

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "host/archive/archive_file_system.h"

namespace {

void readAll(tavro::FileSystem& files, const std::string& folder, int depth) {
    for (const tavro::DirectoryEntry& entry : files.listDirectory(folder)) {
        const std::string path = folder.empty() ? entry.name : folder + "\\" + entry.name;
        if (entry.isDirectory && depth < 8) {
            files.hasFolder(path);
            readAll(files, path, depth + 1);
        } else {
            std::string bytes;
            files.readFile(path, bytes, tavro::FileKind::kImage);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string archive(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (std::unique_ptr<tavro::ArchiveFileSystem> files =
            tavro::ArchiveFileSystem::openBytes(archive, error)) {
        readAll(*files, "", 0);
    }
    return 0;
}
