// Tavro's own code page 932 table (Shift-JIS with the NEC and IBM extensions), generated once
// from glibc's iconv by scripts/make-cp932-table so every build converts the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace tavro::cp932 {

// What a byte or byte pair reads as, when it is not a character (a code point otherwise).
inline constexpr char16_t kNoCharacter = 0xffff;
inline constexpr char16_t kLeadByte = 0xfffe;  // the first byte of a pair

// Lead bytes are 0x81-0x9F and 0xE0-0xFC, second bytes 0x40-0xFC.
inline constexpr int kLeadCount = 60;
inline constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xfc;
inline constexpr int kTrailCount = kLastTrail - kFirstTrail + 1;
inline constexpr int leadIndex(unsigned char lead) {
    return lead < 0xa0 ? lead - 0x81 : lead - 0xe0 + 31;
}

extern const char16_t kSingleBytes[256];
// Pair (lead, trail) at leadIndex(lead) * kTrailCount + trail - kFirstTrail.
extern const char16_t kPairs[kLeadCount * kTrailCount];

// A character is written as the lowest code that reads as it, except for these (sorted by
// character). A code up to 0xFF is one byte; kWritesNothing drops the character.
struct WrittenCode {
    char32_t character;
    uint16_t code;
};
inline constexpr uint16_t kWritesNothing = 0xffff;
extern const WrittenCode kWrittenCodes[];
extern const size_t kWrittenCodeCount;

}  // namespace tavro::cp932
