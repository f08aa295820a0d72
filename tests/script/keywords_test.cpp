// Statement classification: every keyword of the command table, and the texts that only
// look like one.
#include <gtest/gtest.h>

#include "script/keywords.h"
#include "script/statement_codes.h"

namespace tavro {
namespace {

TEST(Keywords, EveryKeywordHasItsCode) {
    struct Case {
        const char* text;
        uint32_t code;
    };
    const Case cases[] = {
        {"{", 0x0},
        {"}", 0x0},
        {"//comment", 0x17},
        {"x=x+1", 0x1},
        {"draw(a)", 0x2},
        {"playSound(s)", 0x3},
        {"playBGM(\"m.mid\")", 0x4},
        {"stopSound(s)", 0x5},
        {"stopBGM()", 0x6},
        {"rewindImage(a)", 0x7},
        {"rewindSound(s)", 0x8},
        {"text(\"t\")", 0x9},
        {"script(\"a.scr\")", 0xA},
        {"new(\"t.tsk\")", 0xB},
        {"friend(\"t.tsk\")", 0xC},
        {"bgColor(0,0,0)", 0xD},
        {"appeal(1,2)", 0xE},
        {"view(1,2)", 0xF},
        {"load(\"f\",v)", 0x11},
        {"save(\"f\",v)", 0x12},
        {"font(\"f\",12)", 0x13},
        {"init(\"f\")", 0x14},
        {"kill()", 0x15},
        {"quit()", 0x16},
        {"if(a)", 0xF01},
        {"ifkey(A)", 0xF03},
        {"ifstamp(A)", 0xF04},
        {"ifinput()", 0xF05},
        {"elseif(a)", 0x10F01},
        {"else()", 0x10F02},
        {"elseifkey(A)", 0x10F03},
        {"elseifstamp(A)", 0x10F04},
        {"elseifinput()", 0x10F05},
        {"unless(a)", 0x20F01},
        {"unlesskey(A)", 0x20F03},
        {"unlessinput()", 0x20F05},
        {"loop(3)", 0xF001},
        {"while(a)", 0xF002},
        {"batch()", 0xF003},
        {"batch(x)", 0xF003},
        {"batch(other)", 0xF004},
        {"batch(my)", 0xF005},
        {"batch(colid)", 0xF006},
        {"batch(myself)", 0xF003},
        {"batch(my)extra", 0xF005},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(classifyStatement(c.text), c.code) << c.text;
    }
}

TEST(Keywords, LookAlikesAreExpressions) {
    const char* const texts[] = {
        "",      "/",       "/2",       "IF(1)",   "Draw(a)", "if",        "else",
        "else{", "elsex()", "ifkeys()", "drawing", "batch",   "unlessx()", "\x82\xa0(1)",
        "w",     "while",   "loop",     "kil()",   "neww()",  "scripts()", "a(1)",
    };
    for (const char* text : texts) {
        EXPECT_EQ(classifyStatement(text), kCodeExpression) << text;
    }
}

TEST(StatementCodes, FlagsAndBlocks) {
    EXPECT_TRUE(isBlockStatement(kCodeIf));
    EXPECT_TRUE(isBlockStatement(kCodeBatchColid));
    EXPECT_TRUE(isBlockStatement(kCodeUnlessKey));
    EXPECT_FALSE(isBlockStatement(kCodeQuit));
    EXPECT_FALSE(isBlockStatement(kCodeComment));
    EXPECT_TRUE(isElseFamily(kCodeElseBlock));
    EXPECT_FALSE(isElseFamily(kCodeUnless));
    EXPECT_TRUE(isNegated(kCodeUnlessInput));
    EXPECT_TRUE(takesKeyName(kCodeElseIfStamp));
    EXPECT_TRUE(takesKeyName(kCodeUnlessKey));
    EXPECT_FALSE(takesKeyName(kCodeIfInput));
}

}  // namespace
}  // namespace tavro
