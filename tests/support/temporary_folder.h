// A fresh folder under the system's temporary directory, removed with everything in it when
// the test ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavro {

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavro-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string at(const std::string& relative) const { return path_ + "/" + relative; }

    void writeFile(const std::string& relative, const std::string& bytes) const {
        std::ofstream(at(relative), std::ios::binary) << bytes;
    }
    void makeFolder(const std::string& relative) const {
        std::filesystem::create_directories(at(relative));
    }
    std::string readFile(const std::string& relative) const {
        std::ifstream in(at(relative), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool exists(const std::string& relative) const { return std::filesystem::exists(at(relative)); }
    // Number of entries directly inside the folder.
    size_t entryCount(const std::string& relative = "") const {
        auto range = std::filesystem::directory_iterator(at(relative));
        return static_cast<size_t>(std::distance(begin(range), end(range)));
    }

  private:
    std::string path_;
};

}  // namespace tavro
