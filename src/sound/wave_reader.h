// The RIFF/WAVE reader: finds the "WAVE" RIFF chunk at the top level of the file, then its
// "fmt " chunk, then the "data" chunk after it, skipping any other chunk (chunks are padded to
// even sizes). Sizes are checked against the bytes the file really holds, so a chunk that
// claims more than that fails instead of being trusted.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/audio_output.h"

namespace tavro {

// The format record as the file stores it (the WAVEFORMATEX layout, little-endian).
struct WaveFormatRecord {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;

    PcmFormat pcmFormat() const {
        return {formatTag, channels, samplesPerSecond, blockAlign, bitsPerSample};
    }
};

enum class WaveFault {
    none,
    noRiff,       // no top-level RIFF chunk of form "WAVE"
    noChunk,      // no "fmt " chunk, or no "data" chunk after it
    shortFormat,  // the "fmt " chunk claims more bytes than the file holds
    shortData,    // the "data" chunk claims more bytes than the file holds
};

struct WaveFile {
    WaveFormatRecord format;   // a "fmt " chunk under 18 bytes leaves the rest zero
    std::string_view samples;  // the "data" chunk's bytes, inside the parsed buffer
};

WaveFault parseWave(std::string_view file, WaveFile& wave);

// True when the bytes start a RIFF file of form "WAVE".
bool isRiffWave(std::string_view file);

}  // namespace tavro
