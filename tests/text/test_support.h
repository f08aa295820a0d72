// Test doubles shared by the text, script and shell tests: an in-memory file system and an
// error sink that keeps every report.
#pragma once

#include <algorithm>
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
    bool readBounded(std::string_view path, std::string& bytes, FileKind) override {
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
};

// The texts of the error-log lines written to the disk so far ("001 : text" gives "text").
inline std::vector<std::string> loggedTexts(const MemoryFileSystem& disk,
                                            const std::string& logName = "errorLog.txt") {
    std::vector<std::string> texts;
    const auto found = disk.files.find(logName);
    if (found == disk.files.end()) {
        return texts;
    }
    const std::string& log = found->second;
    for (size_t start = 0; start < log.size();) {
        const size_t end = std::min(log.find('\n', start), log.size());
        const std::string line = log.substr(start, end - start);
        const size_t separator = line.find(" : ");
        texts.push_back(separator == std::string::npos ? line : line.substr(separator + 3));
        start = end + 1;
    }
    return texts;
}

class RecordingSink : public ErrorSink {
  public:
    void record(const char* text, Severity severity) override {
        reports.emplace_back(text, severity);
    }

    std::vector<std::pair<std::string, Severity>> reports;
};

}  // namespace tavro::testing
