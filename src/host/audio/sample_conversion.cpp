#include "host/audio/sample_conversion.h"

namespace tavro {

namespace {

float decodeSample(const uint8_t* at, uint16_t bitsPerSample) {
    if (bitsPerSample == 8) {
        return (static_cast<float>(at[0]) - 128.0f) / 128.0f;
    }
    const auto value = static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
    return static_cast<float>(value) / 32768.0f;
}

// Stereo frames at the file's own rate.
std::vector<float> decodeToStereo(const PcmFormat& format, std::span<const uint8_t> samples) {
    const size_t frames = samples.size() / format.blockAlign;
    const size_t bytesPerSample = format.bitsPerSample / 8;
    std::vector<float> stereo(frames * 2);
    for (size_t frame = 0; frame < frames; ++frame) {
        const uint8_t* at = samples.data() + frame * format.blockAlign;
        const float left = decodeSample(at, format.bitsPerSample);
        const float right =
            format.channels == 2 ? decodeSample(at + bytesPerSample, format.bitsPerSample) : left;
        stereo[frame * 2] = left;
        stereo[frame * 2 + 1] = right;
    }
    return stereo;
}

std::vector<float> resampleLinear(const std::vector<float>& input, uint32_t inputRate,
                                  uint32_t outputRate) {
    const uint64_t inputFrames = input.size() / 2;
    // Output frame i sits at input time i * inputRate / outputRate; the last one falls on or
    // before the last input frame.
    const uint64_t outputFrames = (inputFrames - 1) * outputRate / inputRate + 1;
    std::vector<float> output(outputFrames * 2);
    for (uint64_t i = 0; i < outputFrames; ++i) {
        const uint64_t scaled = i * inputRate;
        const uint64_t index = scaled / outputRate;
        const float fraction =
            static_cast<float>(scaled % outputRate) / static_cast<float>(outputRate);
        const uint64_t next = index + 1 < inputFrames ? index + 1 : index;
        for (uint64_t channel = 0; channel < 2; ++channel) {
            const float a = input[index * 2 + channel];
            const float b = input[next * 2 + channel];
            output[i * 2 + channel] = a + (b - a) * fraction;
        }
    }
    return output;
}

}  // namespace

bool isPlayablePcm(const PcmFormat& format) {
    return format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.samplesPerSecond >= kMinSampleRate && format.samplesPerSecond <= kMaxSampleRate &&
           format.blockAlign == format.channels * format.bitsPerSample / 8;
}

std::vector<float> convertToStereo(const PcmFormat& format, std::span<const uint8_t> samples,
                                   uint32_t outputRate) {
    if (!isPlayablePcm(format) || samples.size() < format.blockAlign) {
        return {};
    }
    std::vector<float> stereo = decodeToStereo(format, samples);
    if (format.samplesPerSecond == outputRate) {
        return stereo;
    }
    return resampleLinear(stereo, format.samplesPerSecond, outputRate);
}

}  // namespace tavro
