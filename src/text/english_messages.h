// The English line Tavro adds below each message its boxes show: the engine's messages are
// Japanese, and a player who does not read it is told the same in English.
#pragma once

#include <string_view>

namespace tavro {

// The English line for a message box text (Shift-JIS, as the engine shows it); null for a
// text Tavro does not know, such as one already in English.
const char* englishMessageFor(std::string_view shiftJisText);

}  // namespace tavro
