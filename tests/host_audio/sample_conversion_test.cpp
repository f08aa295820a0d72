#include "host/audio/sample_conversion.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host/audio/mixer.h"
#include "support/file_bytes.h"

namespace tavro {
namespace {

// Every kept frame as the mixer reads it: stereo at outputRate, interleaved.
std::vector<float> convertToStereo(const PcmFormat& format, std::span<const uint8_t> samples,
                                   uint32_t outputRate) {
    const CompactSamples kept = compactSamples(format, samples, outputRate);
    std::vector<float> stereo(kept.outputFrames * 2);
    for (uint64_t i = 0; i < kept.outputFrames; ++i) {
        kept.stereoFrame(i, stereo[i * 2], stereo[i * 2 + 1]);
    }
    return stereo;
}
using namespace testing;

struct DecodeCase {
    const char* name;
    PcmFormat format;
    std::vector<uint8_t> bytes;
    std::vector<float> stereo;  // expected output frames, interleaved
};

TEST(SampleConversion, DecodesEachPcmLayoutToStereo) {
    // clang-format off
    const DecodeCase cases[] = {
        {"8-bit mono centre and extremes", pcmFormat(1, kMixRate, 8), {0x80, 0xFF, 0x00}, {0.0f, 0.0f, 127.0f / 128, 127.0f / 128, -1.0f, -1.0f}},
        {"8-bit stereo", pcmFormat(2, kMixRate, 8), {0xC0, 0x40}, {0.5f, -0.5f}},
        {"16-bit mono", pcmFormat(1, kMixRate, 16), {0x00, 0x40, 0x00, 0x80}, {0.5f, 0.5f, -1.0f, -1.0f}},
        {"16-bit stereo", pcmFormat(2, kMixRate, 16), {0x00, 0x20, 0x00, 0xE0}, {0.25f, -0.25f}},
        {"trailing partial frame dropped", pcmFormat(2, kMixRate, 16), {0x00, 0x20, 0x00}, {}},
    };
    // clang-format on
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(convertToStereo(c.format, c.bytes, kMixRate), c.stereo) << c.name;
    }
}

TEST(SampleConversion, RefusesFormatsItCannotPlay) {
    struct Case {
        const char* name;
        PcmFormat format;
    };
    const Case cases[] = {
        {"not PCM", {3, 1, 44100, 4, 32}},
        {"no channels", {1, 0, 44100, 0, 16}},
        {"three channels", {1, 3, 44100, 6, 16}},
        {"0 Hz", {1, 1, 0, 2, 16}},
        {"rate below 100 Hz", {1, 1, 99, 2, 16}},
        {"rate above 200 kHz", {1, 1, 200001, 2, 16}},
        {"0 bits", {1, 1, 44100, 0, 0}},
        {"24 bits", {1, 1, 44100, 3, 24}},
        {"block align too large", {1, 2, 44100, 8, 16}},
        {"block align 0", {1, 2, 44100, 0, 16}},
    };
    const std::vector<uint8_t> bytes(64, 0x10);
    for (const Case& c : cases) {
        EXPECT_FALSE(isPlayablePcm(c.format)) << c.name;
        EXPECT_TRUE(convertToStereo(c.format, bytes, kMixRate).empty()) << c.name;
    }
}

TEST(SampleConversion, ResamplesAnyCommonRateByLinearInterpolation) {
    // A 200 Hz tone at each rate must come out as the same tone at the mixer's rate: frame
    // count scaled by the rate ratio, and every frame close to the ideal sine.
    constexpr double kTone = 200.0;
    constexpr size_t kInputFrames = 4000;
    for (uint32_t rate : {8000u, 11025u, 22050u, 32000u, 44100u, 48000u, 96000u}) {
        const std::vector<float> out =
            convertToStereo(pcmFormat(1, rate, 16), sinePcm16(kTone, rate, kInputFrames), kMixRate);
        const uint64_t expectedFrames = (kInputFrames - 1) * uint64_t{kMixRate} / rate + 1;
        ASSERT_EQ(out.size(), expectedFrames * 2) << rate << " Hz";
        double worst = 0.0;
        for (size_t i = 0; i < expectedFrames; ++i) {
            const double ideal = 0.5 * std::sin(2.0 * M_PI * kTone * i / kMixRate);
            worst = std::max(worst, std::fabs(out[i * 2] - ideal));
            ASSERT_EQ(out[i * 2], out[i * 2 + 1]) << "mono copied to both sides";
        }
        EXPECT_LT(worst, 0.002) << rate << " Hz";
    }
}

TEST(SampleConversion, InterpolatesBetweenNeighbouringFrames) {
    // At half the mixer's rate every second output frame lies halfway between two inputs.
    const std::vector<float> out =
        convertToStereo(pcmFormat(1, kMixRate / 2, 16), pcm16({0.0, 0.5, -0.5}), kMixRate);
    ASSERT_EQ(out.size(), 5u * 2);
    const float expected[] = {0.0f, 0.25f, 0.5f, 0.0f, -0.5f};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(out[i * 2], expected[i], 1e-4) << "frame " << i;
    }
}

}  // namespace
}  // namespace tavro
