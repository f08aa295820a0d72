#include "host/audio/wave_writer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/audio/mixer.h"

namespace tavro {

namespace {

constexpr uint32_t kHeaderBytes = 44;
constexpr uint32_t kBytesPerFrame = kMixChannels * 2;
constexpr uint32_t kBlockFrames = 1024;

void putLittleEndian(uint8_t* at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

void fillHeader(uint8_t* header, uint32_t dataBytes) {
    std::copy_n("RIFF", 4, header);
    putLittleEndian(header + 4, kHeaderBytes - 8 + dataBytes, 4);
    std::copy_n("WAVEfmt ", 8, header + 8);
    putLittleEndian(header + 16, 16, 4);
    putLittleEndian(header + 20, 1, 2);  // PCM
    putLittleEndian(header + 22, kMixChannels, 2);
    putLittleEndian(header + 24, kMixRate, 4);
    putLittleEndian(header + 28, kMixRate * kBytesPerFrame, 4);
    putLittleEndian(header + 32, kBytesPerFrame, 2);
    putLittleEndian(header + 34, 16, 2);
    std::copy_n("data", 4, header + 36);
    putLittleEndian(header + 40, dataBytes, 4);
}

}  // namespace

WaveWriter::WaveWriter(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    uint8_t header[kHeaderBytes];
    fillHeader(header, 0);
    if (file_ && std::fwrite(header, 1, kHeaderBytes, file_) != kHeaderBytes) {
        failed_ = true;
    }
}

void WaveWriter::write(const float* stereo, uint32_t frames) {
    if (!file_) {
        return;
    }
    uint8_t block[kBlockFrames * kBytesPerFrame];
    for (uint32_t done = 0; done < frames;) {
        const uint32_t count = std::min(frames - done, kBlockFrames);
        for (uint32_t i = 0; i < count * kMixChannels; ++i) {
            const float sample = std::clamp(stereo[done * kMixChannels + i], -1.0f, 1.0f);
            const auto value = static_cast<int16_t>(std::lround(sample * 32767.0f));
            putLittleEndian(block + i * 2, static_cast<uint16_t>(value), 2);
        }
        failed_ |= std::fwrite(block, kBytesPerFrame, count, file_) != count;
        dataBytes_ += uint64_t{count} * kBytesPerFrame;
        done += count;
    }
}

bool WaveWriter::finish() {
    if (!file_) {
        return false;
    }
    // A RIFF file holds at most 4 GiB; a longer recording keeps the largest size it can give.
    const auto dataBytes = static_cast<uint32_t>(
        std::min<uint64_t>(dataBytes_, std::numeric_limits<uint32_t>::max() - kHeaderBytes));
    uint8_t header[kHeaderBytes];
    fillHeader(header, dataBytes);
    failed_ |= std::fseek(file_, 0, SEEK_SET) != 0 ||
               std::fwrite(header, 1, kHeaderBytes, file_) != kHeaderBytes;
    failed_ |= std::fclose(file_) != 0;
    file_ = nullptr;
    return !failed_;
}

}  // namespace tavro
