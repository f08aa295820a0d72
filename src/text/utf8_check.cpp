#include "text/utf8_check.h"

#include <cstddef>

namespace tavro {

bool isValidUtf8(std::string_view text, bool& beyondAscii) {
    beyondAscii = false;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const size_t length = byte < 0x80                   ? 1
                              : byte >= 0xC2 && byte < 0xE0 ? 2
                              : byte >= 0xE0 && byte < 0xF0 ? 3
                              : byte >= 0xF0 && byte < 0xF5 ? 4
                                                            : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        beyondAscii = beyondAscii || length > 1;
        i += length;
    }
    return true;
}

}  // namespace tavro
