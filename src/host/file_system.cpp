#include "host/file_system.h"

#include "host/game_folder_file_system.h"

namespace tavro {
namespace {

FileSystem* installed = nullptr;

}  // namespace

FileSystem& activeFileSystem() {
    static GameFolderFileSystem currentDirectory("");
    return installed != nullptr ? *installed : currentDirectory;
}

FileSystem* setActiveFileSystem(FileSystem* fileSystem) {
    FileSystem* previous = installed;
    installed = fileSystem;
    return previous;
}

}  // namespace tavro
