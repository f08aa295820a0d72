// The headless audio output: the mixer is pulled by the virtual clock, so every millisecond
// the program sleeps yields exactly the frames that fall due at the mixer's rate, and a run's
// sound repeats to the sample. What is mixed can be recorded to a WAV file (--audio-out).
#pragma once

#include <cstdint>
#include <vector>

#include "host/audio/mixer.h"
#include "host/audio/wave_writer.h"
#include "host/clock.h"

namespace tavro {

class HeadlessAudio {
  public:
    // `recording` may be null (the mix is then produced and dropped).
    HeadlessAudio(Mixer& mixer, WaveWriter* recording);

    // Mixes the frames that fall due as the clock moves on by this much.
    void advance(uint32_t milliseconds);
    uint64_t framesMixed() const { return framesMixed_; }

  private:
    Mixer& mixer_;
    WaveWriter* recording_;
    uint64_t elapsedMilliseconds_ = 0;
    uint64_t framesMixed_ = 0;
    std::vector<float> block_;
};

// A clock that pulls the headless audio by the time that passes on the clock it wraps: the
// virtual clock of a headless run, or the real clock of a windowed run whose audio device did
// not open (the voices then still play out and end, unheard).
class AudioPullingClock : public Clock {
  public:
    AudioPullingClock(Clock& clock, HeadlessAudio& audio)
        : clock_(clock), audio_(audio), last_(clock.milliseconds()) {}

    uint32_t milliseconds() override { return clock_.milliseconds(); }
    void sleep(uint32_t milliseconds) override;

  private:
    Clock& clock_;
    HeadlessAudio& audio_;
    uint32_t last_;
};

}  // namespace tavro
