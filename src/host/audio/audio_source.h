// A source the mixer pulls besides its voices (the music synthesiser).
#pragma once

#include <cstdint>

namespace tavro {

class AudioSource {
  public:
    virtual ~AudioSource() = default;
    // Writes `frames` interleaved stereo frames at the mixer's rate. Called on the mixing
    // thread; must neither allocate nor wait.
    virtual void render(float* stereo, uint32_t frames) = 0;
};

}  // namespace tavro
