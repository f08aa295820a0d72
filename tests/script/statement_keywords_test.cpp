// Statement classification: the keywords of the command table, and the texts that only
// look like one.
#include <gtest/gtest.h>

#include "script/compiler.h"

namespace tavro {
namespace {

TEST(Keywords, KeywordsHaveTheirCodes) {
    const struct {
        const char* text;
        uint32_t code;
    } cases[] = {
        {"}", 0x0},
        {"//comment", 0x17},
        {"x=x+1", 0x1},
        {"playBGM(\"m.mid\")", 0x4},
        {"rewindSound(s)", 0x8},
        {"friend(\"t.tsk\")", 0xC},
        {"view(1,2)", 0xF},
        {"load(\"f\",v)", 0x11},
        {"quit()", 0x16},
        {"ifinput()", 0xF05},
        {"elseifstamp(A)", 0x10F04},
        {"else()", 0x10F02},
        {"unlesskey(A)", 0x20F03},
        {"while(a)", 0xF002},
        {"batch(x)", 0xF003},
        {"batch(other)", 0xF004},
        {"batch(colid)", 0xF006},
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
