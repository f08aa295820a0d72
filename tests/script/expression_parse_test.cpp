// The trees the parser builds: names, ids and index children by resolver, and texts so deep
// or so long that only a bounded parser survives them.

#include <string>
#include <utility>
#include <vector>

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
    explicit FloatAnswer(EngineState& state) : VarResolver(ResolverKind::kOther, state) {}
    VarRef resolve(const TextString&, int32_t, int32_t) override { return {&cell, kVarDouble}; }
    double cell = 0;
};

TEST_F(ExpressionParse, TargetsByResolver) {
    ExprNode byText;
    byText.parse("x[2].size=5", nullptr, nullptr);
    EXPECT_EQ(byText.name, "x[2].size") << "without a resolver the whole target is the name";
    EXPECT_EQ(byText.index, nullptr);

    CompileContext compile(state);
    ExprNode compiled;
    compiled.parse("x[i+1]-=2", &compile, nullptr);
    EXPECT_EQ(compiled.id, nameId("x"));
    ASSERT_NE(compiled.index, nullptr);
    EXPECT_EQ(compiled.index->operatorCode, kOpAdd);

    FloatAnswer floats(state);
    ExprNode unresolved;
    unresolved.parse("y[3]", &floats, nullptr);
    EXPECT_EQ(unresolved.id, -1);
    EXPECT_EQ(unresolved.index, nullptr) << "no id, no index";
}

// A flat chain is one level of nesting however long: every operand counts. Real nesting past
// the bound is given up, with one error-log line per expression.
TEST_F(ExpressionParse, FlatChainsEvaluateWhole) {
    const struct {
        std::string text;
        double expected;
    } cases[] = {
        {"5000" + repeated("-1", 999), 4001},
        {repeated("2*", 1000) + "1", std::ldexp(1.0, 1000)},
        {repeated("1<", 1000) + "2", 1},
        {repeated("1==", 1000) + "1", 1},
        // Each level of a chain reads what the level above it scanned: 200 000 terms parse in
        // linear time, whatever the operators and groups between them.
        {repeated("1+", 199999) + "1", 200000},
        {repeated("(1)+2*", 50000) + "0", 99999},
        {repeated("1+", 50000) + "a[1]==0", 0},
        {repeated("1||", 50000) + "0", 1},
        {repeated("1&&", 50000) + "0", 0},
        {repeated("1-2<", 50000) + "3", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.text.c_str()), c.expected) << c.text.substr(0, 20);
        EXPECT_EQ(runUncompiled(c.text.c_str()), c.expected) << c.text.substr(0, 20);
    }
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(run((repeated("abs(", kMaxExpressionNesting + 1) + "5" +
                   repeated(")", kMaxExpressionNesting + 1))
                      .c_str()),
              0);
    EXPECT_EQ(reports(),
              std::vector<std::string>{"expression nested too deeply: that part evaluates to 0"});
}

TEST_F(ExpressionParse, DeepTextsAreBoundedNotFatal) {
    const std::pair<std::string, double> cases[] = {
        // One pair of brackets is stripped; the rest is a (long) variable name.
        {repeated("(", 10000) + "1" + repeated(")", 10000), 0},
        {repeated("[", 10000) + "1" + repeated("]", 10000), 0},
        // Nesting within the bound evaluates; beyond it the innermost part is given up (0).
        {repeated("abs(", 100) + "5" + repeated(")", 100), 5},
        {repeated("abs(", 10000) + "5" + repeated(")", 10000), 0},
        {repeated("(", 10000), 0},
        {repeated("=", 10000), 0},
        {repeated("-", 10000), 0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_TRUE(sameValue(std::abs(run(text.c_str())), expected))
            << text.substr(0, 40) << "... (" << text.size() << " bytes)";
        EXPECT_TRUE(sameValue(std::abs(runUncompiled(text.c_str())), expected))
            << text.substr(0, 40) << "... by text";
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
