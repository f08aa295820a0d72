#include "host/audio/mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "host/audio/soft_knee.h"
#include "support/file_bytes.h"

namespace tavro {
namespace {

using namespace testing;

constexpr uint32_t kSoundFrames = 1000;

// Mixes `frames` frames and returns them.
std::vector<float> mixFrames(Mixer& mixer, uint32_t frames) {
    std::vector<float> out(static_cast<size_t>(frames) * 2);
    mixer.mix(out.data(), frames);
    return out;
}

int32_t constantMaster(Mixer& mixer, double level, uint32_t frames = kSoundFrames) {
    return mixer.createMaster(pcmFormat(1, kMixRate, 16), constantPcm16(level, frames));
}

TEST(Mixer, VoiceFollowsPlayStopRewindAndEnd) {
    enum Op { play, playLooping, stop, rewind, mix };
    struct Step {
        Op op;
        uint32_t frames = 0;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        bool playing;
        uint32_t position;
    };
    // Play, stop, rewind, resume and replay after the end are heard in the games sound_replay,
    // sound_stop_resume and sound_two_voices; these are the cases no game plays.
    // clang-format off
    const Case cases[] = {
        {"mixing past the end",       {{play}, {mix, kSoundFrames + 300}},                        false, 0},
        {"rewind of a stopped voice", {{play}, {mix, 300}, {stop}, {mix, 80}, {rewind}, {mix, 5}}, false, 0},
        {"stop of a stopped voice",   {{stop}, {mix, 10}},                                         false, 0},
        {"looping wraps around",      {{playLooping}, {mix, 1200}},                                true,  200},
    };
    // clang-format on
    for (const Case& c : cases) {
        Mixer mixer(8);
        const int32_t voice = mixer.createVoice(constantMaster(mixer, 0.5));
        ASSERT_GE(voice, 0);
        for (const Step& step : c.steps) {
            switch (step.op) {
                case play:
                    mixer.play(voice, false);
                    break;
                case playLooping:
                    mixer.play(voice, true);
                    break;
                case stop:
                    mixer.stop(voice);
                    break;
                case rewind:
                    mixer.setPosition(voice, 0);
                    break;
                case mix:
                    mixFrames(mixer, step.frames);
                    break;
            }
        }
        EXPECT_EQ(mixer.voicePlaying(voice), c.playing) << c.name;
        EXPECT_EQ(mixer.voicePosition(voice), c.position) << c.name;
    }
}

TEST(Mixer, StartAndStopFadeInsteadOfClicking) {
    Mixer mixer(8);
    const int32_t voice = mixer.createVoice(constantMaster(mixer, 0.5));
    mixer.play(voice, false);
    const std::vector<float> start = mixFrames(mixer, kRampFrames + 10);
    for (uint32_t i = 1; i < kRampFrames + 10; ++i) {
        ASSERT_LE(start[i * 2] - start[(i - 1) * 2], 0.5f / kRampFrames + 1e-6) << "frame " << i;
    }
    EXPECT_NEAR(start[(kRampFrames + 9) * 2], 0.5f, 1e-4);

    mixer.stop(voice);
    const std::vector<float> end = mixFrames(mixer, kRampFrames + 10);
    for (uint32_t i = 1; i < kRampFrames + 10; ++i) {
        ASSERT_LE(end[(i - 1) * 2] - end[i * 2], 0.5f / kRampFrames + 1e-6) << "frame " << i;
    }
    EXPECT_EQ(end[(kRampFrames + 9) * 2], 0.0f);
}

TEST(Mixer, LoudSumsSaturateSoftlyBelowFullScale) {
    struct Case {
        int voices;
        float level;
    };
    const Case cases[] = {{1, 0.5f}, {2, 0.4f}, {3, 0.5f}, {8, 0.5f}, {64, 0.9f}};
    for (const Case& c : cases) {
        Mixer mixer(128);
        const int32_t master = constantMaster(mixer, c.level);
        for (int i = 0; i < c.voices; ++i) {
            mixer.play(mixer.createVoice(master), false);
        }
        mixFrames(mixer, kRampFrames);
        const float out = mixFrames(mixer, 1)[0];
        const float sum = static_cast<float>(c.voices) * c.level;
        EXPECT_NEAR(out, softKnee(sum), 1e-3) << c.voices << " voices at " << c.level;
        EXPECT_LE(out, 1.0f) << c.voices << " voices";
    }
}

TEST(SoftKnee, PassesQuietSamplesAndBendsLoudOnesMonotonically) {
    struct Case {
        float in;
        float out;
    };
    const Case exact[] = {{0.0f, 0.0f}, {0.5f, 0.5f}, {-0.5f, -0.5f}, {kSoftKnee, kSoftKnee}};
    for (const Case& c : exact) {
        EXPECT_EQ(softKnee(c.in), c.out) << c.in;
    }
    float previous = softKnee(kSoftKnee);
    for (float in = kSoftKnee + 0.01f; in < 20.0f; in += 0.01f) {
        const float out = softKnee(in);
        ASSERT_GE(out, previous) << in;
        ASSERT_LE(out, 1.0f) << in;
        ASSERT_LT(out, in) << in;
        ASSERT_EQ(softKnee(-in), -out) << in;
        previous = out;
    }
    // No kink at the knee: the slope just above it is still close to 1.
    EXPECT_NEAR((softKnee(kSoftKnee + 1e-3f) - kSoftKnee) / 1e-3f, 1.0f, 0.01f);
}

TEST(Mixer, VoicesRunOutAndComeBackWhenReleased) {
    Mixer mixer(2);
    const int32_t master = constantMaster(mixer, 0.5);
    const int32_t first = mixer.createVoice(master);
    const int32_t second = mixer.createVoice(master);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    EXPECT_EQ(mixer.createVoice(master), -1);
    mixer.releaseVoice(first);
    EXPECT_GE(mixer.createVoice(master), 0);
    EXPECT_EQ(mixer.createVoice(-1), -1);
    EXPECT_EQ(mixer.createVoice(99), -1);
}

TEST(Mixer, VoiceOutlivesItsReleasedMaster) {
    Mixer mixer(4);
    const int32_t master = constantMaster(mixer, 0.5);
    const int32_t voice = mixer.createVoice(master);
    mixer.releaseMaster(master);
    EXPECT_EQ(mixer.masterFrames(master), 0u);
    EXPECT_EQ(mixer.createVoice(master), -1);
    mixer.play(voice, false);
    mixFrames(mixer, kRampFrames);
    EXPECT_NEAR(mixFrames(mixer, 1)[0], 0.5f, 1e-3);
}

TEST(Mixer, ReleasedVoiceFallsSilent) {
    Mixer mixer(4);
    const int32_t voice = mixer.createVoice(constantMaster(mixer, 0.5));
    mixer.play(voice, false);
    mixFrames(mixer, 100);
    mixer.releaseVoice(voice);
    const std::vector<float> out = mixFrames(mixer, 10);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float s) { return s == 0.0f; }));
}

class ConstantSource : public AudioSource {
  public:
    void render(float* stereo, uint32_t frames) override {
        std::fill(stereo, stereo + frames * 2, 0.125f);
        rendered += frames;
    }
    uint64_t rendered = 0;
};

TEST(Mixer, AddsItsSourceOnTopOfTheVoices) {
    Mixer mixer(4);
    ConstantSource music;
    mixer.setSource(&music);
    const int32_t voice = mixer.createVoice(constantMaster(mixer, 0.25, kSourceBlockFrames * 4));
    mixer.play(voice, false);
    mixFrames(mixer, kRampFrames);
    // More frames than one source block: the source is pulled in pieces, all of them mixed.
    const std::vector<float> out = mixFrames(mixer, kSourceBlockFrames * 2 + 7);
    EXPECT_TRUE(
        std::all_of(out.begin(), out.end(), [](float s) { return std::fabs(s - 0.375f) < 1e-3; }));
    EXPECT_EQ(music.rendered, kRampFrames + kSourceBlockFrames * 2 + 7);
    mixer.setSource(nullptr);
}

}  // namespace
}  // namespace tavro
