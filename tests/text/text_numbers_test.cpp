#include "text/text_numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace tavro {
namespace {

TEST(TextNumbers, ToIntReadsTheLeadingNumberAndSaturates) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {{"  -12abc", -12},
                          {"+7", 7},
                          {nullptr, 0},
                          {"- 5", 0},
                          {"3.9", 3},
                          {"-2147483648", INT_MIN},
                          {"2147483648", INT_MAX},
                          {"-99999999999999999999999999", INT_MIN},
                          {"0000000000000000000000000042", 42}};
    for (const Case& c : cases) {
        EXPECT_EQ(textToInt(c.text), c.expected) << (c.text ? c.text : "(null)");
    }
}

TEST(TextNumbers, FormatsLikePrintfAndKeepsLongRenderingsWhole) {
    EXPECT_EQ(formatInt(INT_MIN), "-2147483648");
    EXPECT_EQ(formatDouble(1.5), "1.500000");
    EXPECT_EQ(formatDouble(-0.0000004), "-0.000000");
    EXPECT_EQ(formatDouble(HUGE_VAL), "inf");
    // 1e300 renders as 301 digits and ".000000", far beyond the engine's 33-byte buffer.
    const TextString huge = formatDouble(-1e300);
    ASSERT_EQ(huge.length(), 309);
    EXPECT_EQ(huge.substr(0, 3), "-10");
    EXPECT_EQ(huge.substr(-7, 7), ".000000");
}

}  // namespace
}  // namespace tavro
