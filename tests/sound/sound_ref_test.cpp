#include "sound/sound_ref.h"

#include <gtest/gtest.h>

#include <memory>

#include "host/audio/mixer.h"
#include "support/file_bytes.h"
#include "support/game_folder.h"
#include "support/log_sink.h"

namespace tavro {
namespace {

using namespace testing;

constexpr int16_t kLevel = 8192;  // 0.25 of full scale
constexpr float kVoiceLevel = 0.25f;

class SoundRefTest : public ::testing::Test {
  protected:
    SoundRefTest() {
        files.files["a.wav"] = waveFile(kLevel, 4000);
        files.files["b.wav"] = waveFile(kLevel, 4000);
    }
    // The level after every voice has faded in.
    float settledLevel() {
        std::vector<float> out((kRampFrames + 1) * 2);
        mixer.mix(out.data(), kRampFrames + 1);
        return out[kRampFrames * 2];
    }

    GameFolder files;
    RecordingSink log;
    Mixer mixer{4};
    SoundCache cache{&mixer, files, log};
};

TEST_F(SoundRefTest, NewReferencePlaysTheFirstSoundLoaded) {
    SoundRef unfilled;
    EXPECT_EQ(unfilled.soundIndex, 0);
    EXPECT_FALSE(unfilled.play(cache)) << "no sound loaded yet";
    EXPECT_EQ(log.reports, Reports({{"Duplicate", Severity::kNotice}}));
    SoundRef loaded;
    ASSERT_TRUE(loaded.load("a.wav", cache));
    EXPECT_TRUE(unfilled.play(cache));
    EXPECT_NEAR(settledLevel(), kVoiceLevel, 1e-3);
}

// A reference released after shut-down freed the sounds still gives its voice back, so none
// leaks: a mixer of four voices serves any number of such rounds.
TEST_F(SoundRefTest, ReleasingAfterTheSoundsAreFreedFreesTheVoice) {
    for (int round = 0; round < 10; ++round) {
        SoundRef sound;
        ASSERT_TRUE(sound.load("a.wav", cache)) << "round " << round;
        cache.freeSoundCache();
    }
}

// The games sound_two_voices, sound_stop_resume and sound_replay play, stop and rewind.
TEST_F(SoundRefTest, ReleasingAReferenceEndsItsVoice) {
    struct Case {
        const char* name;
        void (*release)(std::unique_ptr<SoundRef>& sound, SoundCache& cache);
    };
    using Ref = std::unique_ptr<SoundRef>;
    const Case cases[] = {
        {"released", [](Ref& s, SoundCache&) { s->release(); }},
        {"destroyed", [](Ref& s, SoundCache&) { s.reset(); }},
        {"assigned another", [](Ref& s, SoundCache&) { *s = SoundRef(); }},
        {"loaded again", [](Ref& s, SoundCache& cache) { s->load("", cache); }},
    };
    for (const Case& c : cases) {
        auto sound = std::make_unique<SoundRef>();
        ASSERT_TRUE(sound->load("a.wav", cache)) << c.name;
        sound->play(cache);
        ASSERT_NEAR(settledLevel(), kVoiceLevel, 1e-3) << c.name;
        c.release(sound, cache);
        EXPECT_EQ(settledLevel(), 0.0f) << c.name;
    }
    // Every voice came back: the mixer's four slots are free again.
    std::vector<SoundRef> refs(4);
    for (SoundRef& ref : refs) {
        EXPECT_TRUE(ref.play(cache));
    }
}

TEST_F(SoundRefTest, VoiceFollowsItsReferenceWhenTheArrayGrows) {
    std::vector<SoundRef> refs(1);
    ASSERT_TRUE(refs[0].load("a.wav", cache));
    refs[0].play(cache);
    refs.resize(64);
    EXPECT_NEAR(settledLevel(), kVoiceLevel, 1e-3);
}

TEST_F(SoundRefTest, FailedLoadsLeaveNoSound) {
    SoundRef sound;
    EXPECT_FALSE(sound.load("missing.wav", cache));
    EXPECT_EQ(sound.soundIndex, -1);
    log.reports.clear();
    EXPECT_FALSE(sound.play(cache));
    EXPECT_FALSE(sound.stop(cache));
    EXPECT_FALSE(sound.rewind(cache));
    EXPECT_TRUE(log.reports.empty()) << "an unloaded reference is silent, not logged";
}

TEST_F(SoundRefTest, RunningOutOfVoicesLogsDuplicateAndTriesAgainLater) {
    std::vector<SoundRef> refs(4);
    for (SoundRef& ref : refs) {
        ASSERT_TRUE(ref.load("a.wav", cache));
    }
    SoundRef extra;
    EXPECT_FALSE(extra.load("b.wav", cache));
    EXPECT_EQ(extra.soundIndex, 1) << "the index stays for a later try";
    EXPECT_EQ(log.reports, Reports({{"Duplicate", Severity::kNotice}}));
    refs[0].release();
    EXPECT_TRUE(extra.play(cache));
}

}  // namespace
}  // namespace tavro
