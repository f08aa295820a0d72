#include "text/text_string.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "text/messages.h"
#include "text/test_support.h"

namespace tavro {
namespace {

using testing::RecordingSink;

std::string bytes(const TextString& s) {
    return std::string(s.view());
}

TEST(TextString, NewStringIsEmptyAndNeverNull) {
    TextString s;
    EXPECT_EQ(s.length(), 0);
    ASSERT_NE(s.cStr(), nullptr);
    EXPECT_STREQ(s.cStr(), "");
    const TextString constant;
    EXPECT_STREQ(constant.cStr(), "");
}

TEST(TextString, SubstrByBytes) {
    struct Case {
        int32_t start;
        int32_t count;
        const char* expected;
    };
    const Case cases[] = {
        {-3, 2, "de"}, {-10, 3, "abc"},  {4, 10, "ef"},     {2, 0, ""},         {6, 1, ""},
        {0, -1, ""},   {0, 6, "abcdef"}, {5, INT_MAX, "f"}, {INT_MIN, 2, "ab"},
    };
    const TextString s("abcdef");
    for (const Case& c : cases) {
        EXPECT_EQ(bytes(s.substr(c.start, c.count)), c.expected) << c.start << "," << c.count;
    }
}

TEST(TextString, SubstrByCharactersKeepsTwoByteCharactersWhole) {
    struct Case {
        const char* text;
        int32_t start;
        int32_t count;
        const char* expected;
    };
    const Case cases[] = {
        {"\x82\xa0\x82\xa2\x82\xa4", 1, 1, "\x82\xa2"},
        {"\x82\xa0\x82\xa2\x82\xa4", 0, 2, "\x82\xa0\x82\xa2"},
        {"\x82\xa0\x82\xa2\x82\xa4", 3, 1, ""},
        {"a\x82\xa0"
         "b",
         1, 2,
         "\x82\xa0"
         "b"},
        {"abc\x82\xa0", -2, 1, "\x82\xa0"},  // negative start counts bytes from the end
        {"ab", 0, 0, ""},
        {"ab\x82", 2, 5, "\x82"},  // a dangling lead byte stays alone
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bytes(TextString(c.text).substrChars(c.start, c.count)), c.expected)
            << c.text << " " << c.start << "," << c.count;
    }
}

TEST(TextString, ReplaceAll) {
    struct Case {
        const char* text;
        const char* from;
        const char* to;
        bool ok;
        const char* expected;
    };
    const Case cases[] = {
        {"a b  c ", " ", "", true, "abc"},
        {"aaaa", "a", "abc", true, "abcabcabcabc"},
        {"abc", "", "x", false, "abc"},
        {"abc", nullptr, "x", false, "abc"},
        {"a=b", "=", nullptr, true, "ab"},
        {"\x83\x5c\\s", "\\s", " ", true, "\x83\x5c "},
        {"\x83\x5c"
         "s",
         "\\s", " ", true,
         "\x83\x5c"
         "s"},
    };
    for (const Case& c : cases) {
        TextString s(c.text);
        EXPECT_EQ(s.replaceAll(c.from, c.to), c.ok) << c.text;
        EXPECT_EQ(bytes(s), c.expected) << c.text;
    }
}

TEST(TextString, ReplaceAllWithTheStringsOwnTexts) {
    TextString s("ab");
    EXPECT_TRUE(s.replaceAll(s.cStr(), s.cStr()));
    EXPECT_EQ(bytes(s), "ab");
    TextString t("xyx");
    EXPECT_TRUE(t.replaceAll("x", t.cStr()));
    EXPECT_EQ(bytes(t), "xyxyxyx");
    TextString u("abab");
    EXPECT_TRUE(u.replaceAll(u.cStr() + 2, ""));
    EXPECT_EQ(bytes(u), "");
}

TEST(TextString, NextTokenWalksPiecesThenStartsOver) {
    struct Case {
        const char* text;
        const char* delimiter;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"a,,b", ",", {"a", "", "b"}},
        {"a,", ",", {"a", ""}},
        {"", ",", {""}},
        {"x,y", ",", {"x", "y"}},
        {"k;=v;=", ";=", {"k", "v", ""}},
        {"\x83\x5c;b", "\\", {"\x83\x5c;b"}},
        {"abc", "", {}},
    };
    for (const Case& c : cases) {
        TextString s(c.text);
        for (int round = 0; round < 2; ++round) {
            for (const std::string& piece : c.pieces) {
                ASSERT_TRUE(s.nextToken(c.delimiter)) << c.text << " piece " << piece;
                EXPECT_EQ(bytes(s.token()), piece) << c.text;
            }
            EXPECT_FALSE(s.nextToken(c.delimiter)) << c.text;
            EXPECT_EQ(bytes(s.token()), "") << c.text;
        }
    }
}

