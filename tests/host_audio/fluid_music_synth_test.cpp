#include "host/audio/fluid_music_synth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "host/audio/mixer.h"
#include "host/audio/sound_font_search.h"
#include "support/file_bytes.h"

namespace tavro {
namespace {

using namespace testing;

std::string installedSoundFont() {
    return findSoundFont({"", "", FluidMusicSynth::configuredDefaultSoundFont()});
}

// Root mean square of one channel over [from, to) seconds of rendered output.
double loudness(const std::vector<float>& stereo, double from, double to) {
    const auto first = static_cast<size_t>(from * kMixRate);
    const auto last = static_cast<size_t>(to * kMixRate);
    double sum = 0.0;
    for (size_t i = first; i < last; ++i) {
        sum += stereo[i * 2] * stereo[i * 2];
    }
    return std::sqrt(sum / static_cast<double>(last - first));
}

std::vector<float> renderSeconds(FluidMusicSynth& synth, double seconds) {
    std::vector<float> out(static_cast<size_t>(seconds * kMixRate) * 2);
    // In device-sized blocks, as the mixer pulls it.
    for (size_t done = 0; done < out.size() / 2; done += 512) {
        const auto frames = static_cast<uint32_t>(std::min<size_t>(512, out.size() / 2 - done));
        synth.render(out.data() + done * 2, frames);
    }
    return out;
}

class FluidMusicSynthTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string soundFont = installedSoundFont();
        if (soundFont.empty()) {
            GTEST_SKIP() << "no General MIDI soundfont installed";
        }
        synth_ = std::make_unique<FluidMusicSynth>(soundFont);
        ASSERT_TRUE(synth_->ready());
    }
    std::unique_ptr<FluidMusicSynth> synth_;
};

// The game music_loop hears a song loop without a gap and its notes end when stopped.
TEST_F(FluidMusicSynthTest, StopAndANewSongSilenceTheOldOne) {
    ASSERT_TRUE(synth_->play(midiFile({{0, 48000, 0, 60}}, 48000), true));
    renderSeconds(*synth_, 0.5);
    synth_->stop();
    // Let the voices' release tails pass; nothing of the held note may remain.
    EXPECT_LT(loudness(renderSeconds(*synth_, 1.0), 0.5, 1.0), 1e-4);

    ASSERT_TRUE(synth_->play(midiFile({{0, 48000, 0, 60}}, 48000), true));
    renderSeconds(*synth_, 0.5);
    const std::string silentSong = midiFile({}, 960);
    ASSERT_TRUE(synth_->play(silentSong, false));
    EXPECT_LT(loudness(renderSeconds(*synth_, 1.0), 0.5, 1.0), 1e-4);
}

TEST_F(FluidMusicSynthTest, UnparseableFilesFailAndLeaveSilence) {
    std::mt19937 random(11);
    std::string noise(4096, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random());
    }
    const std::string song = oneNoteSong();
    const std::string cases[] = {noise, "MThd" + noise, song.substr(0, song.size() - 5), ""};
    for (const std::string& file : cases) {
        EXPECT_FALSE(synth_->play(file, true)) << file.size() << " bytes";
        EXPECT_LT(loudness(renderSeconds(*synth_, 0.2), 0.0, 0.2), 1e-6);
    }
}

TEST(FluidMusicSynth, MissingSoundFontIsNotReady) {
    FluidMusicSynth synth("/nonexistent/none.sf2");
    EXPECT_FALSE(synth.ready());
    EXPECT_FALSE(synth.play(oneNoteSong(), true));
}

}  // namespace
}  // namespace tavro
