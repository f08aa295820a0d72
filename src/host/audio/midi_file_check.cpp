#include "host/audio/midi_file_check.h"

#include <cstdint>

namespace tavro {

namespace {

uint32_t bigEndian32(std::string_view bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3]));
}

uint16_t bigEndian16(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) << 8 |
                                 static_cast<uint8_t>(bytes[at + 1]));
}

constexpr size_t kChunkHeader = 8;

}  // namespace

bool looksLikeStandardMidiFile(std::string_view bytes) {
    if (bytes.size() < kChunkHeader + 6 || bytes.substr(0, 4) != "MThd") {
        return false;
    }
    const uint64_t headerLength = bigEndian32(bytes, 4);
    const uint16_t format = bigEndian16(bytes, 8);
    const uint16_t tracks = bigEndian16(bytes, 10);
    if (headerLength < 6 || format > 2 || tracks == 0) {
        return false;
    }
    uint64_t at = kChunkHeader + headerLength;
    uint32_t tracksFound = 0;
    while (tracksFound < tracks) {
        if (at + kChunkHeader > bytes.size()) {
            return false;
        }
        const uint64_t length = bigEndian32(bytes, at + 4);
        if (at + kChunkHeader + length > bytes.size()) {
            return false;
        }
        if (bytes.substr(at, 4) == "MTrk") {
            ++tracksFound;
        }
        at += kChunkHeader + length;
    }
    return true;
}

}  // namespace tavro
