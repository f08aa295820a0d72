// Both directions go through Tavro's own code page 932 table, so every build converts alike.
#include "text/shift_jis.h"

#include <algorithm>
#include <array>
#include <memory>

#include "text/cp932_table.h"

namespace tavro {
namespace {

constexpr char kUtf8Substitute[] = "\xef\xbf\xbd";
constexpr uint16_t kNoCode = 0xfffe;

// The code written for each character of the Basic Multilingual Plane, kNoCode for none.
using WrittenCodes = std::array<uint16_t, 0x10000>;

std::unique_ptr<WrittenCodes> makeWrittenCodes() {
    auto codes = std::make_unique<WrittenCodes>();
    codes->fill(kNoCode);
    auto claim = [&](char16_t character, uint16_t code) {
        if (character != cp932::kNoCharacter && character != cp932::kLeadByte &&
            (*codes)[character] == kNoCode) {
            (*codes)[character] = code;
        }
    };
    for (unsigned byte = 0; byte < 256; ++byte) {
        claim(cp932::kSingleBytes[byte], byte);
    }
    for (unsigned lead = 0x81; lead <= 0xfc; ++lead) {
        if (cp932::kSingleBytes[lead] != cp932::kLeadByte) {
            continue;
        }
        for (unsigned trail = cp932::kFirstTrail; trail <= cp932::kLastTrail; ++trail) {
            claim(cp932::kPairs[cp932::leadIndex(lead) * cp932::kTrailCount + trail -
                                cp932::kFirstTrail],
                  lead << 8 | trail);
        }
    }
    for (size_t i = 0; i < cp932::kWrittenCodeCount; ++i) {
        if (cp932::kWrittenCodes[i].character < 0x10000) {
            (*codes)[cp932::kWrittenCodes[i].character] = cp932::kWrittenCodes[i].code;
        }
    }
    return codes;
}

uint16_t writtenCode(char32_t character) {
    static const std::unique_ptr<WrittenCodes> codes = makeWrittenCodes();
    if (character < 0x10000) {
        return (*codes)[character];
    }
    const cp932::WrittenCode* end = cp932::kWrittenCodes + cp932::kWrittenCodeCount;
    const cp932::WrittenCode* found = std::lower_bound(
        cp932::kWrittenCodes, end, character,
        [](const cp932::WrittenCode& code, char32_t c) { return code.character < c; });
    return found != end && found->character == character ? found->code : kNoCode;
}

void appendUtf8(char32_t character, std::string& utf8) {
    if (character < 0x80) {
        utf8 += static_cast<char>(character);
    } else if (character < 0x800) {
        utf8 += static_cast<char>(0xc0 | character >> 6);
        utf8 += static_cast<char>(0x80 | (character & 0x3f));
    } else {
        utf8 += static_cast<char>(0xe0 | character >> 12);
        utf8 += static_cast<char>(0x80 | (character >> 6 & 0x3f));
        utf8 += static_cast<char>(0x80 | (character & 0x3f));
    }
}

// The character a well-formed UTF-8 sequence at the start of text encodes, with its length;
// length 0 when the sequence is malformed, cut short, overlong, a surrogate or past U+10FFFF.
struct Utf8Character {
    char32_t character;
    size_t length;
};

Utf8Character readUtf8(std::string_view text) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 0;
    if (length == 0 || lead >= 0xf5 || length > text.size()) {
        return {0, 0};
    }
    char32_t character = lead & (0x7f >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80) {
            return {0, 0};
        }
        character = character << 6 | (byte(i) & 0x3f);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (character < kSmallest[length] || character > 0x10ffff ||
        (character >= 0xd800 && character < 0xe000)) {
        return {0, 0};
    }
    return {character, length};
}

// A well-formed UTF-8 character without a Shift-JIS form is skipped whole, so it becomes one
// substitute; a malformed byte is skipped alone.
size_t skipUtf8Character(std::string_view rest) {
    auto lead = static_cast<unsigned char>(rest[0]);
    size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
    if (length > rest.size()) {
        return 1;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(rest[i]) & 0xc0) != 0x80) {
            return 1;
        }
    }
    return length;
}

}  // namespace

bool shiftJisToUtf8(std::string_view shiftJis, std::string& utf8) {
    utf8.clear();
    bool exact = true;
    for (size_t i = 0; i < shiftJis.size();) {
        auto lead = static_cast<unsigned char>(shiftJis[i]);
        char16_t character = cp932::kSingleBytes[lead];
        size_t length = 1;
        if (character == cp932::kLeadByte) {
            character = cp932::kNoCharacter;
            if (i + 1 < shiftJis.size()) {
                auto trail = static_cast<unsigned char>(shiftJis[i + 1]);
                if (trail >= cp932::kFirstTrail && trail <= cp932::kLastTrail) {
                    character = cp932::kPairs[cp932::leadIndex(lead) * cp932::kTrailCount + trail -
                                              cp932::kFirstTrail];
                    length = 2;
                }
            }
        }
        if (character == cp932::kNoCharacter) {
            // A bad pair gives up its first byte only: the second may start a character.
            exact = false;
            utf8 += kUtf8Substitute;
            ++i;
            continue;
        }
        appendUtf8(character, utf8);
        i += length;
    }
    return exact;
}

bool utf8ToShiftJis(std::string_view utf8, std::string& shiftJis) {
    shiftJis.clear();
    bool exact = true;
    for (size_t i = 0; i < utf8.size();) {
        std::string_view rest = utf8.substr(i);
        Utf8Character read = readUtf8(rest);
        uint16_t code = read.length > 0 ? writtenCode(read.character) : kNoCode;
        if (code == kNoCode) {
            exact = false;
            shiftJis += '?';
            i += skipUtf8Character(rest);
            continue;
        }
        if (code > 0xff && code != cp932::kWritesNothing) {
            shiftJis += static_cast<char>(code >> 8);
        }
        if (code != cp932::kWritesNothing) {
            shiftJis += static_cast<char>(code & 0xff);
        }
        i += read.length;
    }
    return exact;
}

std::string shiftJisToUtf8(std::string_view shiftJis) {
    std::string utf8;
    shiftJisToUtf8(shiftJis, utf8);
    return utf8;
}

}  // namespace tavro
