// A MIDI song rendered to an Ogg Vorbis loop and played back through the web build's player.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "host/audio/midi_loop_renderer.h"
#include "host/audio/mixer.h"
#include "host/audio/ogg_loop_music.h"
#include "host/audio/ogg_vorbis_writer.h"
#include "host/audio/sound_font_search.h"
#include "support/file_bytes.h"

namespace tavro {
namespace {

// The largest step between neighbouring frames of either channel in [from, to).
float largestStep(const std::vector<float>& stereo, size_t from, size_t to) {
    float largest = 0;
    for (size_t frame = from + 1; frame < to; ++frame) {
        for (size_t channel = 0; channel < 2; ++channel) {
            largest = std::max(largest, std::fabs(stereo[frame * 2 + channel] -
                                                  stereo[(frame - 1) * 2 + channel]));
        }
    }
    return largest;
}

std::vector<float> playFor(OggLoopMusic& music, size_t frames) {
    std::vector<float> out(frames * 2);
    for (size_t done = 0; done < frames; done += kSourceBlockFrames) {
        const auto block =
            static_cast<uint32_t>(std::min<size_t>(kSourceBlockFrames, frames - done));
        music.render(out.data() + done * 2, block);
    }
    return out;
}

std::string loopFile(const RenderedLoop& loop) {
    return encodeOggVorbis(loop.stereo, kMixRate,
                           {{kLoopStartTag, std::to_string(loop.loopStartFrame)}});
}

class RenderedLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string soundFont =
            findSoundFont({"", "", FluidMusicSynth::configuredDefaultSoundFont()});
        if (soundFont.empty()) {
            GTEST_SKIP() << "no General MIDI soundfont installed";
        }
        synth_ = std::make_unique<FluidMusicSynth>(soundFont);
    }
    std::unique_ptr<FluidMusicSynth> synth_;
};

TEST_F(RenderedLoopTest, TheLoopJoinsItsStartWithoutAClick) {
    // Two seconds of a low chord on a flute held to the very end: its release and the reverb
    // ring on past the loop point. Its smooth waveform makes a cut stand out.
    const std::string song = testing::midiFile({{0, 1920, 0, 48}, {960, 960, 0, 55}}, 1920, 73);
    RenderedLoop loop;
    ASSERT_TRUE(renderMidiLoop(*synth_, song, true, loop));
    const size_t pass = loop.frames() - loop.loopStartFrame;
    EXPECT_NEAR(static_cast<double>(pass), 2.0 * kMixRate, 64);
    EXPECT_GT(loop.loopStartFrame, kMixRate / 20) << "the tail is kept";
    EXPECT_LT(loop.loopStartFrame, kLongestSongTailSeconds * kMixRate);

    OggLoopMusic music;
    ASSERT_TRUE(music.play(loopFile(loop), true));
    EXPECT_EQ(music.loopStartFrame(), loop.loopStartFrame);
    const std::vector<float> out = playFor(music, loop.frames() * 2);
    // The file decodes to its full length, then goes on from its loop start.
    const size_t join = loop.frames();
    EXPECT_NEAR(out[join * 2], out[loop.loopStartFrame * 2], 1e-4);
    // The step across the join is one of the signal's usual steps on either side.
    const float normal =
        std::max(largestStep(out, join - 4096, join), largestStep(out, join, join + 4096));
    EXPECT_GT(normal, 1e-3) << "the chord still sounds at the join";
    EXPECT_LE(largestStep(out, join - 1, join + 1), normal);
    // Looping the first pass alone, without its tail, would cut the ringing chord off.
    EXPECT_GT(std::fabs(out[(pass - 1) * 2] - out[0]), 4 * normal);
}

TEST_F(RenderedLoopTest, ASongThatEndsInSilenceLoopsFromItsStart) {
    RenderedLoop loop;
    ASSERT_TRUE(
        renderMidiLoop(*synth_, testing::midiFile({{0, 240, 9, 42}}, 1920 * 2), true, loop));
    EXPECT_EQ(loop.loopStartFrame, 0u);
    EXPECT_NEAR(static_cast<double>(loop.frames()), 4.0 * kMixRate, 64);
    ASSERT_TRUE(renderMidiLoop(*synth_, testing::midiFile({}, 0), true, loop))
        << "no length: silence";
    EXPECT_EQ(std::count(loop.stereo.begin(), loop.stereo.end(), 0.0f),
              static_cast<ptrdiff_t>(loop.stereo.size()));
    EXPECT_FALSE(renderMidiLoop(*synth_, "MThd", true, loop));
}

// The file with the 32-bit word at `offset` bytes into its comment header replaced.
std::string withCommentWord(std::string file, size_t offset, uint32_t value) {
    const size_t at = file.find("\x03vorbis") + offset;
    for (size_t i = 0; i < 4; ++i) {
        file[at + i] = static_cast<char>(value >> (8 * i));
    }
    return file;
}

TEST(OggLoopMusic, RefusesFilesItCannotLoop) {
    const std::vector<float> second(2 * kMixRate, 0.25f);
    const std::string plain = encodeOggVorbis(second, kMixRate, {});
    const size_t vendorLength = 7;
    const size_t commentCount = vendorLength + 4 + plain[plain.find("\x03vorbis") + 7];
    struct Case {
        const char* name;
        std::string file;
        bool plays;
        uint32_t loopStart;
    };
    const Case cases[] = {
        {"no loop start", plain, true, 0},
        {"loop start", encodeOggVorbis(second, kMixRate, {{"tavro_loop_start", "300"}}), true, 300},
        {"past the end", encodeOggVorbis(second, kMixRate, {{kLoopStartTag, "44100"}}), true, 0},
        {"not a number", encodeOggVorbis(second, kMixRate, {{kLoopStartTag, "12x"}}), true, 0},
        {"another rate", encodeOggVorbis(second, 22050, {}), false, 0},
        // Lengths and counts the decoder would trust: it would write past its memory.
        {"vendor of 2^32 - 1 bytes", withCommentWord(plain, vendorLength, 0xFFFFFFFF), false, 0},
        {"vendor past the header", withCommentWord(plain, vendorLength, 5000), false, 0},
        {"a billion comments", withCommentWord(plain, commentCount, 1u << 30), false, 0},
        {"not Ogg", "MThd\0\0\0\6", false, 0},
        {"empty", "", false, 0},
    };
    for (const Case& c : cases) {
        OggLoopMusic music(0.5f);
        EXPECT_EQ(music.play(c.file, false), c.plays) << c.name;
        EXPECT_EQ(music.loopStartFrame(), c.loopStart) << c.name;
        const std::vector<float> out = playFor(music, 3 * kMixRate);
        EXPECT_NEAR(out[kMixRate * 5], c.plays ? 0.125f : 0.0f, 2e-3) << c.name;
    }
}

}  // namespace
}  // namespace tavro
