// The files a watched game is made of, and whether any of them changed. They are the files a
// check of the game reads (tasks, scripts, animations, images, sounds, music, settings, and
// the folders it lists for task files), found while it runs; files the game writes itself
// (saves, the error log) are not among them, so a running game never restarts itself.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/file_system.h"
#include "host/files/path_resolver.h"

namespace tavro {

// A game folder that notes every file read and every folder listed through it.
class NotingFolder : public FileSystem {
  public:
    explicit NotingFolder(FileSystem& files) : files_(files) {}

    bool readBounded(std::string_view path, std::string& bytes, FileKind kind) override;
    bool replaceFile(std::string_view path, std::string_view bytes) override;
    bool appendFile(std::string_view path, std::string_view bytes) override;
    bool truncateFile(std::string_view path) override;
    std::vector<DirectoryEntry> listDirectory(std::string_view directory) override;
    bool folderIdentity(std::string_view directory, FolderIdentity& identity) override;

    std::set<std::string> files;    // read, or tried
    std::set<std::string> folders;  // listed

  private:
    FileSystem& files_;
};

class WatchedFiles {
  public:
    // root is the game folder's disk path; empty means the current directory.
    explicit WatchedFiles(std::string root) : resolver_(std::move(root)) {}

    // Watches these game names from now on, as they are now.
    void watch(const NotingFolder& noted);
    // True when a watched file changed, appeared or went, or a watched folder's entries did,
    // since the last watch or call.
    bool changed();

  private:
    // Every watched file's time and size (or its absence) and every folder's entry names.
    std::string stamp();

    PathResolver resolver_;
    std::set<std::string> files_;
    std::set<std::string> folders_;
    std::string stamp_;
};

}  // namespace tavro
