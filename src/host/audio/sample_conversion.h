// Turns a wave file's PCM samples into the mixer's format once, when a master is made:
// interleaved stereo floats in -1..1 at the mixer's rate, resampled by linear interpolation.
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

// The samples as stereo frames at outputRate; empty when the format is not playable or no
// whole frame is given. A trailing partial frame is dropped.
std::vector<float> convertToStereo(const PcmFormat& format, std::span<const uint8_t> samples,
                                   uint32_t outputRate);

}  // namespace tavro
