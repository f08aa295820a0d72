#include "host/sdl/sdl_audio_device.h"

#include <SDL.h>

#include "host/sdl/quiet_audio_backends.h"

namespace tavro {

SdlAudioDevice::SdlAudioDevice(Mixer& mixer) : mixer_(mixer) {}

bool SdlAudioDevice::open(const char*& error) {
    close();
    QuietAudioBackends();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kMixRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kMixChannels;
    wanted.samples = kAudioDeviceFrames;
    wanted.callback = &SdlAudioDevice::pull;
    wanted.userdata = &mixer_;
    // No changes allowed: SDL converts to whatever the hardware takes.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device_ == 0) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void SdlAudioDevice::close() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
        device_ = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SdlAudioDevice::pull(void* mixer, uint8_t* stream, int bytes) {
    const auto frames = static_cast<uint32_t>(bytes) / (kMixChannels * sizeof(float));
    static_cast<Mixer*>(mixer)->mix(reinterpret_cast<float*>(stream), frames);
}

}  // namespace tavro
