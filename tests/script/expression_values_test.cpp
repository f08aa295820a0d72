// Expression texts and the values they evaluate to, for a fresh instance whose variables are
// all 0: precedence, grouping, functions, literals and the texts the parser gives up on.

#include <cstddef>
#include <limits>

#include "expression_test_support.h"

namespace tavro::testing {
namespace {

struct Case {
    const char* text;
    double expected;
};

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

// Each text compiled and uncompiled.
template <std::size_t N>
void expectValues(ScriptFixture& fixture, const Case (&cases)[N]) {
    for (const Case& c : cases) {
        EXPECT_TRUE(sameValue(fixture.run(c.text), c.expected)) << "text: " << c.text;
        EXPECT_TRUE(sameValue(fixture.runUncompiled(c.text), c.expected)) << "by text: " << c.text;
    }
}

using ExpressionValues = ScriptFixture;

// Operators group left to right, "&&" and "||" bind tighter than the comparisons, and NaN is
// unequal to everything, itself included.
TEST_F(ExpressionValues, OperatorsPrecedenceAndComparisons) {
    const Case operators[] = {
        {"1+2*3", 7},   {"10-4-3", 3},   {"2-3+4", 3},    {"8%3*2", 4},    {"12/3*2", 8},
        {"-2*3", -6},   {"1-(-1)", 2},   {"1<2<3", 1},    {"3>2>1", 0},    {"1<2==1", 1},
        {"1==1&&0", 0}, {"0&&0==0", 1},  {"1||1==0", 0},  {"0<-1", 0},     {"3<=3", 1},
        {"3>=4", 0},    {"5!=5", 0},     {"!0+1", 2},     {"!(1+2)", 0},   {"2&&3", 1},
        {"0||-2", 1},   {"0/0==0/0", 0}, {"0/0!=0/0", 1}, {"0/0>=0/0", 0}, {"!(0/0)", 0},
    };
    expectValues(*this, operators);
}

// The remainder works on values truncated to 32 bits (NaN and out of range to -2147483648).
TEST_F(ExpressionValues, DivisionAndRemainder) {
    const Case division[] = {
        {"1/0", kInf},          {"-1/0", -kInf}, {"0/0", kNaN},       {"(-7)%3", -1},
        {"7%(-3)", 1},          {"7.9%3.9", 1},  {"5%0", 0},          {"5%0.5", 0},
        {"(0/0)%3", -2},        {"5%(1/0)", 5},  {"4294967297%3", 1}, {"5%4294967296", 0},
        {"2147483648%(-1)", 0},
    };
    expectValues(*this, division);
    EXPECT_EQ(run("9223372036854775808%7"), -2) << "past 64 bits, as NaN";
}

// pow's arguments are cut at the commas, so pow(atan2(1,1),2) is pow(0, 0) and a third piece
// is ignored. Angles are in degrees, converted with short factors: sin(90) is not quite 1.
TEST_F(ExpressionValues, Functions) {
    const Case functions[] = {
        {"int(-2.7)", -2},        {"abs(-3)", 3},     {"pow(2,10)", 1024}, {"pow(2)", 1},
        {"pow(atan2(1,1),2)", 1}, {"sqrt(-1)", kNaN}, {"cos(0)", 1},       {"asin(2)", kNaN},
        {"acos(1)", 0},           {"pow(2,3,4)", 8},
    };
    expectValues(*this, functions);
    EXPECT_EQ(run("int(3000000000)"), -1294967296);
    const Case angles[] = {
        {"sin(90)", 0.9999999999999991},  {"tan(45)", 1.0000000432051044},
        {"atan2(1,0)", 89.9999999951583}, {"atan(1)", 44.99999999757915},
        {"asin(1)", 89.9999999951583},
    };
    expectValues(*this, angles);
}

// Literal forms and spaces, then texts the parser cannot make sense of: they give 0.
TEST_F(ExpressionValues, LiteralsSpacesAndTextsTheParserGivesUpOn) {
    const Case literals[] = {
        {"7.", 7},  {"-0", -0.0}, {"((5))", 0}, {" 1 + 2 ", 3},   {"1 +\t2", 1},  {"", 0},
        {"1e3", 0}, {"1e999", 0}, {"+5*2", 5},  {"+1e999", kInf}, {"+2.5e1", 25}, {"*4", 4},
    };
    expectValues(*this, literals);
    const Case malformed[] = {
        {"(5", 0},   {"5)", 0},  {"1+(2", 0}, {"a]", 0},   {"2*-3", 0},
        {"1--1", 0}, {"1&2", 0}, {"|1", 0},   {"1&&", 0},  {"||1", 1},
        {"=5", 0},   {"()", 0},  {"[", 0},    {"sin(", 0}, {"-", -0.0},
    };
    expectValues(*this, malformed);
}

TEST_F(ExpressionValues, RandomIgnoresItsArgumentAndFollowsTheGenerator) {
    state.random.seed(1);
    // The generator's first values from state 1.
    EXPECT_EQ(run("rand()"), 41);
    EXPECT_EQ(run("rand(10)"), 18467);
    EXPECT_EQ(run("rand(x=5)"), 6334);
    EXPECT_EQ(element(child, "x"), 0) << "rand's argument is not evaluated";
}

}  // namespace
}  // namespace tavro::testing
