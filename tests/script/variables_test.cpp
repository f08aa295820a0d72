// Name numbers, scoped ids and direct property access.

#include "script/variables.h"
#include "expression_test_support.h"
#include "script/var_id.h"

namespace tavro::testing {
namespace {

using NameIds = ScriptFixture;

TEST_F(NameIds, NumbersFollowFirstSightAndNeverChange) {
    resetNameIds();  // forget the property names the fixture's instances took
    EXPECT_EQ(nameId(""), 0);
    EXPECT_EQ(nameId("x"), 1);
    EXPECT_EQ(nameId("abc"), 2);
    EXPECT_EQ(nameId("cba"), 3) << "same byte sum, different name";
    EXPECT_EQ(nameId("x"), 1);
    EXPECT_EQ(nameId("X"), 4) << "names are case-sensitive";
    EXPECT_EQ(nameId("\x83|\x83"
                     "C"),
              5);
    EXPECT_EQ(nameIdTable().find("abc"), 2);
    EXPECT_EQ(nameIdTable().find("never"), 0);
    EXPECT_EQ(nameIdTable().count(), 5);
    EXPECT_EQ(nameId(""), 0);
    EXPECT_EQ(nameIdTable().count(), 5) << "the empty name is never stored";
}

TEST_F(NameIds, CompilingNumbersNamesInTheOrderTheParserMeetsThem) {
    // The target first, then its value: "<" parses its left operand first, "+" and "*"
    // their right.
    resetNameIds();
    CompileContext compile;
    ExprNode node;
    node.parse("b=a+c*d<e", &compile);
    const char* expectedOrder[] = {"b", "d", "c", "a", "e"};
    for (int32_t n = 0; n < 5; ++n) {
        EXPECT_EQ(nameIdTable().find(expectedOrder[n]), n + 1) << expectedOrder[n];
    }
}

TEST_F(NameIds, ScopedIdsCarryScopeAndSizeBits) {
    struct Case {
        const char* reference;
        const char* bareName;  // whose number the id carries
        int32_t flags;
    };
    const Case cases[] = {
        {"system.mouseX", "mouseX", kVarSystemScope},
        {"parent.x.size", "x", kVarParentScope | kVarSizeFlag},
        {"this.y", "y", kVarThisScope},
        {"a.b", "a.b", 0},
        {"system.abc.size", "abc", kVarSystemScope | kVarSizeFlag},
        {"x.size", "x", kVarSizeFlag},
        {"x[3]", "x", 0},
        {"x.size[2]", "x", kVarSizeFlag},
        {"this.parent.x", "parent.x", kVarThisScope},
        {"System.x", "System.x", 0},
        {"xsystem.y", "xsystem.y", 0},
        {"this.size", "size", kVarThisScope},
        {"x.sizes", "x.sizes", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scopedVarId(c.reference), nameId(c.bareName) | c.flags) << c.reference;
    }
    EXPECT_EQ(scopedVarId(""), -1);
}

TEST_F(NameIds, ShiftJisSecondBytesAreNotBrackets) {
    // 0x81 0x5B is a long vowel mark whose second byte is "[".
    EXPECT_EQ(findIndexBracket("\x81["), std::string_view::npos);
    EXPECT_EQ(findIndexBracket("\x81[[2]"), 2u);
    EXPECT_EQ(scopedVarId("\x81[[2]"), nameId("\x81["));
}

TEST_F(NameIds, PropertiesAreElementZeroCreatedOnAccess) {
    const int32_t x = nameId("x");
    EXPECT_EQ(property(child, x), 0);
    property(child, x) = 12;
    EXPECT_EQ(run("x"), 12);
    run("x=30");
    EXPECT_EQ(property(child, x), 30);
    EXPECT_EQ(count(child, "x"), 1);

    const int32_t mouse = nameId("mouseX");
    systemVariable(mouse) = 320;
    EXPECT_EQ(run("system.mouseX"), 320);
    run("system.red=300");
    EXPECT_EQ(systemVariable(nameId("red")), 300);
    resetSystemVariables();
    EXPECT_EQ(run("system.mouseX"), 0);
}

}  // namespace
}  // namespace tavro::testing
