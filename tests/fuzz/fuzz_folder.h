// Game folders for the fuzz targets: nothing is ever written or listed, and each target says
// what reading gives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/file_system.h"

namespace tavro::fuzzing {

class ReadOnlyFolder : public FileSystem {
  public:
    bool replaceFile(std::string_view, std::string_view) override { return false; }
    bool appendFile(std::string_view, std::string_view) override { return false; }
    bool truncateFile(std::string_view) override { return false; }
    std::vector<DirectoryEntry> listDirectory(std::string_view) override { return {}; }
};

// A folder without any file.
class NoFiles final : public ReadOnlyFolder {
  public:
    bool readBounded(std::string_view, std::string&, tavro::FileKind) override { return false; }
};

}  // namespace tavro::fuzzing
