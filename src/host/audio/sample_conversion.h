// Turns a wave file's PCM samples into the mixer's format: interleaved stereo floats in -1..1
// at the mixer's rate, resampled by linear interpolation. A master keeps the samples compact
// (16-bit, the file's channels and rate) and each frame is converted as it is mixed.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "host/audio_output.h"

namespace tavro {

inline constexpr uint32_t kMinSampleRate = 100;
inline constexpr uint32_t kMaxSampleRate = 200000;

// PCM, 1 or 2 channels, 8-bit unsigned or 16-bit signed, a rate in 100..200000 Hz and the
// block align those imply.
bool isPlayablePcm(const PcmFormat& format);

// A wave file's samples as a master keeps them.
struct CompactSamples {
    std::vector<int16_t> samples;  // `channels` a frame; 8-bit samples scaled to 16 bits
    uint32_t channels = 0;
    uint32_t rate = 0;
    uint32_t outputRate = 0;
    uint64_t frames = 0;        // at the file's rate
    uint64_t outputFrames = 0;  // at outputRate; 0 for none
    // From a 16-bit sample to -1..1, times the player's volume for this kind of sound; at
    // full volume exactly a division by 32768.
    float scale = 1.0f / 32768.0f;

    // Output frame i (below outputFrames) as stereo floats.
    void stereoFrame(uint64_t i, float& left, float& right) const {
        if (rate == outputRate) {
            left = sample(i, 0);
            right = sample(i, 1);
            return;
        }
        // Output frame i sits at input time i * rate / outputRate.
        const uint64_t scaled = i * rate;
        const uint64_t index = scaled / outputRate;
        const float fraction =
            static_cast<float>(scaled % outputRate) / static_cast<float>(outputRate);
        const uint64_t next = index + 1 < frames ? index + 1 : index;
        const float a = sample(index, 0);
        const float b = sample(next, 0);
        left = a + (b - a) * fraction;
        const float c = sample(index, 1);
        const float d = sample(next, 1);
        right = c + (d - c) * fraction;
    }

  private:
    float sample(uint64_t frame, uint32_t channel) const {
        const int16_t value = samples[frame * channels + (channel < channels ? channel : 0)];
        return static_cast<float>(value) * scale;
    }
};

// The samples kept for outputRate; no frames when the format is not playable or no whole
// frame is given. A trailing partial frame is dropped.
CompactSamples compactSamples(const PcmFormat& format, std::span<const uint8_t> samples,
                              uint32_t outputRate);

}  // namespace tavro
