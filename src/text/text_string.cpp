#include "text/text_string.h"

#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "text/grow_array.h"
#include "text/text_functions.h"

namespace tavro {

TextString::TextString(const char* text) {
    assign(text);
}

TextString::TextString(const char* bytes, int32_t count) {
    assignBytes(bytes, count);
}

TextString::TextString(const TextString& other) {
    assignBytes(other.cStr(), other.length());
}

TextString& TextString::operator=(const TextString& other) {
    if (this != &other) {
        assignBytes(other.cStr(), other.length());
    }
    return *this;
}

TextString::TextString(TextString&& other) noexcept {
    *this = std::move(other);
}

TextString& TextString::operator=(TextString&& other) noexcept {
    if (this != &other) {
        bytes_ = std::move(other.bytes_);
        const int32_t movedLength = other.cachedLength_;
        valueChanged();
        cachedLength_ = movedLength;
        other.bytes_.clear();
        other.valueChanged();
    }
    return *this;
}

TextString& TextString::assign(const char* text) {
    if (!bytes_.empty() && text == bytes_.data()) {
        return *this;
    }
    return assignBytes(text, textLength(text));
}

TextString& TextString::assignBytes(const char* bytes, int32_t count) {
    if (count <= 0 || bytes == nullptr) {
        bytes_.clear();
        bytes_.shrink_to_fit();
        valueChanged();
        return *this;
    }
    // Copy first: the bytes may lie inside our own storage.
    std::vector<char> copy(bytes, bytes + count);
    copy.push_back('\0');
    bytes_ = std::move(copy);
    valueChanged();
    cachedLength_ = count;
    return *this;
}

const char* TextString::cStr() const {
    if (bytes_.empty()) {
        bytes_.assign(1, '\0');
    }
    return bytes_.data();
}

int32_t TextString::length() const {
    if (cachedLength_ < 0) {
        cachedLength_ = textLength(cStr());
    }
    return cachedLength_;
}

void TextString::valueChanged() {
    cachedLength_ = -1;
    tokenCursor_ = 0;
    groupCursor_ = 0;
}

char* TextString::reserve(int32_t n) {
    bytes_.assign(static_cast<size_t>(n < 0 ? 0 : n) + 2, '\0');
    valueChanged();
    return bytes_.data();
}

char& TextString::operator[](int64_t i) {
    if (!isGrowArrayIndex(i)) {
        dummyByte_ = '\0';
        return dummyByte_;
    }
    if (i + 1 >= static_cast<int64_t>(bytes_.size())) {
        // Grown also for the last byte, which holds the zero that ends the value. The value
        // keeps ending at its first zero byte, so an explicit length is recomputed.
        length();
        const int32_t keep = cachedLength_;
        bytes_.resize(static_cast<size_t>(i) + 3, '\0');
        std::memset(bytes_.data() + keep, 0, bytes_.size() - static_cast<size_t>(keep));
    }
    valueChanged();
    return bytes_[static_cast<size_t>(i)];
}

TextString& TextString::appendBytes(const char* bytes, int32_t count) {
    if (count <= 0 || bytes == nullptr) {
        return *this;
    }
    const int32_t oldLength = length();
    // Bytes from our own storage (self-append) are copied before the storage may move.
    std::vector<char> ownCopy;
    const auto* storageBegin = bytes_.data();
    if (std::less_equal<const char*>()(storageBegin, bytes) &&
        std::less<const char*>()(bytes, storageBegin + bytes_.size())) {
        ownCopy.assign(bytes, bytes + count);
        bytes = ownCopy.data();
    }
    // Appending in place lets the vector's capacity growth keep repeated appends linear.
    bytes_.resize(static_cast<size_t>(oldLength));
    bytes_.insert(bytes_.end(), bytes, bytes + count);
    bytes_.push_back('\0');
    valueChanged();
    cachedLength_ = oldLength + count;
    return *this;
}

TextString& TextString::operator+=(const TextString& other) {
    return appendBytes(other.cStr(), other.length());
}

TextString& TextString::operator+=(const char* text) {
    return appendBytes(text, textLength(text));
}

TextString operator+(const TextString& a, const TextString& b) {
    TextString result(a);
    result += b;
    return result;
}

bool operator==(const TextString& a, const char* b) {
    return a.view() == std::string_view(b == nullptr ? "" : b);
}

TextString TextString::substr(int32_t start, int32_t count) const {
    const int32_t size = length();
    if (count <= 0) {
        return {};
    }
    if (start < 0) {
        start = start + size < 0 ? 0 : start + size;
    }
    if (start >= size) {
        return {};
    }
    const int32_t available = size - start;
    return {cStr() + start, count < available ? count : available};
}

TextString TextString::substrChars(int32_t start, int32_t count) const {
    const int32_t size = length();
    if (count <= 0) {
        return {};
    }
    if (start < 0) {
        start = start + size < 0 ? 0 : start + size;
    }
    const char* text = cStr();
    auto characterEnd = [&](int32_t i) {
        return (isLeadByte(text[i]) && i + 1 < size) ? i + 2 : i + 1;
    };
    int32_t i = 0;
    for (int32_t character = 0; character < start; ++character) {
        if (i >= size) {
            return {};
        }
        i = characterEnd(i);
    }
    if (i >= size) {
        return {};
    }
    int32_t end = i;
    for (int32_t character = 0; character < count && end < size; ++character) {
        end = characterEnd(end);
    }
    return {text + i, end - i};
}

bool TextString::replaceAll(const char* from, const char* to) {
    if (textIsEmpty(from)) {
        return false;
    }
    // Work on a copy: from and to may point into this string's own storage.
    const std::string pattern(from);
    const std::string replacement(to == nullptr ? "" : to);
    const char* source = cStr();
    const int32_t size = length();
    std::string result;
    int32_t j = 0;
    const auto patternLength = static_cast<int32_t>(pattern.size());
    for (int32_t found = findFrom(pattern.c_str(), patternLength, 0); found >= 0;
         found = findFrom(pattern.c_str(), patternLength, j)) {
        result.append(source + j, static_cast<size_t>(found - j));
        result += replacement;
        j = found + patternLength;
    }
    result.append(source + j, static_cast<size_t>(size - j));
    assignBytes(result.data(), static_cast<int32_t>(result.size()));
    return true;
}

int32_t TextString::findFrom(const char* pattern, int32_t patternLength, int32_t start) const {
    const int32_t size = length();
    return textFindSized(cStr(), size, pattern, patternLength, start, size);
}

void TextString::setToken(const char* bytes, int32_t count) {
    token_.assign(bytes, bytes + count);
    token_.push_back('\0');
}

bool TextString::nextToken(const char* delimiter) {
    token_.clear();
    if (textIsEmpty(delimiter)) {
        tokenCursor_ = 0;
        return false;
    }
    if (tokenCursor_ < 0) {
        tokenCursor_ = 0;
        return false;
    }
    const int32_t size = length();
    const int32_t start = tokenCursor_ < size ? tokenCursor_ : size;
    const int32_t found = findFrom(delimiter, textLength(delimiter), start);
    if (found >= 0) {
        setToken(cStr() + start, found - start);
        tokenCursor_ = found + textLength(delimiter);
    } else {
        setToken(cStr() + start, size - start);
        tokenCursor_ = -1;
    }
    return true;
}

bool TextString::nextGroup(const char* open, const char* close) {
    token_.clear();
    const int32_t size = length();
    if (size == 0 || textIsEmpty(open) || textIsEmpty(close)) {
        return false;
    }
    const char* text = cStr();
    const int32_t openLength = textLength(open);
    const int32_t closeLength = textLength(close);
    const int32_t p = findFrom(open, openLength, groupCursor_);
    if (p < 0) {
        groupCursor_ = 0;
        return false;
    }
    groupCursor_ = p;
    int32_t q = findFrom(close, closeLength, p + openLength);
    if (q < 0) {
        return false;
    }
    // Opens that begin after `from` and no later than `to`.
    auto countOpens = [&](int32_t from, int32_t to) {
        int32_t n = 0;
        for (int32_t at = textFindSized(text, size, open, openLength, from, to); at >= 0;
             at = textFindSized(text, size, open, openLength, at + openLength, to)) {
            ++n;
        }
        return n;
    };
    int32_t nested = countOpens(p + openLength, q);
    while (nested > 0) {
        const int32_t previous = q;
        for (int32_t k = 0; k < nested; ++k) {
            q = findFrom(close, closeLength, q + closeLength);
            if (q < 0) {
                return false;
            }
        }
        nested = countOpens(previous + openLength, q);
    }
    setToken(text + p + openLength, q - p - openLength);
    groupCursor_ = q + closeLength;
    return true;
}

TextString TextString::token() const {
    return TextString(tokenCStr());
}

void removeWhitespace(TextString& text) {
    for (const char* blank : {" ", "\t", "\n", "\r"}) {
        text.replaceAll(blank, "");
    }
}

}  // namespace tavro
