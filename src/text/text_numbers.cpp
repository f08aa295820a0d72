#include "text/text_numbers.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tavro {

namespace {

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Renders with snprintf into exactly the storage the rendering needs.
template <typename Value>
TextString formatNumber(const char* format, Value value) {
    const int needed = std::snprintf(nullptr, 0, format, value);
    if (needed <= 0) {
        return {};
    }
    TextString result;
    char* storage = result.reserve(needed);
    std::snprintf(storage, static_cast<size_t>(needed) + 1, format, value);
    return result;
}

}  // namespace

int32_t textToInt(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    while (isSpace(*text)) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    // Accumulate as a negative magnitude so INT32_MIN itself is representable.
    constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
    int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 - (*text - '0');
        if (magnitude < kLowest) {
            magnitude = kLowest - 1;  // saturated; further digits cannot bring it back
        }
    }
    if (negative) {
        return magnitude < kLowest ? std::numeric_limits<int32_t>::min()
                                   : static_cast<int32_t>(magnitude);
    }
    return -magnitude > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                            : static_cast<int32_t>(-magnitude);
}

double textToDouble(const char* text) {
    return text == nullptr ? 0.0 : std::strtod(text, nullptr);
}

TextString formatInt(int32_t value) {
    return formatNumber("%d", value);
}

TextString formatDouble(double value) {
    return formatNumber("%f", value);
}

}  // namespace tavro
