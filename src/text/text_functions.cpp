#include "text/text_functions.h"

#include <cstring>

namespace tavro {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

bool textIsEmpty(const char* text) {
    return text == nullptr || text[0] == '\0';
}

int32_t textLength(const char* text) {
    return text == nullptr ? 0 : static_cast<int32_t>(std::strlen(text));
}

bool textEquals(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) {
        return a == b;
    }
    return std::strcmp(a, b) == 0;
}

int32_t textFindSized(const char* text, int32_t length, const char* pattern, int32_t patternLength,
                      int32_t start, int32_t last) {
    if (text == nullptr || length <= 0 || pattern == nullptr || patternLength <= 0 ||
        start > last || start < 0) {
        return -1;
    }
    if (int64_t{start} + patternLength > length || int64_t{last} - start < patternLength) {
        return -1;
    }
    const int64_t end = last < length ? last : length;
    for (int64_t i = start; i <= end;) {
        if (text[i] == pattern[0] && i + patternLength <= length &&
            std::memcmp(text + i, pattern, static_cast<size_t>(patternLength)) == 0) {
            return static_cast<int32_t>(i);
        }
        i += isLeadByte(text[i]) ? 2 : 1;
    }
    return -1;
}

int32_t textFind(const char* text, const char* pattern, int32_t start, int32_t last) {
    return textFindSized(text, textLength(text), pattern, textLength(pattern), start, last);
}

int32_t textFind(const char* text, const char* pattern) {
    return textFind(text, pattern, 0, textLength(text));
}

bool textCopyRange(char* destination, const char* source, int32_t first, int32_t last) {
    if (destination == nullptr || textIsEmpty(source) || destination == source || last < first ||
        first < 0) {
        return false;
    }
    int32_t k = 0;
    const int32_t length = textLength(source);
    for (int32_t i = first; i <= last && i < length; ++i) {
        destination[k++] = source[i];
    }
    destination[k] = '\0';
    return true;
}

bool textCopyChars(char* destination, const char* source, int32_t first, int32_t last) {
    if (destination == nullptr || textIsEmpty(source) || destination == source || last < first) {
        return false;
    }
    int32_t i = 0;
    auto stepCharacter = [&] { i += (isLeadByte(source[i]) && source[i + 1] != '\0') ? 2 : 1; };
    for (int32_t character = 0; character < first; ++character) {
        if (source[i] == '\0') {
            return false;
        }
        stepCharacter();
    }
    int32_t k = 0;
    for (int32_t character = first; character <= last && source[i] != '\0'; ++character) {
        const int32_t begin = i;
        stepCharacter();
        for (int32_t b = begin; b < i; ++b) {
            destination[k++] = source[b];
        }
    }
    destination[k] = '\0';
    return true;
}

bool textReplace(char* destination, const char* source, const char* pattern,
                 const char* replacement, int32_t start, int32_t last) {
    if (destination == nullptr || textIsEmpty(source) || textIsEmpty(pattern) ||
        destination == source || destination == pattern || destination == replacement ||
        last < start) {
        return false;
    }
    const int32_t length = textLength(source);
    const int32_t patternLength = textLength(pattern);
    const int32_t replacementLength = textLength(replacement);
    int32_t found = textFindSized(source, length, pattern, patternLength, start, last);
    int32_t j = 0;
    int32_t k = 0;
    while (j < length) {
        if (j == found) {
            if (replacementLength > 0) {
                std::memcpy(destination + k, replacement, static_cast<size_t>(replacementLength));
            }
            k += replacementLength;
            j += patternLength;
            found = textFindSized(source, length, pattern, patternLength, j, last);
        } else {
            destination[k++] = source[j++];
        }
    }
    destination[k] = '\0';
    return true;
}

bool textIsNumber(const char* text) {
    if (textIsEmpty(text)) {
        return false;
    }
    int32_t i = 0;
    if (text[0] == '-') {
        i = 1;
    }
    if (!isDigit(text[i])) {
        return false;
    }
    bool seenPoint = false;
    for (++i; text[i] != '\0'; ++i) {
        if (text[i] == '.') {
            if (seenPoint || !isDigit(text[i - 1])) {
                return false;
            }
            seenPoint = true;
        } else if (!isDigit(text[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace tavro
