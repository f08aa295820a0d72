// TextString: the engine's byte string (Shift-JIS). It caches its length and carries two
// parsing cursors: nextToken walks delimiter-separated pieces, nextGroup walks balanced
// bracketed groups. Any change of the value restarts both walks.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavro {

class TextString {
  public:
    TextString() = default;
    TextString(const char* text);  // NOLINT: implicit by design, texts are passed around freely
    TextString(const char* bytes, int32_t count);
    TextString(const TextString& other);
    // Moves leave the source empty; like every assignment, a move assignment keeps this
    // string's token buffer and restarts its walks.
    TextString(TextString&& other) noexcept;
    TextString& operator=(const TextString& other);
    TextString& operator=(TextString&& other) noexcept;
    TextString& operator=(const char* text) { return assign(text); }
    ~TextString() = default;

    // Replaces the value by a terminated text. Safe when the text lies inside this string.
    TextString& assign(const char* text);
    // Replaces the value by exactly count bytes, which may include zero bytes.
    TextString& assignBytes(const char* bytes, int32_t count);

    // Never null: an empty string without storage yields an empty text.
    const char* cStr() const;
    int32_t length() const;
    bool empty() const { return length() == 0; }
    std::string_view view() const { return {cStr(), static_cast<size_t>(length())}; }

    // Discards the value and returns n + 2 zero bytes for direct writing.
    char* reserve(int32_t n);
    // Writable byte i, growing storage to i + 3 bytes when it has no byte after i. A negative
    // index (or one past the size cap) lands on the string's dummy byte, set to 0.
    char& operator[](int64_t i);
    char at(int32_t i) const { return i >= 0 && i < length() ? bytes_[i] : '\0'; }

    TextString& operator+=(const TextString& other);
    TextString& operator+=(const char* text);
    TextString& appendBytes(const char* bytes, int32_t count);
    friend TextString operator+(const TextString& a, const TextString& b);

    friend bool operator==(const TextString& a, const TextString& b) {
        return a.view() == b.view();
    }
    friend bool operator==(const TextString& a, const char* b);

    TextString substr(int32_t start, int32_t count) const;
    TextString substrChars(int32_t start, int32_t count) const;
    bool replaceAll(const char* from, const char* to);

    // Takes the next piece up to the delimiter into the token buffer. False once the last
    // piece has been taken (the walk then starts over).
    bool nextToken(const char* delimiter);
    // Takes the text of the next balanced open...close group into the token buffer.
    bool nextGroup(const char* open, const char* close);
    TextString token() const;
    const char* tokenCStr() const { return token_.empty() ? "" : token_.data(); }
    // Where the walks stand: the offset after the last piece taken (-1 once the last one has
    // been taken) and the offset after the last group taken.
    int32_t tokenCursor() const { return tokenCursor_; }
    int32_t groupCursor() const { return groupCursor_; }

  private:
    void valueChanged();
    void setToken(const char* bytes, int32_t count);
    // textFind over the whole value from start, without measuring the value again.
    int32_t findFrom(const char* pattern, int32_t patternLength, int32_t start) const;

    // Mutable so that cStr can give an empty string its one-byte storage.
    mutable std::vector<char> bytes_;
    std::vector<char> token_;
    mutable int32_t cachedLength_ = -1;
    int32_t tokenCursor_ = 0;
    int32_t groupCursor_ = 0;
    char dummyByte_ = '\0';  // where a negative index lands
};

// Removes every space, tab, line feed and carriage return, wherever they stand.
void removeWhitespace(TextString& text);

}  // namespace tavro
