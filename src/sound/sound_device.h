// The sound device and the cache of loaded sounds. For now a stand-in that always succeeds
// and plays nothing.
#pragma once

namespace tavro {

class SoundDevice {
  public:
    bool create() {
        ready_ = true;
        return true;
    }
    // Releases every loaded sound and the device.
    void freeSoundCache() { ready_ = false; }
    bool ready() const { return ready_; }

  private:
    bool ready_ = false;
};

}  // namespace tavro
