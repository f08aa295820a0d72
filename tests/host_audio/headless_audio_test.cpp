#include "host/headless/headless_audio.h"

#include <gtest/gtest.h>

#include "support/file_bytes.h"
#include "support/temporary_folder.h"

namespace tavro {
namespace {

using namespace testing;

uint32_t readLittleEndian(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    }
    return value;
}

int16_t recordedLeft(const std::string& file, size_t frame) {
    return static_cast<int16_t>(readLittleEndian(file, 44 + frame * 4, 2));
}

TEST(HeadlessAudio, RecordsTheMixFrameExactByTheClock) {
    TemporaryFolder folder;
    Mixer mixer(4);
    const int32_t voice =
        mixer.createVoice(mixer.createMaster(pcmFormat(1, kMixRate, 16), constantPcm16(0.5, 441)));
    {
        WaveWriter writer(folder.at("out.wav"));
        ASSERT_TRUE(writer.ok());
        HeadlessAudio audio(mixer, &writer);
        for (int ms = 0; ms < 100; ++ms) {
            audio.advance(1);
        }
        mixer.play(voice, false);  // starts at exactly 100 ms
        for (int ms = 0; ms < 150; ++ms) {
            audio.advance(1);
        }
        EXPECT_EQ(audio.framesMixed(), 250u * kMixRate / 1000);
        ASSERT_TRUE(writer.finish());
    }
    const std::string file = folder.readFile("out.wav");
    const uint32_t frames = 250 * kMixRate / 1000;
    ASSERT_EQ(file.size(), 44 + frames * 4);
    struct Field {
        size_t at;
        int bytes;
        uint32_t value;
    };
    const Field header[] = {{4, 4, 36 + frames * 4}, {20, 2, 1}, {22, 2, 2},
                            {24, 4, kMixRate},       {32, 2, 4}, {34, 2, 16},
                            {40, 4, frames * 4}};
    for (const Field& field : header) {
        EXPECT_EQ(readLittleEndian(file, field.at, field.bytes), field.value) << field.at;
    }
    EXPECT_EQ(file.substr(0, 4), "RIFF");
    EXPECT_EQ(file.substr(36, 4), "data");

    const size_t onset = 100 * kMixRate / 1000;
    EXPECT_EQ(recordedLeft(file, onset - 1), 0);
    EXPECT_GT(recordedLeft(file, onset), 0) << "the sound starts on the frame it was played";
    EXPECT_NEAR(recordedLeft(file, onset + kRampFrames + 10), 16384, 2);
    EXPECT_EQ(recordedLeft(file, onset + 441), 0) << "and ends after its 441 frames";
}

TEST(WaveWriter, HoldsLoudSamplesToFullScale) {
    TemporaryFolder folder;
    const float samples[] = {2.0f, -2.0f, 1.0f, -1.0f, 0.25f, 0.0f};
    WaveWriter writer(folder.at("loud.wav"));
    writer.write(samples, 3);
    ASSERT_TRUE(writer.finish());
    const std::string file = folder.readFile("loud.wav");
    const int16_t expected[] = {32767, -32767, 32767, -32767, 8192, 0};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(static_cast<int16_t>(readLittleEndian(file, 44 + i * 2, 2)), expected[i]) << i;
    }
}

TEST(WaveWriter, UnwritablePathIsNotOk) {
    WaveWriter writer("/nonexistent-folder/out.wav");
    EXPECT_FALSE(writer.ok());
    EXPECT_FALSE(writer.finish());
}

}  // namespace
}  // namespace tavro
