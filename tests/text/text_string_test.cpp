#include "text/text_string.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(TextString, NewStringIsEmptyAndNeverNull) {
    TextString s;
    EXPECT_EQ(s.length(), 0);
    ASSERT_NE(s.cStr(), nullptr);
    EXPECT_STREQ(s.cStr(), "");
}

}  // namespace
}  // namespace tavro
