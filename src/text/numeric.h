// Checked conversions between script numbers (doubles) and integers.
// Every truncation of a script value goes through toInt32, so no conversion is undefined.
#pragma once

#include <cmath>
#include <cstdint>

namespace tavro {

// The value the x86 conversion gives for NaN, infinities and out-of-range input.
inline constexpr int32_t kIntegerIndefinite = INT32_MIN;

// Truncates toward zero and keeps the low 32 bits, so 3000000000 survives a round trip
// through an unsigned reinterpretation. NaN, infinities and values beyond the 64-bit range
// give kIntegerIndefinite.
inline int32_t toInt32(double value) {
    if (!(value > -9223372036854775808.0 && value < 9223372036854775808.0)) {
        return kIntegerIndefinite;
    }
    const auto wide = static_cast<int64_t>(value);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(wide)));
}

inline uint32_t toUInt32(double value) {
    return static_cast<uint32_t>(toInt32(value));
}

}  // namespace tavro
