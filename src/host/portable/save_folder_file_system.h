// A game whose writes go to a save folder of its own (--save-dir, a read-only game folder, an
// archive): every write goes to the save folder, every read looks there first and then in the
// game, so the game's shipped files are read as before and its later saves win. The game
// itself is never written.
#pragma once

#include <memory>
#include <string>

#include "host/file_system.h"
#include "host/files/game_folder_file_system.h"

namespace tavro {

class SaveFolderFileSystem : public FileSystem {
  public:
    // saveFolder is the disk path of an existing folder.
    SaveFolderFileSystem(std::string saveFolder, std::unique_ptr<FileSystem> game);

    bool readBounded(std::string_view path, std::string& bytes, FileKind kind) override;
    // A write into a folder the game has but the save folder lacks creates that folder first.
    bool replaceFile(std::string_view path, std::string_view bytes) override;
    bool appendFile(std::string_view path, std::string_view bytes) override;
    bool truncateFile(std::string_view path) override;
    // The save folder's entries, then the game's that the save folder does not have.
    std::vector<DirectoryEntry> listDirectory(std::string_view directory) override;
    bool folderIdentity(std::string_view directory, FolderIdentity& identity) override;
    bool hasFolder(std::string_view directory) override;

  private:
    // Makes the folder of a file about to be written, where the game has it.
    void prepareFolderOf(std::string_view path);

    GameFolderFileSystem saves_;
    std::unique_ptr<FileSystem> game_;
};

}  // namespace tavro
