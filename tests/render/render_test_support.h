// Test doubles for the render layer: a file system in memory and an error sink that keeps its
// lines, beside the recording compositor.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/file_system.h"
#include "render/recording_compositor.h"
#include "text/error_report.h"

namespace tavro::testing {

class FilesInMemory : public FileSystem {
  public:
    bool readBounded(std::string_view path, std::string& bytes, FileKind) override {
        const auto found = files.find(std::string(path));
        return found != files.end() && (bytes = found->second, true);
    }
    bool replaceFile(std::string_view, std::string_view) override { return false; }
    bool appendFile(std::string_view, std::string_view) override { return false; }
    bool truncateFile(std::string_view) override { return false; }
    std::vector<DirectoryEntry> listDirectory(std::string_view) override { return {}; }

    std::map<std::string, std::string> files;
};

class LogLines : public ErrorSink {
  public:
    void record(const char* text, Severity severity) override {
        lines.emplace_back(std::string(text) + " @" +
                           std::to_string(static_cast<uint32_t>(severity)));
    }
    std::vector<std::string> lines;
};

}  // namespace tavro::testing
