// Tavro's own code page 932 table against glibc's iconv "CP932", which it was made from: every
// byte, byte pair and character, and every short run of telling bytes, must convert alike.
#include <iconv.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <vector>

#include "text/shift_jis.h"

namespace tavro {
namespace {

// Converts as the engine does with iconv: an unconvertible piece becomes the substitute and
// skipLength tells how many bytes it has.
class IconvConverter {
  public:
    IconvConverter(const char* to, const char* from, std::string_view substitute,
                   size_t (*skipLength)(std::string_view))
        : descriptor_(iconv_open(to, from)), substitute_(substitute), skipLength_(skipLength) {}
    ~IconvConverter() { iconv_close(descriptor_); }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

    std::string operator()(std::string_view input) {
        std::string output;
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        while (inLeft > 0) {
            char buffer[64];
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(descriptor_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, out - buffer);
            if (result != static_cast<size_t>(-1) || errno == E2BIG) {
                continue;
            }
            output.append(substitute_);
            size_t skip = skipLength_({in, inLeft});
            in += skip;
            inLeft -= skip;
            iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

  private:
    iconv_t descriptor_;
    std::string_view substitute_;
    size_t (*skipLength_)(std::string_view);
};

size_t skipOneByte(std::string_view) {
    return 1;
}

size_t skipUtf8Character(std::string_view rest) {
    auto lead = static_cast<unsigned char>(rest[0]);
    size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
    for (size_t i = 1; i < length; ++i) {
        if (i >= rest.size() || (static_cast<unsigned char>(rest[i]) & 0xc0) != 0x80) {
            return 1;
        }
    }
    return length;
}

std::string utf8Of(char32_t c) {
    if (c < 0x80) {
        return {static_cast<char>(c)};
    }
    if (c < 0x800) {
        return {static_cast<char>(0xc0 | c >> 6), static_cast<char>(0x80 | (c & 0x3f))};
    }
    if (c < 0x10000) {
        return {static_cast<char>(0xe0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3f)),
                static_cast<char>(0x80 | (c & 0x3f))};
    }
    return {static_cast<char>(0xf0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3f)),
            static_cast<char>(0x80 | (c >> 6 & 0x3f)), static_cast<char>(0x80 | (c & 0x3f))};
}

// Calls check with every string of up to maxLength bytes drawn from alphabet.
void forEachString(const std::vector<unsigned char>& alphabet, size_t maxLength,
                   const std::function<void(const std::string&)>& check) {
    std::string text;
    std::function<void()> extend = [&] {
        check(text);
        if (text.size() == maxLength) {
            return;
        }
        for (unsigned char byte : alphabet) {
            text.push_back(static_cast<char>(byte));
            extend();
            text.pop_back();
        }
    };
    extend();
}

// ASCII, the bytes around each boundary of lead, trail and UTF-8 ranges, a kana and a kanji.
const std::vector<unsigned char> kTellingBytes = {0x00, 0x41, 0x5c, 0x7f, 0x80, 0x81, 0x82, 0x9f,
                                                  0xa0, 0xa1, 0xbf, 0xc0, 0xc2, 0xdf, 0xe0, 0xe3,
                                                  0xed, 0xef, 0xf0, 0xf4, 0xf5, 0xfc, 0xfd, 0xff};

TEST(ShiftJisIconvTest, ReadsEveryByteAndPairAsIconvDoes) {
    IconvConverter iconvRead("UTF-8", "CP932", "\xef\xbf\xbd", skipOneByte);
    ASSERT_TRUE(iconvRead.valid());
    int mismatches = 0;
    auto check = [&](const std::string& text) {
        std::string ours;
        shiftJisToUtf8(text, ours);
        if (ours != iconvRead(text) && ++mismatches <= 10) {
            ADD_FAILURE() << "differs on " << ::testing::PrintToString(text);
        }
    };
    for (int first = 0; first < 256; ++first) {
        check(std::string(1, static_cast<char>(first)));
        for (int second = 0; second < 256; ++second) {
            check({static_cast<char>(first), static_cast<char>(second)});
        }
    }
    forEachString(kTellingBytes, 3, check);
    EXPECT_EQ(mismatches, 0);
}

TEST(ShiftJisIconvTest, WritesEveryCharacterAndBadSequenceAsIconvDoes) {
    IconvConverter iconvWrite("CP932", "UTF-8", "?", skipUtf8Character);
    ASSERT_TRUE(iconvWrite.valid());
    int mismatches = 0;
    auto check = [&](const std::string& text) {
        std::string ours;
        utf8ToShiftJis(text, ours);
        if (ours != iconvWrite(text) && ++mismatches <= 10) {
            ADD_FAILURE() << "differs on " << ::testing::PrintToString(text);
        }
    };
    // Surrogates and code points past U+10FFFF are written out as malformed UTF-8.
    for (char32_t c = 0; c < 0x140000; ++c) {
        check(utf8Of(c));
    }
    forEachString(kTellingBytes, 4, check);
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace tavro
