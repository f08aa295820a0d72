#include "text/text_functions.h"

#include <gtest/gtest.h>

#include <string>

namespace tavro {
namespace {

TEST(TextFind, WalksShiftJisCharacters) {
    struct Case {
        const char *text, *pattern;
        int32_t start, last, expected;
    };
    const Case cases[] = {
        // 0x5C and 0x22 as second bytes are never a match start.
        {"\x83\x5c", "\\", 0, 2, -1},
        {"\x83\x5c\\", "\\", 0, 3, 2},
        {"\x81\x22x\"", "\"", 0, 4, 3},
        // A start inside a character sees its second byte as a first byte.
        {"\x83\x5c", "\\", 1, 2, 1},
        {"abcabc", "bc", 2, 6, 4},
        {"abcabc", "bc", 2, 3, -1},  // last - start shorter than the pattern
        {nullptr, "a", 0, 0, -1},
        {"abc", "b", -5, 3, -1},  // a negative start never reads before the text
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textFind(c.text, c.pattern, c.start, c.last), c.expected)
            << (c.text ? c.text : "(null)") << " from " << c.start << " to " << c.last;
    }
    EXPECT_EQ(textFind("x\x83\x5cy\\", "\\"), 4);
}

TEST(TextCopy, RangeAndCharacters) {
    struct Case {
        bool characters;
        const char* source;
        int32_t first, last;
        bool ok;
        const char* expected;  // destination afterwards
    };
    const Case cases[] = {
        {false, "abcdef", 4, 99, true, "ef"},
        {false, "abcdef", 3, 2, false, "untouched"},
        {true, "a\x82\xa0\x62\x82\xa2", 1, 2, true, "\x82\xa0\x62"},
        {true, "ab", 5, 6, false, "untouched"},
        // A lead byte directly before the terminator is copied alone.
        {true, "a\x82", 0, 5, true, "a\x82"},
    };
    for (const Case& c : cases) {
        char destination[32] = "untouched";
        const bool ok = c.characters ? textCopyChars(destination, c.source, c.first, c.last)
                                     : textCopyRange(destination, c.source, c.first, c.last);
        EXPECT_EQ(ok, c.ok) << c.source << " " << c.first << ".." << c.last;
        EXPECT_STREQ(destination, c.expected) << c.source << " " << c.first << ".." << c.last;
    }
    char same[8] = "abc";
    EXPECT_FALSE(textCopyRange(same, same, 0, 1));
    EXPECT_FALSE(textCopyChars(same, same, 0, 1));
}

TEST(TextReplace, ReplacesFromStartAndRefusesAliases) {
    char destination[64] = {};
    ASSERT_TRUE(textReplace(destination, "aa-a", "a", "abc", 1, 4));
    EXPECT_STREQ(destination, "aabc-abc") << "bytes before start are copied unchanged";
    ASSERT_TRUE(textReplace(destination, "\x83\x5c\\", "\\", nullptr, 0, 3));
    EXPECT_STREQ(destination, "\x83\x5c");
    char buffer[16] = "abc";
    EXPECT_FALSE(textReplace(buffer, buffer, "a", "b", 0, 3));
    EXPECT_FALSE(textReplace(destination, "abc", "", "b", 0, 3));
    EXPECT_FALSE(textReplace(destination, "", "a", "b", 0, 3));
    EXPECT_FALSE(textReplace(destination, "abc", "a", "b", 3, 0));
}

}  // namespace
}  // namespace tavro
