#include "host/audio/sample_conversion.h"

namespace tavro {

namespace {

int16_t decodeSample(const uint8_t* at, uint16_t bitsPerSample) {
    if (bitsPerSample == 8) {
        return static_cast<int16_t>((at[0] - 128) * 256);
    }
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
}

}  // namespace

bool isPlayablePcm(const PcmFormat& format) {
    return format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.samplesPerSecond >= kMinSampleRate && format.samplesPerSecond <= kMaxSampleRate &&
           format.blockAlign == format.channels * format.bitsPerSample / 8;
}

CompactSamples compactSamples(const PcmFormat& format, std::span<const uint8_t> samples,
                              uint32_t outputRate) {
    CompactSamples kept;
    if (!isPlayablePcm(format) || samples.size() < format.blockAlign) {
        return kept;
    }
    kept.channels = format.channels;
    kept.rate = format.samplesPerSecond;
    kept.outputRate = outputRate;
    kept.frames = samples.size() / format.blockAlign;
    kept.outputFrames =
        kept.rate == outputRate ? kept.frames : (kept.frames - 1) * outputRate / kept.rate + 1;
    const size_t bytesPerSample = format.bitsPerSample / 8;
    kept.samples.resize(kept.frames * kept.channels);
    for (size_t i = 0; i < kept.samples.size(); ++i) {
        kept.samples[i] = decodeSample(samples.data() + i * bytesPerSample, format.bitsPerSample);
    }
    return kept;
}

}  // namespace tavro
