// Expression texts and the values they evaluate to, for a fresh instance whose variables are
// all 0: precedence, grouping, functions, literals and the texts the parser gives up on.

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

void expectValues(ScriptFixture& fixture, const Case* begin, const Case* end) {
    for (const Case* c = begin; c != end; ++c) {
        EXPECT_TRUE(sameValue(fixture.run(c->text), c->expected)) << "text: " << c->text;
    }
}

using ExpressionValues = ScriptFixture;

TEST_F(ExpressionValues, PrecedenceAndLeftToRightGrouping) {
    const Case cases[] = {
        {"1+2*3", 7},   {"(1+2)*3", 9}, {"10-4-3", 3}, {"2-3+4", 3},   {"2+3*4-5", 9},
        {"2*3%4", 2},   {"8%3*2", 4},   {"8/2/2", 2},  {"12/3*2", 8},  {"2*3/4", 1.5},
        {"-2*3", -6},   {"-2+3", 1},    {"1-(-1)", 2}, {"2*(-3)", -6}, {"1<2<3", 1},
        {"3>2>1", 0},   {"1<2==1", 1},  {"1==1<2", 1}, {"1==1&&0", 0}, {"0&&0==0", 1},
        {"1||1==0", 0}, {"0==0||1", 1}, {"1+1==2", 1}, {"2!=1+1", 0},  {"1<2+3", 1},
        {"5>=2*3", 0},  {"0<-1", 0},    {"-1<0", 1},
    };
    expectValues(*this, std::begin(cases), std::end(cases));
}

TEST_F(ExpressionValues, ComparisonsAndLogicYieldOneOrZero) {
    const Case cases[] = {
        {"3<=3", 1},     {"3>=4", 0},  {"2<1", 0},      {"2>1", 1},    {"5==5", 1},
        {"5!=5", 0},     {"!0", 1},    {"!5", 0},       {"!0+1", 2},   {"!!5", 1},
        {"!(1+2)", 0},   {"2&&3", 1},  {"0||0", 0},     {"0||-2", 1},  {"0/0==0/0", 0},
        {"0/0!=0/0", 1}, {"0/0<1", 0}, {"0/0>=0/0", 0}, {"0/0||0", 1}, {"!(0/0)", 0},
    };
    expectValues(*this, std::begin(cases), std::end(cases));
}

TEST_F(ExpressionValues, DivisionAndRemainder) {
    const Case cases[] = {
        {"10/4", 2.5},
        {"1/0", kInf},
        {"-1/0", -kInf},
        {"0/0", kNaN},
        {"7%3", 1},
        {"(-7)%3", -1},
        {"7%(-3)", 1},
        {"-7%3", -1},
        {"7.9%3.9", 1},
        {"5%0", 0},
        {"5%0.5", 0},
        {"0%0", 0},
        {"(0/0)%3", -2},  // NaN truncates to -2147483648
        {"5%(1/0)", 5},
        {"4294967297%3", 1},  // truncation keeps the low 32 bits: 1 % 3
        {"5%4294967296", 0},  // the divisor's low 32 bits are 0
        {"2147483648%(-1)", 0},
        {"100000000000000000000%7", -2},  // out of range truncates to -2147483648
    };
    expectValues(*this, std::begin(cases), std::end(cases));
}

TEST_F(ExpressionValues, Functions) {
    const Case cases[] = {
        {"int(-2.7)", -2},
        {"int(2.7)", 2},
        {"int(3000000000)", -1294967296},
        {"abs(-3)", 3},
        {"abs(-3)+1", 4},
        {"pow(2,10)", 1024},
        {"pow(2)", 1},
        {"pow(atan2(1,1),2)", 1},  // cut at the first ",": pow(0, 0)
        {"sqrt(16)", 4},
        {"sqrt(-1)", kNaN},
        {"sin(90)", 0.9999999999999991},
        {"sin(0)", 0},
        {"cos(0)", 1},
        {"atan2(1,0)", 89.9999999951583},
        {"atan(1)", 44.99999999757915},
        {"tan(45)", std::tan(45 * 0.017453293)},
        {"asin(1)", std::asin(1.0) * 57.29577951},
        {"acos(0)", std::acos(0.0) * 57.29577951},
        {"asin(2)", kNaN},
        {"sin(x)", 0},
    };
    expectValues(*this, std::begin(cases), std::end(cases));
}

TEST_F(ExpressionValues, LiteralsAndSpaces) {
    const Case cases[] = {
        {"5", 5},     {"2.5", 2.5},     {"7.", 7},
        {"-0", -0.0}, {"0", 0},         {"(5)", 5},
        {"((5))", 0}, {" 1 + 2 ", 3},   {"1 +\t2", 1},
        {"", 0},      {"   ", 0},       {"1e3", 0},
        {"nan", 0},   {"1e999", 0},     {"+5*2", 5},
        {"+x", 0},    {"+1e999", kInf}, {"+2.5e1", 25},
        {"*4", 4},    {"*", 0},         {"2147483648", 2147483648.0},
    };
    expectValues(*this, std::begin(cases), std::end(cases));
}

TEST_F(ExpressionValues, TextsTheParserGivesUpOn) {
    const Case cases[] = {
        {"(5", 0},   {"5)", 0},   {"1+(2", 0}, {"1+2)", 0},   {"a]", 0},   {"2*-3", 0},
        {"1+-1", 0}, {"1--1", 0}, {"1&2", 0},  {"1|2", 0},    {"|1", 0},   {"&&1", 0},
        {"1&&", 0},  {"||1", 1},  {"=5", 0},   {"==5", 0},    {"()", 0},   {")(", 0},
        {"[", 0},    {"]", 0},    {"(", 0},    {"1+((2)", 0}, {"sin(", 0}, {"-", -0.0},
    };
    expectValues(*this, std::begin(cases), std::end(cases));
}

TEST_F(ExpressionValues, RandomIgnoresItsArgumentAndFollowsTheGenerator) {
    seedRandom(1);
    // The generator's first values from state 1.
    EXPECT_EQ(run("rand()"), 41);
    EXPECT_EQ(run("rand(10)"), 18467);
    EXPECT_EQ(run("rand(x=5)"), 6334);
    EXPECT_EQ(element(child, "x"), 0) << "rand's argument is not evaluated";
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 41);
    for (int n = 0; n < 1000; ++n) {
        const double value = run("rand(10)");
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST_F(ExpressionValues, UncompiledTextsGiveTheSameValues) {
    const Case cases[] = {
        {"1+2*3", 7}, {"2*3%4", 2}, {"-2*3", -6}, {"1||1==0", 0}, {"((5))", 0}, {"5%0", 0},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(sameValue(runUncompiled(c.text), c.expected)) << "text: " << c.text;
    }
}

}  // namespace
}  // namespace tavro::testing
