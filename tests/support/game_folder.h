// A game folder in memory for tests and fuzz targets: files by path, paths whose every
// operation fails, every path read kept in order, and a listing derived from the paths
// ("a/b.tsk" makes the folder "a" appear in the top listing).
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/file_system.h"

namespace tavro::testing {

class GameFolder : public FileSystem {
  public:
    bool readBounded(std::string_view path, std::string& bytes, FileKind) override {
        reads.emplace_back(path);
        if (fails(path)) {
            return false;
        }
        if (const auto found = files.find(std::string(path)); found != files.end()) {
            bytes = found->second;
            return true;
        }
        return anyOtherFile && (bytes = *anyOtherFile, true);
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
    std::vector<DirectoryEntry> listDirectory(std::string_view directory) override {
        std::string prefix(directory);
        if (!prefix.empty() && prefix.back() != '/') {
            prefix += '/';
        }
        std::vector<DirectoryEntry> entries;
        for (const auto& [path, bytes] : files) {
            if (path.starts_with(prefix)) {
                const std::string rest = path.substr(prefix.size());
                const size_t slash = rest.find('/');
                DirectoryEntry entry{rest.substr(0, slash), slash != std::string::npos};
                if (entries.empty() || entries.back().name != entry.name) {
                    entries.push_back(entry);
                }
            }
        }
        return entries;
    }

    bool exists(const std::string& path) const { return files.count(path) != 0; }

    std::map<std::string, std::string> files;
    std::set<std::string> failing;            // paths whose every operation fails
    std::optional<std::string> anyOtherFile;  // what a path not in `files` reads as
    std::vector<std::string> reads;           // every path read, in order
    int appendCalls = 0;

  private:
    bool fails(std::string_view path) const { return failing.count(std::string(path)) != 0; }
};

// The texts of the error-log lines written to the folder so far ("001 : text" gives "text").
inline std::vector<std::string> loggedTexts(const GameFolder& folder,
                                            const std::string& logName = "errorLog.txt") {
    std::vector<std::string> texts;
    const auto found = folder.files.find(logName);
    const std::string log = found == folder.files.end() ? "" : found->second;
    for (size_t start = 0; start < log.size();) {
        const size_t end = std::min(log.find('\n', start), log.size());
        const std::string line = log.substr(start, end - start);
        const size_t separator = line.find(" : ");
        texts.push_back(separator == std::string::npos ? line : line.substr(separator + 3));
        start = end + 1;
    }
    return texts;
}

}  // namespace tavro::testing
