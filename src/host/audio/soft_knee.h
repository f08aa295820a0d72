// The mixer's last stage: samples up to the knee pass unchanged, louder ones bend smoothly
// towards full scale instead of being clipped, so many voices summed past full scale
// saturate without the harsh edges of clipping.
#pragma once

#include <cmath>

namespace tavro {

inline constexpr float kSoftKnee = 0.8f;

inline float softKnee(float sample) {
    const float magnitude = std::fabs(sample);
    if (magnitude <= kSoftKnee) {
        return sample;
    }
    // Matches the straight line's value and slope at the knee and approaches 1.
    constexpr float room = 1.0f - kSoftKnee;
    const float bent = kSoftKnee + room * std::tanh((magnitude - kSoftKnee) / room);
    return sample < 0.0f ? -bent : bent;
}

}  // namespace tavro
