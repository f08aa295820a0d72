#include "host/sdl/sdl_audio_device.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>

namespace tavro {
namespace {

class CountingSource : public AudioSource {
  public:
    void render(float* stereo, uint32_t frames) override {
        std::fill(stereo, stereo + frames * kMixChannels, 0.0f);
        rendered.fetch_add(frames);
    }
    std::atomic<uint64_t> rendered{0};
};

TEST(SdlAudioDevice, PullsTheMixerUntilClosed) {
    SDL_SetHint("SDL_AUDIODRIVER", "dummy");
    Mixer mixer(4);
    CountingSource source;
    mixer.setSource(&source);
    SdlAudioDevice device(mixer);
    const char* error = nullptr;
    ASSERT_TRUE(device.open(error)) << error;
    for (int wait = 0; wait < 200 && source.rendered.load() < kAudioDeviceFrames * 4; ++wait) {
        SDL_Delay(5);
    }
    device.close();
    EXPECT_GE(source.rendered.load(), kAudioDeviceFrames * 4u);
    const uint64_t afterClose = source.rendered.load();
    SDL_Delay(30);
    EXPECT_EQ(source.rendered.load(), afterClose) << "no pull after close";
    mixer.setSource(nullptr);
}

}  // namespace
}  // namespace tavro
