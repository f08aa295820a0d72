// Name numbers and scoped ids.

#include "expression_test_support.h"
#include "script/var_id.h"

namespace tavro::testing {
namespace {

using NameIds = ScriptFixture;

TEST_F(NameIds, NumbersFollowFirstSightAndNeverChange) {
    resetNameIds();  // forget the property names the fixture's instances took
    EXPECT_EQ(nameId(""), 0);
    EXPECT_EQ(nameId("abc"), 1);
    EXPECT_EQ(nameId("cba"), 2) << "same byte sum, different name";
    EXPECT_EQ(nameId("ABC"), 3) << "names are case-sensitive";
    EXPECT_EQ(nameId("abc"), 1);
    EXPECT_EQ(nameIdTable().find("never"), 0);
    EXPECT_EQ(nameIdTable().count(), 3) << "the empty name is never stored";
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
    const struct {
        const char* reference;
        const char* bareName;  // whose number the id carries
        int32_t flags;
    } cases[] = {
        {"parent.x.size", "x", kVarParentScope | kVarSizeFlag},
        {"a.b", "a.b", 0},
        {"x.size[2]", "x", kVarSizeFlag},
        {"this.parent.x", "parent.x", kVarThisScope},
        {"System.x", "System.x", 0},
        {"this.size", "size", kVarThisScope},
        {"x.sizes", "x.sizes", 0},
        {"\x81[[2]", "\x81[", 0},  // the second byte of 0x81 0x5B is no bracket
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scopedVarId(c.reference), nameId(c.bareName) | c.flags) << c.reference;
    }
    EXPECT_EQ(scopedVarId(""), -1);
    EXPECT_EQ(findIndexBracket("\x81["), std::string_view::npos);
}

}  // namespace
}  // namespace tavro::testing