TEST(TextString, NextGroupFindsBalancedGroups) {
    struct Case {
        const char* text;
        const char* open;
        const char* close;
        std::vector<std::string> groups;
    };
    const Case cases[] = {
        {"(a(b)c)(d)", "(", ")", {"a(b)c", "d"}},
        {"{a{b}}{c}", "{", "}", {"a{b}", "c"}},
        {"x{;a{;b};c};y{;d};", "{;", "};", {"a{;b};c", "d"}},
        {"{a{b{c}}d}", "{", "}", {"a{b{c}}d"}},
        {"[]", "[", "]", {""}},
        {"{a", "{", "}", {}},
        {"{a{b}", "{", "}", {}},
        {"", "{", "}", {}},
    };
    for (const Case& c : cases) {
        TextString s(c.text);
        for (const std::string& group : c.groups) {
            ASSERT_TRUE(s.nextGroup(c.open, c.close)) << c.text << " group " << group;
            EXPECT_EQ(bytes(s.token()), group) << c.text;
        }
        EXPECT_FALSE(s.nextGroup(c.open, c.close)) << c.text;
        // After the end the walk starts over; an unbalanced group keeps failing.
        EXPECT_EQ(s.nextGroup(c.open, c.close), !c.groups.empty()) << c.text << " (again)";
        if (!c.groups.empty()) {
            EXPECT_EQ(bytes(s.token()), c.groups.front()) << c.text;
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
    ASSERT_TRUE(s.nextToken(","));
    EXPECT_EQ(bytes(s.token()), "{a}");
}

TEST(TextString, WritableIndexGrowsToIndexPlusThree) {
    TextString s("ab");
    s[5] = 'x';
    EXPECT_EQ(bytes(s), "ab");
    EXPECT_EQ(s.allocatedBytes(), 8);
    EXPECT_EQ(s.cStr()[5], 'x');
    s[2] = 'c';
    EXPECT_EQ(bytes(s), "abc");
    s[3] = 'd';
    s[4] = 'e';
    EXPECT_EQ(bytes(s), "abcdex");
    TextString empty;
    empty[0] = 'z';
    EXPECT_EQ(bytes(empty), "z");
    EXPECT_EQ(empty.allocatedBytes(), 3);
}

TEST(TextString, BadIndicesReportAndLandOnTheDummy) {
    const int64_t indices[] = {-1,         INT_MIN, int64_t{1} << 24,
                               1000000000, INT_MAX, int64_t{INT_MAX} + 1};
    for (const int64_t index : indices) {
        RecordingSink sink;
        TextString s("abc");
        char& dummy = s[index];
        EXPECT_EQ(dummy, '\0') << index;
        dummy = 'q';
        EXPECT_EQ(s[-1], '\0') << "dummy is reset at each access";
        EXPECT_EQ(bytes(s), "abc") << index;
        EXPECT_EQ(s.allocatedBytes(), 4) << index;
        ASSERT_EQ(sink.reports.size(), 2u) << index;
        EXPECT_EQ(sink.reports[0].first, kNegativeStringIndexMessage);
        EXPECT_EQ(sink.reports[0].second, 2u);
    }
}

TEST(TextString, SelfAssignmentAndSelfAppend) {
    TextString s("abc");
    const TextString& alias = s;
    s = alias;
    EXPECT_EQ(bytes(s), "abc");
    s.assign(s.cStr());
    EXPECT_EQ(bytes(s), "abc");
    s.assign(s.cStr() + 1);
    EXPECT_EQ(bytes(s), "bc");
    s += s;
    EXPECT_EQ(bytes(s), "bcbc");
    s += s.cStr() + 2;
    EXPECT_EQ(bytes(s), "bcbcbc");
    EXPECT_EQ(bytes(s + s), "bcbcbcbcbcbc");
    TextString empty;
    empty += empty;
    EXPECT_EQ(empty.length(), 0);
}

TEST(TextString, MovesLeaveAnEmptyUsableSource) {
    TextString source("abcdef");
    TextString target("x,y");
    ASSERT_TRUE(target.nextToken(","));
    target = std::move(source);
    EXPECT_EQ(bytes(target), "abcdef");
    EXPECT_EQ(bytes(target.token()), "x") << "assignment keeps the token buffer";
    ASSERT_TRUE(target.nextToken("c"));
    EXPECT_EQ(bytes(target.token()), "ab") << "assignment restarts the walk";
    EXPECT_EQ(source.length(), 0);  // NOLINT(bugprone-use-after-move): defined as empty
    source += "z";
    EXPECT_EQ(bytes(source), "z");
    TextString constructed(std::move(target));
    EXPECT_EQ(bytes(constructed), "abcdef");
    EXPECT_EQ(bytes(target), "");  // NOLINT(bugprone-use-after-move)
}

TEST(TextString, ExplicitBytesKeepZeros) {
    const char raw[] = {'a', '\0', 'b'};
    TextString s(raw, 3);
    EXPECT_EQ(s.length(), 3);
    s.appendBytes(raw, 3);
    EXPECT_EQ(bytes(s), std::string("a\0ba\0b", 6));
    TextString copy(s);
    EXPECT_EQ(copy.length(), 6);
    // A writable index makes the value end at its first zero again.
    copy[0] = 'c';
    EXPECT_EQ(bytes(copy), "c");
    char* storage = s.reserve(4);
    storage[0] = 'n';
    EXPECT_EQ(bytes(s), "n");
    EXPECT_EQ(s.allocatedBytes(), 6);
}

}  // namespace
}  // namespace tavro
