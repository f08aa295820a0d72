// Case folding of the ASCII letters only, as settings keys, option words and file names on
// Windows compare: bytes from 0x80 up (Shift-JIS, UTF-8) are never folded.
#pragma once

#include <string_view>

namespace tavro {

constexpr char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace tavro
