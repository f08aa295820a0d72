// The engine's pseudo-random generator behind "rand(": a 32-bit linear congruential state,
// s = s * 214013 + 2531011, yielding bits 16 to 30 of each new state (0 ... 32767).
#pragma once

#include <cstdint>

namespace tavro {

// Sets the state. The shell calls it once at start-up with --seed N, or with the clock.
void seedRandom(uint32_t seed);

// Advances the state and returns the next value, 0 ... 32767.
int32_t nextRandom();

}  // namespace tavro
