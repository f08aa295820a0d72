// Test doubles for the render layer: a compositor that records what it is asked to do, a
// file system in memory, an error sink that keeps its lines, and minimal image headers.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/compositor.h"
#include "host/file_system.h"
#include "text/error_report.h"

namespace tavro::testing {

class RecordingCompositor : public Compositor {
  public:
    bool createBackBuffer(int32_t width, int32_t height) override {
        if (hasBackBuffer_ || width < 1 || height < 1 || width > kMaxCompositorSide ||
            height > kMaxCompositorSide) {
            return false;
        }
        hasBackBuffer_ = true;
        return true;
    }
    void releaseBackBuffer() override { hasBackBuffer_ = false; }
    bool hasBackBuffer() const override { return hasBackBuffer_; }
    void clear(uint32_t argb) override { clears.push_back(argb); }
    void setSampling(Sampling value) override { sampling = value; }
    // The handle is the number of textures created so far; texturesFrom tells which bytes.
    TextureHandle createTexture(std::string_view fileBytes, int32_t width,
                                int32_t height) override {
        if (refuseTextures) {
            return kNoTexture;
        }
        const auto handle = static_cast<TextureHandle>(texturesFrom.size());
        texturesFrom.emplace_back(fileBytes);
        sizes.emplace_back(width, height);
        live.push_back(true);
        return handle;
    }
    void releaseTexture(TextureHandle texture) override {
        live[static_cast<size_t>(texture)] = false;
    }
    void draw(const CompositorItem& item) override { draws.push_back(item); }
    void present() override { ++presents; }
    bool readPresentedFrame(std::vector<uint32_t>&, int32_t&, int32_t&) const override {
        return false;
    }
    bool readBackBuffer(std::vector<uint32_t>&) const override { return false; }

    int liveTextures() const {
        int count = 0;
        for (const bool alive : live) {
            count += alive ? 1 : 0;
        }
        return count;
    }

    bool hasBackBuffer_ = false;
    bool refuseTextures = false;
    Sampling sampling = Sampling::kPoint;
    std::vector<uint32_t> clears;
    std::vector<std::string> texturesFrom;
    std::vector<std::pair<int32_t, int32_t>> sizes;
    std::vector<bool> live;
    std::vector<CompositorItem> draws;
    int presents = 0;
};

class FilesInMemory : public FileSystem {
  public:
    bool readFile(std::string_view path, std::string& bytes) override {
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
    void record(const char* text, uint32_t severity) override {
        lines.emplace_back(std::string(text) + " @" + std::to_string(severity));
    }
    std::vector<std::string> lines;
};

// The first bytes of a PNG file of the given size: enough for its header to be read.
inline std::string PngHeader(uint32_t width, uint32_t height) {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (const uint32_t side : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes += static_cast<char>((side >> shift) & 0xFF);
        }
    }
    return bytes + std::string("\x08\x06\0\0\0", 5);
}

}  // namespace tavro::testing
