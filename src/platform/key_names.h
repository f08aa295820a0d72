// Key names as scripts write them in "ifkey(" and "ifstamp(": a named key ("space", "left"),
// a pad input ("pad1.3", "pad2.right", "pad1.n" with the input taken from n at run time), or
// a text whose first byte is the key (so "A" and "7" are those keys).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tavro {

// A pad input's key code: the pad's device bits with the input number (0 when the number is
// taken at run time) in the low byte.
inline constexpr int32_t kPad1Device = 0x1000;
inline constexpr int32_t kPad2Device = 0x2000;
inline constexpr int32_t kPadDeviceMask = 0xF000;
inline constexpr int32_t kPadInputMask = 0xFF;

// The pad (0 or 1) a key code's device bits name; -1 for any other device.
constexpr int32_t padIndexOfCode(int32_t code) {
    switch (code & kPadDeviceMask) {
        case kPad1Device:
            return 0;
        case kPad2Device:
            return 1;
    }
    return -1;
}

struct KeyNameValue {
    // False for a text beginning with a, c, d, e, l, p, r, s, t or u that names no key.
    bool hasCode = false;
    // The key code, or a pad device combined with its input number.
    int32_t code = 0;
    // For a pad name whose input is neither a direction nor a number: the text that gives
    // the input number when the statement runs. Empty otherwise.
    std::string_view inputExpression;
};

KeyNameValue keyValueForName(std::string_view name);

// The keys named by a word ("space", "left", "lbutton" ...).
std::span<const std::string_view> namedKeyNames();

}  // namespace tavro
