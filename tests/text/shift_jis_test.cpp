#include "text/shift_jis.h"

#include <gtest/gtest.h>

#include "text/messages.h"

namespace tavro {
namespace {

TEST(ShiftJisTest, ConvertsBothWaysAndSubstitutesBadBytes) {
    struct Case {
        bool toUtf8;
        std::string input, expected;
        bool exact;
    };
    const Case cases[] = {
        {true, "\x95\x5c", "\xe8\xa1\xa8", true},  // trail byte 0x5C
        {true, "\xb1", "\xef\xbd\xb1", true},      // half-width katakana is one byte
        {true, "\x87\x40", "\xe2\x91\xa0", true},  // NEC special character
        {true, "ab\x83", "ab\xef\xbf\xbd", false},
        {true, "a\x80z", "a\xef\xbf\xbdz", false},
        {true, "\x81\x7f!", "\xef\xbf\xbd\x7f!", false},  // a bad trail byte stays a character
        {false, "\xe3\x82\xbd", "\x83\x5c", true},
        {false, "\xef\xbd\xb1", "\xb1", true},
        {false, "a\xf0\x9f\x98\x80z", "a?z", false},  // an emoji has no code
        {false, "ab\xe3\x82", "ab??", false},
    };
    for (const Case& c : cases) {
        std::string output = "stale";
        EXPECT_EQ(c.toUtf8 ? shiftJisToUtf8(c.input, output) : utf8ToShiftJis(c.input, output),
                  c.exact)
            << c.input;
        EXPECT_EQ(output, c.expected) << c.input;
    }
    std::string output;
    EXPECT_FALSE(shiftJisToUtf8("\x83", output));  // leaves a half character behind
    EXPECT_TRUE(shiftJisToUtf8("A", output));
    EXPECT_EQ(output, "A");
}

// Every engine text reads back as Japanese: a wrong byte (an escape swallowing the next digits,
// a lost 0x5C second byte) shows. The games show the others in their error logs and dialogs.
TEST(ShiftJisTest, EngineMessagesReadAsJapanese) {
    const char* utf8 = "...パッケージファイルのデータを代用します";
    EXPECT_EQ(shiftJisToUtf8(kBundleSubstituteAnimationMessage), utf8);
    std::string back;
    ASSERT_TRUE(utf8ToShiftJis(utf8, back));
    EXPECT_EQ(back, kBundleSubstituteAnimationMessage);
}

}  // namespace
}  // namespace tavro
