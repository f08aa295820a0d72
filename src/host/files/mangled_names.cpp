// The two code pages' upper halves come from glibc iconv once, as tables from a character back
// to its byte.
#include "host/files/mangled_names.h"

#include <iconv.h>

#include <array>
#include <optional>
#include <unordered_map>

#include "text/shift_jis.h"

namespace tavro {
namespace {

using ByteOfCharacter = std::unordered_map<char32_t, unsigned char>;

// Byte 0x80 to 0xFF of the code page as characters; a byte iconv leaves undefined is read as
// Latin-1, the character of the same number.
ByteOfCharacter upperHalfOf(const char* codePage) {
    ByteOfCharacter table;
    iconv_t converter = iconv_open("UTF-32LE", codePage);
    for (unsigned byte = 0x80; byte <= 0xff; ++byte) {
        char in = static_cast<char>(byte);
        std::array<unsigned char, 4> out{};
        char* inPointer = &in;
        char* outPointer = reinterpret_cast<char*>(out.data());
        size_t inLeft = 1, outLeft = out.size();
        char32_t character = byte;
        if (converter != reinterpret_cast<iconv_t>(-1) &&
            iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == 0 && outLeft == 0) {
            character = out[0] | (out[1] << 8) | (out[2] << 16) | (char32_t{out[3]} << 24);
        }
        if (converter != reinterpret_cast<iconv_t>(-1)) {
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
        table.emplace(character, static_cast<unsigned char>(byte));
    }
    if (converter != reinterpret_cast<iconv_t>(-1)) {
        iconv_close(converter);
    }
    return table;
}

// The next character of UTF-8 text, or none for a malformed sequence.
std::optional<char32_t> nextCharacter(std::string_view text, size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    const int extra = lead >= 0xf0 ? 3 : lead >= 0xe0 ? 2 : lead >= 0xc0 ? 1 : -1;
    if (extra < 0 || at + static_cast<size_t>(extra) > text.size()) {
        return std::nullopt;
    }
    char32_t character = lead & (0x3f >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[at++]);
        if ((next & 0xc0) != 0x80) {
            return std::nullopt;
        }
        character = (character << 6) | (next & 0x3f);
    }
    return character;
}

// The bytes whose reading in the code page is the name; false when a character is not in it.
bool bytesOf(std::string_view name, const ByteOfCharacter& table, std::string& bytes) {
    bytes.clear();
    for (size_t at = 0; at < name.size();) {
        std::optional<char32_t> character = nextCharacter(name, at);
        if (!character) {
            return false;
        }
        if (*character < 0x80) {
            bytes += static_cast<char>(*character);
            continue;
        }
        const auto found = table.find(*character);
        if (found == table.end()) {
            return false;
        }
        bytes += static_cast<char>(found->second);
    }
    return true;
}

}  // namespace

std::vector<std::string> unmangledShiftJisNames(std::string_view diskName) {
    static const ByteOfCharacter cp437 = upperHalfOf("CP437");
    static const ByteOfCharacter cp1252 = upperHalfOf("CP1252");
    std::vector<std::string> names;
    for (const ByteOfCharacter* table : {&cp437, &cp1252}) {
        std::string bytes, utf8;
        if (bytesOf(diskName, *table, bytes) && bytes != diskName && shiftJisToUtf8(bytes, utf8) &&
            utf8 != bytes) {
            names.push_back(std::move(bytes));
        }
    }
    return names;
}

}  // namespace tavro
