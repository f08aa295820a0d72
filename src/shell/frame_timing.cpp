#include "shell/frame_timing.h"

namespace tavro {

bool FrameTiming::advance(uint32_t now) {
    accumulated_ += now - lastTime_;
    lastTime_ = now;
    return accumulated_ >= kFramePeriod;
}

bool FrameTiming::updateFrameRate(double& fps) {
    rateTime_ += accumulated_;
    if (rateTime_ <= kFrameRateInterval) {
        return false;
    }
    fps = 1000.0 / accumulated_;
    rateTime_ = 0;
    return true;
}

void FrameTiming::decideSkip(uint32_t threshold) {
    // With a threshold of 0 the limit 1000 / threshold is infinite: never skipped.
    if (!skip_ && threshold != 0 && accumulated_ >= 1000.0 / threshold) {
        skip_ = true;
        accumulated_ -= kFrameDecrement;
        return;
    }
    skip_ = false;
    while (accumulated_ >= kFramePeriod) {
        accumulated_ -= kFrameDecrement;
    }
}

}  // namespace tavro
