// The speakers: an SDL audio device that pulls the mixer on SDL's audio thread, with a small
// buffer (512 frames, about 12 ms at 44100 Hz) so effects keep up with the picture.
#pragma once

#include <cstdint>

#include "host/audio/mixer.h"

namespace tavro {

inline constexpr uint16_t kAudioDeviceFrames = 512;

class SdlAudioDevice {
  public:
    explicit SdlAudioDevice(Mixer& mixer);
    ~SdlAudioDevice() { close(); }
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    // Opens the default device and starts pulling; false (SDL's reason in `error`) when no
    // device opens.
    bool open(const char*& error);
    // Stops pulling and closes the device; after it returns the mixer is not touched again.
    void close();
    bool isOpen() const { return device_ != 0; }

  private:
    static void pull(void* mixer, uint8_t* stream, int bytes);

    Mixer& mixer_;
    uint32_t device_ = 0;
};

}  // namespace tavro
