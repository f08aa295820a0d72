#include "text/text_string.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "text/messages.h"

namespace tavro {
namespace {

std::string bytes(const TextString& s) {
    return std::string(s.view());
}

TEST(TextString, SubstrClampsWithoutOverflow) {
    struct Case {
        const char* text;
        int32_t start, count;
        const char* expected;  // by bytes
        const char* chars;     // by characters
    };
    const Case cases[] = {
        {"abcdef", -3, 2, "de", "de"},
        {"abcdef", 5, INT_MAX, "f", "f"},
        {"abcdef", INT_MIN, 2, "ab", "ab"},
        {"\x82\xa0\x82\xa2\x82\xa4", 1, 1, "\xa0", "\x82\xa2"},
        {"\x82\xa0\x82\xa2\x82\xa4", 3, 1, "\xa2", ""},
        {"a\x82\xa0\x62", 1, 2, "\x82\xa0", "\x82\xa0\x62"},
        // A negative start counts bytes from the end; a dangling lead byte stays alone.
        {"abc\x82\xa0", -2, 1, "\x82", "\x82\xa0"},
        {"ab\x82", 2, 5, "\x82", "\x82"}};
    for (const Case& c : cases) {
        const TextString s(c.text);
        EXPECT_EQ(bytes(s.substr(c.start, c.count)), c.expected) << c.start << "," << c.count;
        EXPECT_EQ(bytes(s.substrChars(c.start, c.count)), c.chars) << c.start << "," << c.count;
    }
}

TEST(TextString, ReplaceAll) {
    struct Case {
        const char *text, *from, *to;
        bool ok;
        const char* expected;
    };
    const Case cases[] = {{"aaaa", "a", "abc", true, "abcabcabcabc"},
                          {"abc", "", "x", false, "abc"},
                          {"abc", nullptr, "x", false, "abc"},
                          {"a=b", "=", nullptr, true, "ab"},
                          {"\x83\x5c\\s", "\\s", " ", true, "\x83\x5c "},
                          {"\x83\x5c\x73", "\\s", " ", true, "\x83\x5c\x73"}};
    for (const Case& c : cases) {
        TextString s(c.text);
        EXPECT_EQ(s.replaceAll(c.from, c.to), c.ok) << c.text;
        EXPECT_EQ(bytes(s), c.expected) << c.text;
    }
    // Arguments pointing into the string itself.
    TextString t("xyx");
    EXPECT_TRUE(t.replaceAll("x", t.cStr()));
    EXPECT_EQ(bytes(t), "xyxyxyx");
    TextString u("abab");
    EXPECT_TRUE(u.replaceAll(u.cStr() + 2, ""));
    EXPECT_EQ(bytes(u), "");
}

TEST(TextString, TokenAndGroupWalksStartOverAtTheEnd) {
    struct Case {
        const char *text, *open, *close;  // no close: a token walk split at open
        const char* pieces;               // each piece followed by '|'
    };
    const Case cases[] = {{"a,,b", ",", nullptr, "a||b|"},
                          {"a,", ",", nullptr, "a||"},
                          {"", ",", nullptr, "|"},
                          {"k;=v;=", ";=", nullptr, "k|v||"},
                          {"\x83\x5c;b", "\\", nullptr, "\x83\x5c;b|"},
                          {"abc", "", nullptr, ""},
                          {"(a(b)c)(d)", "(", ")", "a(b)c|d|"},
                          {"x{;a{;b};c};y{;d};", "{;", "};", "a{;b};c|d|"},
                          {"[]", "[", "]", "|"},
                          {"{a{b}", "{", "}", ""}};
    for (const Case& c : cases) {
        TextString s(c.text);
        for (int round = 0; round < 2; ++round) {
            std::string walked;
            for (int i = 0;
                 i < 10 && (c.close ? s.nextGroup(c.open, c.close) : s.nextToken(c.open)); ++i) {
                walked += bytes(s.token()) + "|";
            }
            EXPECT_EQ(walked, c.pieces) << c.text << " round " << round;
            EXPECT_TRUE(c.close != nullptr || s.token().empty()) << c.text;
        }
    }
}

TEST(TextString, CursorsAreIndependentAndResetByChanges) {
    TextString s("{a},{b}");
    ASSERT_TRUE(s.nextGroup("{", "}"));
    ASSERT_TRUE(s.nextToken(","));
    EXPECT_EQ(bytes(s.token()), "{a}");
    ASSERT_TRUE(s.nextGroup("{", "}"));
    EXPECT_EQ(bytes(s.token()), "b");
    s += ",{c}";
    ASSERT_TRUE(s.nextGroup("{", "}"));
    EXPECT_EQ(bytes(s.token()), "a");
}

TEST(TextString, WritableIndexGrowsTheText) {
    TextString s("ab");
    s[5] = 'x';
    EXPECT_EQ(bytes(s), "ab");
    s[2] = 'c';
    s[3] = 'd';
    s[4] = 'e';
    EXPECT_EQ(bytes(s), "abcdex");
    EXPECT_STREQ(TextString().cStr(), "");
    TextString empty;
    empty[0] = 'z';
    EXPECT_EQ(bytes(empty), "z");
    // A write over the last zero byte grows the storage, so the value still ends inside it.
    TextString full("abc");
    full[3] = 'd';
    EXPECT_EQ(bytes(full), "abcd");
    TextString terminated;
    terminated.cStr();
    terminated[0] = 'z';
    EXPECT_EQ(bytes(terminated), "z");
}

TEST(TextString, BadIndicesLandOnTheDummy) {
    for (const int64_t index : {int64_t{-1}, int64_t{1} << 24, int64_t{INT_MAX} + 1}) {
        TextString s("abc");
        char& dummy = s[index];
        EXPECT_EQ(dummy, '\0') << index;
        dummy = 'q';
        EXPECT_EQ(s[-1], '\0') << "dummy is reset at each access";
        EXPECT_EQ(bytes(s), "abc") << index;
    }
}

TEST(TextString, AliasesMovesAndZeroBytes) {
    TextString s("abc");
    const TextString& alias = s;
    s = alias;
    s.assign(s.cStr() + 1);
    s += s;
    s += s.cStr() + 2;
    EXPECT_EQ(bytes(s + s), "bcbcbcbcbcbc");

    TextString target("x,y");
    ASSERT_TRUE(target.nextToken(","));
    target = std::move(s);
    ASSERT_TRUE(target.nextToken("c"));
    EXPECT_EQ(bytes(target.token()), "b") << "assignment restarts the walk";
    EXPECT_EQ(s.length(), 0);  // NOLINT(bugprone-use-after-move): defined as empty
    s += "z";
    EXPECT_EQ(bytes(s), "z");

    const char raw[] = {'a', '\0', 'b'};
    TextString zeros(raw, 3);
    zeros.appendBytes(raw, 3);
    TextString copy(zeros);
    EXPECT_EQ(bytes(copy), std::string("a\0ba\0b", 6));
    copy[0] = 'c';  // a writable index makes the value end at its first zero again
    EXPECT_EQ(bytes(copy), "c");
}

}  // namespace
}  // namespace tavro
