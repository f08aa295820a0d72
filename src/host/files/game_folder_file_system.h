// The file system of a game folder on disk: every path goes through the PathResolver, so
// Windows-style names find their files, and writes cannot leave the folder, not even through a
// symbolic link planted in it (ConfinedFolder).
#pragma once

#include <string>

#include "host/file_system.h"
#include "host/files/confined_folder.h"
#include "host/files/path_resolver.h"
#include "host/files/read_refusals.h"

namespace tavro {

class GameFolderFileSystem : public FileSystem {
  public:
    // root is the game folder's disk path; empty means the current directory.
    explicit GameFolderFileSystem(std::string root);

    // Reads only regular files, without blocking on anything else; a refusal of a file that
    // is there (not regular, too large) is said on standard error.
    bool readBounded(std::string_view path, std::string& bytes, FileKind kind) override;
    // Writes a temporary file beside the target, flushes it to disk and renames it over the
    // target, so the old contents survive any failure.
    bool replaceFile(std::string_view path, std::string_view bytes) override;
    bool appendFile(std::string_view path, std::string_view bytes) override;
    bool truncateFile(std::string_view path) override;
    std::vector<DirectoryEntry> listDirectory(std::string_view directory) override;
    // Creates the folder and those above it where missing, each under the name a new file
    // would get, never through a link; false when that fails.
    bool makeFolder(std::string_view directory);
    bool folderIdentity(std::string_view directory, FolderIdentity& identity) override;

  private:
    // Where a write of path goes, and that folder opened; invalid when it cannot be written.
    FileDescriptor openWriteFolder(std::string_view path, WriteTarget& target);
    // Opens the file a write goes to with these flags and writes bytes to it.
    bool writeOpened(std::string_view path, int flags, std::string_view bytes);

    PathResolver resolver_;
    ConfinedFolder folder_;
    ReadRefusals refusals_;
    unsigned temporaryFiles_ = 0;  // numbers the temporary files of replaceFile
};

}  // namespace tavro
