// The trees the parser builds: names, ids and index children by resolver, and texts so deep
// or so long that only a bounded parser survives them.

#include <string>

#include "expression_test_support.h"

namespace tavro::testing {
namespace {

using ExpressionParse = ScriptFixture;

std::string repeated(const std::string& piece, int count) {
    std::string text;
    for (int n = 0; n < count; ++n) {
        text += piece;
    }
    return text;
}

// Answers like a running context would: storage of type 5, so the parser obtains no id.
class FloatAnswer : public VarResolver {
  public:
    VarRef resolve(const TextString&, int32_t, int32_t) override { return {&cell, kVarDouble}; }
    double cell = 0;
};

TEST_F(ExpressionParse, TargetsByResolver) {
    ExprNode byText;
    byText.parse("x[2].size=5", nullptr);
    EXPECT_EQ(byText.operatorCode, kOpAssign);
    EXPECT_EQ(byText.name, "x[2].size") << "without a resolver the whole target is the name";
    EXPECT_EQ(byText.id, -1);
    EXPECT_EQ(byText.index, nullptr);
    ASSERT_NE(byText.right, nullptr);
    EXPECT_EQ(byText.right->rightConstant, 5);

    CompileContext compile;
    ExprNode compiled;
    compiled.parse("x[i+1]-=2", &compile);
    EXPECT_EQ(compiled.operatorCode, kOpSubtractAssign);
    EXPECT_EQ(compiled.name, "x");
    EXPECT_EQ(compiled.id, nameId("x"));
    ASSERT_NE(compiled.index, nullptr);
    EXPECT_EQ(compiled.index->operatorCode, kOpAdd);

    FloatAnswer floats;
    ExprNode unresolved;
    unresolved.parse("y[3]", &floats);
    EXPECT_EQ(unresolved.functionKind, kFnVariable);
    EXPECT_EQ(unresolved.name, "y");
    EXPECT_EQ(unresolved.id, -1);
    EXPECT_EQ(unresolved.index, nullptr) << "no id, no index";
}

TEST_F(ExpressionParse, FunctionArguments) {
    ExprNode power;
    power.parse("pow(2,3,4)", nullptr);
    EXPECT_EQ(power.functionKind, kFnPow);
    ASSERT_NE(power.left, nullptr);
    ASSERT_NE(power.right, nullptr);
    EXPECT_EQ(power.left->rightConstant, 2);
    EXPECT_EQ(power.right->rightConstant, 3) << "pieces after the second are ignored";
    EXPECT_EQ(power.evaluate(nullptr), 8);

    ExprNode random;
    random.parse("rand(x=1)", nullptr);
    EXPECT_EQ(random.functionKind, kFnRand);
    EXPECT_EQ(random.left, nullptr);

    ExprNode sine;
    sine.parse("sin(x)", nullptr);
    ASSERT_NE(sine.left, nullptr);
    EXPECT_EQ(sine.left->functionKind, kFnVariable);
    EXPECT_EQ(sine.left->name, "x");
}

TEST_F(ExpressionParse, FreshNodesAndLeftConstants) {
    ExprNode fresh;
    EXPECT_EQ(fresh.evaluate(&context), 0);
    EXPECT_EQ(fresh.id, 0);
    fresh.setLeftConstant(12);
    EXPECT_EQ(fresh.evaluate(nullptr), 12);
}

TEST_F(ExpressionParse, DeepTextsAreBoundedNotFatal) {
    struct Case {
        std::string text;
        double expected;
    };
    const Case cases[] = {
        // One pair of brackets is stripped; the rest is a (long) variable name.
        {repeated("(", 10000) + "1" + repeated(")", 10000), 0},
        {repeated("[", 10000) + "1" + repeated("]", 10000), 0},
        // Nesting within the bound evaluates; beyond it the innermost part is given up (0).
        {repeated("abs(", 100) + "5" + repeated(")", 100), 5},
        {repeated("abs(", 10000) + "5" + repeated(")", 10000), 0},
        {repeated("-(", 100) + "1" + repeated(")", 100), 1},
        {repeated("1+", 300) + "1", 301},
        {repeated("!", 100) + "0", 0},
        {repeated("(", 10000), 0},
        {repeated(")", 10000), 0},
        {repeated("[", 10000), 0},
        {repeated("=", 10000), 0},
        {repeated("-", 10000), 0},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(sameValue(std::abs(run(c.text.c_str())), c.expected))
            << c.text.substr(0, 40) << "... (" << c.text.size() << " bytes)";
        EXPECT_TRUE(sameValue(std::abs(runUncompiled(c.text.c_str())), c.expected))
            << c.text.substr(0, 40) << "... by text";
    }
    // Chains far past the bound still parse and evaluate to a finite value.
    for (const std::string& text :
         {repeated("!", 10000) + "0", repeated("-(", 10000) + "1" + repeated(")", 10000),
          repeated("1+", 10000) + "1", repeated("x=", 10000) + "1",
          repeated("sin(", 10000) + repeated(")", 10000)}) {
        EXPECT_TRUE(std::isfinite(run(text.c_str()))) << text.substr(0, 20);
    }
}

}  // namespace
}  // namespace tavro::testing
