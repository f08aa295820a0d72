// Test doubles shared by the text and shell tests: an in-memory file system installed as the
// active one, and an error sink that keeps every report.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/file_system.h"
#include "text/error_report.h"

namespace tavro::testing {

class MemoryFileSystem : public FileSystem {
  public:
    MemoryFileSystem() : previous_(setActiveFileSystem(this)) {}
    ~MemoryFileSystem() override { setActiveFileSystem(previous_); }

    bool readFile(std::string_view path, std::string& bytes) override {
        const auto found = files.find(std::string(path));
        return found != files.end() && !fails(path) && (bytes = found->second, true);
    }
    bool replaceFile(std::string_view path, std::string_view bytes) override {
        return !fails(path) && (files[std::string(path)] = std::string(bytes), true);
    }
    bool appendFile(std::string_view path, std::string_view bytes) override {
        ++appendCalls;
        return !fails(path) && (files[std::string(path)] += bytes, true);
    }
    bool truncateFile(std::string_view path) override {
        return !fails(path) && (files[std::string(path)].clear(), true);
    }
    std::vector<DirectoryEntry> listDirectory(std::string_view) override { return {}; }

    bool exists(const std::string& path) const { return files.count(path) != 0; }

    std::map<std::string, std::string> files;
    std::set<std::string> failing;  // paths whose every operation fails
    int appendCalls = 0;

  private:
    bool fails(std::string_view path) const { return failing.count(std::string(path)) != 0; }
    FileSystem* previous_;
};

class RecordingSink : public ErrorSink {
  public:
    RecordingSink() : previous_(setErrorSink(this)) {}
    ~RecordingSink() override { setErrorSink(previous_); }

    void record(const char* text, uint32_t severity) override {
        reports.emplace_back(text, severity);
    }

    std::vector<std::pair<std::string, uint32_t>> reports;

  private:
    ErrorSink* previous_;
};

}  // namespace tavro::testing
