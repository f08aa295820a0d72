#include "sound/wave_reader.h"

namespace tavro {

namespace {

constexpr size_t kChunkHeader = 8;
constexpr size_t kFormatRecordSize = 18;

uint32_t littleEndian32(std::string_view bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
}

uint16_t littleEndian16(std::string_view bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) |
                                 static_cast<uint8_t>(bytes[at + 1]) << 8);
}

struct Chunk {
    uint64_t dataStart = 0;
    uint64_t size = 0;  // as claimed; may reach past the end of the file
    uint64_t end() const { return dataStart + size + (size & 1); }  // after the pad byte
};

// Finds the chunk with this id among the chunks from `from` up to `limit`.
bool findChunk(std::string_view file, std::string_view id, uint64_t from, uint64_t limit,
               Chunk& found) {
    if (limit > file.size()) {
        limit = file.size();
    }
    for (uint64_t at = from; at + kChunkHeader <= limit;) {
        const Chunk chunk{at + kChunkHeader, littleEndian32(file, at + 4)};
        if (file.substr(at, 4) == id) {
            found = chunk;
            return true;
        }
        at = chunk.end();
    }
    return false;
}

// Finds the top-level RIFF chunk of form "WAVE"; `found` then covers the chunks inside it.
bool findWaveRiff(std::string_view file, Chunk& found) {
    for (uint64_t at = 0; at + kChunkHeader + 4 <= file.size();) {
        const Chunk chunk{at + kChunkHeader, littleEndian32(file, at + 4)};
        if (file.substr(at, 4) == "RIFF" && file.substr(at + kChunkHeader, 4) == "WAVE") {
            found = {chunk.dataStart + 4, chunk.size < 4 ? 0 : chunk.size - 4};
            return true;
        }
        at = chunk.end();
    }
    return false;
}

WaveFormatRecord readFormatRecord(std::string_view chunkBytes) {
    char record[kFormatRecordSize] = {};
    chunkBytes.copy(record, kFormatRecordSize);
    const std::string_view bytes(record, kFormatRecordSize);
    WaveFormatRecord format;
    format.formatTag = littleEndian16(bytes, 0);
    format.channels = littleEndian16(bytes, 2);
    format.samplesPerSecond = littleEndian32(bytes, 4);
    format.averageBytesPerSecond = littleEndian32(bytes, 8);
    format.blockAlign = littleEndian16(bytes, 12);
    format.bitsPerSample = littleEndian16(bytes, 14);
    format.extraSize = littleEndian16(bytes, 16);
    return format;
}

}  // namespace

WaveFault parseWave(std::string_view file, WaveFile& wave) {
    Chunk riff;
    if (!findWaveRiff(file, riff)) {
        return WaveFault::noRiff;
    }
    const uint64_t riffEnd = riff.dataStart + riff.size;
    Chunk format;
    if (!findChunk(file, "fmt ", riff.dataStart, riffEnd, format)) {
        return WaveFault::noChunk;
    }
    if (format.dataStart + format.size > file.size()) {
        return WaveFault::shortFormat;
    }
    wave.format = readFormatRecord(file.substr(format.dataStart, format.size));
    // The search for "data" goes on from the end of "fmt ", as the chunks are read in order.
    Chunk data;
    if (!findChunk(file, "data", format.end(), riffEnd, data)) {
        return WaveFault::noChunk;
    }
    if (data.dataStart + data.size > file.size()) {
        return WaveFault::shortData;
    }
    wave.samples = file.substr(data.dataStart, data.size);
    return WaveFault::none;
}

bool isRiffWave(std::string_view file) {
    return file.size() >= 12 && file.substr(0, 4) == "RIFF" && file.substr(8, 4) == "WAVE";
}

}  // namespace tavro
