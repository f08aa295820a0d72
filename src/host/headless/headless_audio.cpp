#include "host/headless/headless_audio.h"

#include <algorithm>

namespace tavro {

namespace {

constexpr uint32_t kBlockFrames = 1024;

}  // namespace

HeadlessAudio::HeadlessAudio(Mixer& mixer, WaveWriter* recording)
    : mixer_(mixer), recording_(recording), block_(kBlockFrames * kMixChannels) {}

void HeadlessAudio::advance(uint32_t milliseconds) {
    elapsedMilliseconds_ += milliseconds;
    const uint64_t due = elapsedMilliseconds_ * kMixRate / 1000;
    while (framesMixed_ < due) {
        const auto frames =
            static_cast<uint32_t>(std::min<uint64_t>(due - framesMixed_, kBlockFrames));
        mixer_.mix(block_.data(), frames);
        if (recording_) {
            recording_->write(block_.data(), frames);
        }
        framesMixed_ += frames;
    }
}

void AudioPullingClock::sleep(uint32_t milliseconds) {
    clock_.sleep(milliseconds);
    const uint32_t now = clock_.milliseconds();
    audio_.advance(now - last_);  // wraps like the clock
    last_ = now;
}

}  // namespace tavro
