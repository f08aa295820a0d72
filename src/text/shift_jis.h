// Conversion between the engine's Shift-JIS text (code page 932) and UTF-8, the encoding of
// Linux file names and terminals.
#pragma once

#include <string>
#include <string_view>

namespace tavro {

// True for the first byte of a two-byte code page 932 character, as file names and boxes split
// them (the script engine's own texts count every byte from 0x80 up as one: isLeadByte).
inline bool isShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
}

// Converts Shift-JIS bytes to UTF-8. A byte that starts no valid character becomes U+FFFD and
// the conversion goes on with the next byte. True when every byte converted.
bool shiftJisToUtf8(std::string_view shiftJis, std::string& utf8);
// Converts UTF-8 to Shift-JIS. A byte or character with no Shift-JIS form becomes '?'. True
// when everything converted.
bool utf8ToShiftJis(std::string_view utf8, std::string& shiftJis);

// Lenient forms for display, where a substituted character is acceptable.
std::string shiftJisToUtf8(std::string_view shiftJis);

}  // namespace tavro
