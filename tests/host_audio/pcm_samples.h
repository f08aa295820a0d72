// Generated PCM sample bytes for the audio tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/audio_output.h"

namespace tavro {

inline PcmFormat pcmFormat(uint16_t channels, uint32_t rate, uint16_t bits) {
    return {1, channels, rate, static_cast<uint16_t>(channels * bits / 8), bits};
}

// 16-bit little-endian samples, as many as given (interleave them for stereo).
inline std::vector<uint8_t> pcm16(const std::vector<double>& samples) {
    std::vector<uint8_t> bytes;
    for (double sample : samples) {
        const auto value = static_cast<int16_t>(std::lround(sample * 32767.0));
        bytes.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
    }
    return bytes;
}

inline std::vector<uint8_t> constantPcm16(double level, size_t count) {
    return pcm16(std::vector<double>(count, level));
}

inline std::vector<uint8_t> sinePcm16(double frequency, uint32_t rate, size_t count) {
    std::vector<double> samples(count);
    for (size_t i = 0; i < count; ++i) {
        samples[i] = 0.5 * std::sin(2.0 * M_PI * frequency * static_cast<double>(i) / rate);
    }
    return pcm16(samples);
}

}  // namespace tavro
