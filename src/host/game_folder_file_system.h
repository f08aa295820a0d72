// The file system of a game folder on disk: every path goes through the PathResolver, so
// Windows-style names find their files, and writes cannot leave the folder.
#pragma once

#include <string>

#include "host/file_system.h"
#include "host/path_resolver.h"

namespace tavro {

class GameFolderFileSystem : public FileSystem {
  public:
    // root is the game folder's disk path; empty means the current directory.
    explicit GameFolderFileSystem(std::string root);

    bool readFile(std::string_view path, std::string& bytes) override;
    // Writes a temporary file beside the target, flushes it to disk and renames it over the
    // target, so the old contents survive any failure.
    bool replaceFile(std::string_view path, std::string_view bytes) override;
    bool appendFile(std::string_view path, std::string_view bytes) override;
    bool truncateFile(std::string_view path) override;
    std::vector<DirectoryEntry> listDirectory(std::string_view directory) override;
    bool folderIdentity(std::string_view directory, FolderIdentity& identity) override;

  private:
    PathResolver resolver_;
    unsigned temporaryFiles_ = 0;  // numbers the temporary files of replaceFile
};

}  // namespace tavro
