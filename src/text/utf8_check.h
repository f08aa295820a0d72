// Whether bytes are well-formed UTF-8: a game's text files are Shift-JIS, so UTF-8 found in
// them (or in Tavro's own settings file, which must be UTF-8) is worth telling apart.
#pragma once

#include <string_view>

namespace tavro {

// True when `text` is well-formed UTF-8; `beyondAscii` tells whether it holds any character
// beyond ASCII.
bool isValidUtf8(std::string_view text, bool& beyondAscii);

}  // namespace tavro
