// Shared pieces of the sound tests: files held in memory, a log that keeps its lines, and
// builders for RIFF/WAVE files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/error_report.h"
#include "text/test_support.h"

namespace tavro {

// The shared in-memory folder, counting the reads so a test can tell a cached load.
class MemoryFileSystem : public testing::MemoryFileSystem {
  public:
    int reads = 0;
    bool readBounded(std::string_view path, std::string& bytes, FileKind kind) override {
        ++reads;
        return testing::MemoryFileSystem::readBounded(path, bytes, kind);
    }
};

using RecordingLog = testing::RecordingSink;
using Reports = std::vector<std::pair<std::string, Severity>>;

inline std::string littleEndian(uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

// A chunk with its header; an odd payload gets the pad byte unless `claimedSize` overrides
// the size field (then nothing is padded).
inline std::string chunk(std::string_view id, std::string_view payload, int64_t claimedSize = -1) {
    const uint64_t size = claimedSize < 0 ? payload.size() : static_cast<uint64_t>(claimedSize);
    std::string out = std::string(id) + littleEndian(size, 4) + std::string(payload);
    if (claimedSize < 0 && payload.size() % 2 == 1) {
        out += '\0';
    }
    return out;
}

inline std::string riff(std::string_view form, std::string_view body) {
    return chunk("RIFF", std::string(form) + std::string(body));
}

// A "fmt " payload: the 16-byte PCM record, block align and byte rate derived unless given.
inline std::string formatRecord(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1,
                                int blockAlign = -1) {
    const auto align = static_cast<uint16_t>(blockAlign < 0 ? channels * bits / 8 : blockAlign);
    return littleEndian(tag, 2) + littleEndian(channels, 2) + littleEndian(rate, 4) +
           littleEndian(uint64_t{rate} * align, 4) + littleEndian(align, 2) + littleEndian(bits, 2);
}

// 16-bit mono samples all at one level.
inline std::string constantSamples16(int16_t level, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        out += littleEndian(static_cast<uint16_t>(level), 2);
    }
    return out;
}

// A valid 16-bit mono 44100 Hz wave file.
inline std::string waveFile(int16_t level = 8192, size_t frames = 1000) {
    return riff("WAVE", chunk("fmt ", formatRecord(1, 44100, 16)) +
                            chunk("data", constantSamples16(level, frames)));
}

}  // namespace tavro
