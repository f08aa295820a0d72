// Functions over plain zero-terminated Shift-JIS byte texts. Every search walks characters:
// a byte of 0x80 or above starts a two-byte character whose second byte is never a match start.
// Null is accepted wherever a text is.
#pragma once

#include <cstdint>

namespace tavro {

inline bool isLeadByte(char byte) {
    return static_cast<unsigned char>(byte) >= 0x80;
}

bool textIsEmpty(const char* text);
int32_t textLength(const char* text);
bool textEquals(const char* a, const char* b);

// First position in start..last (last being the last position a match may begin) where the
// pattern occurs, stepping over second bytes of two-byte characters; -1 when not found.
int32_t textFind(const char* text, const char* pattern, int32_t start, int32_t last);
int32_t textFind(const char* text, const char* pattern);
// textFind over a text whose length is already known (it may hold zero bytes): the same rule
// without measuring the text again, so repeated searches over one text stay linear.
int32_t textFindSized(const char* text, int32_t length, const char* pattern, int32_t patternLength,
                      int32_t start, int32_t last);

// Copies source bytes first..last (inclusive) to destination and terminates it.
// The caller guarantees the destination holds last - first + 2 bytes.
bool textCopyRange(char* destination, const char* source, int32_t first, int32_t last);

// Like textCopyRange, but first and last count characters; two-byte characters stay whole.
// The caller guarantees the destination holds 2 * (last - first + 1) + 1 bytes.
bool textCopyChars(char* destination, const char* source, int32_t first, int32_t last);

// Copies source to destination with every occurrence of pattern found in start..last replaced
// by replacement (null deletes). The destination must hold the whole result.
bool textReplace(char* destination, const char* source, const char* pattern,
                 const char* replacement, int32_t start, int32_t last);

// True for texts such as 12, -3.5 and 7.: a digit (or "-" and a digit), then digits with at
// most one "." that follows a digit.
bool textIsNumber(const char* text);

}  // namespace tavro
