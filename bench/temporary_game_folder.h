// A game folder in a fresh temporary directory, made the current directory while it lives,
// so the engine's files resolve inside it.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace tavro::bench {

class TemporaryGameFolder {
  public:
    TemporaryGameFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavro-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~TemporaryGameFolder() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryGameFolder(const TemporaryGameFolder&) = delete;
    TemporaryGameFolder& operator=(const TemporaryGameFolder&) = delete;

    void write(const std::string& name, std::string_view bytes) {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

}  // namespace tavro::bench
