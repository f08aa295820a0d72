// Statement classification: the keywords of the command table, and the texts that only
// look like one.
#include <gtest/gtest.h>

#include "script/compiler.h"

namespace tavro {
namespace {

TEST(Keywords, KeywordsHaveTheirCodes) {
    // The games run every command; these are the forms whose code is not the plain keyword's.
    const struct {
        const char* text;
        uint32_t code;
    } cases[] = {
        {"}", 0x0},
        {"//comment", 0x17},
        {"x=x+1", 0x1},
        {"elseifstamp(A)", 0x10F04},
        {"batch(x)", 0xF003},
        {"batch(myself)", 0xF003},
        {"batch(my)extra", 0xF005},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classifyStatement(c.text), c.code) << c.text;
    }
}

TEST(Keywords, LookAlikesAreExpressions) {
    for (const char* text : {"", "/2", "IF(1)", "if", "else{", "elsex()", "ifkeys()", "batch",
                             "\x82\xa0(1)", "kil()", "neww()", "a(1)"}) {
        EXPECT_EQ(classifyStatement(text), kCodeExpression) << text;
    }
}

}  // namespace
}  // namespace tavro
