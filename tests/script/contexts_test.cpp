// Scope resolution at run time: plain, "this.", "parent." and "system." references, ".size",
// index growth, the negative-index report, and names resolved from their text.

#include <utility>

#include "expression_test_support.h"
#include "text/messages.h"

namespace tavro::testing {
namespace {

using Contexts = ScriptFixture;

TEST_F(Contexts, EachScopeReachesItsTable) {
    element(child, "x") = 1;
    element(root, "x") = 2;
    element(origin, "x") = 3;
    state.systemVariable(nameId("x")) = 4;
    context.origin = &origin;
    const struct {
        const char* text;
        double expected;
    } cases[] = {{"x", 1}, {"this.x", 3}, {"system.x", 4}, {"x+parent.x*10", 21}};
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.text), c.expected) << c.text;
        EXPECT_EQ(runUncompiled(c.text), c.expected) << c.text << " (by text)";
    }
    run("parent.y=6");
    EXPECT_EQ(element(root, "y"), 6);
    runUncompiled("this.z=7");
    EXPECT_EQ(element(origin, "z"), 7);
}

TEST_F(Contexts, ScopesWithoutAnInstanceReadZeroAndStoreNothing) {
    InstanceContext atRoot(state, &root, &root);
    element(root, "x") = 9;
    CompileContext compile(state);
    const std::pair<const char*, double> cases[] = {{"parent.x", 0}, {"parent.x+=1", 1}};
    for (const auto& [text, expected] : cases) {
        ExprNode compiled, byText;
        compiled.parse(text, &compile, &state.log);
        byText.parse(text, nullptr, &state.log);
        EXPECT_EQ(compiled.evaluate(&atRoot), expected) << text;
        EXPECT_EQ(byText.evaluate(&atRoot), expected) << text << " (by text)";
    }
    EXPECT_EQ(element(root, "x"), 9);
    InstanceContext noOrigin(state, &child, nullptr);
    ExprNode thisX;
    thisX.parse("this.x=3", &compile, &state.log);
    EXPECT_EQ(thisX.evaluate(&noOrigin), 3);
    EXPECT_EQ(count(child, "x"), 0);
}

TEST_F(Contexts, IndicesGrowArraysAndSizeCountsThemIgnoringWrites) {
    run("i=3");
    EXPECT_EQ(run("x[i+1.9]=7"), 7) << "the index is truncated toward zero";
    EXPECT_EQ(run("x.size"), 5);
    EXPECT_EQ(run("x[x[4]-3]=1"), 1);
    EXPECT_EQ(element(child, "x", 4), 1);
    EXPECT_EQ(run("y[9]"), 0);
    EXPECT_EQ(run("y.size"), 10) << "a read grows the array too";
    EXPECT_EQ(run("x.size+=1"), 6) << "the result is the cell's new value";
    EXPECT_EQ(count(child, "x"), 5);
    EXPECT_EQ(run("parent.q.size"), 0);
    // By text, ".size" is part of the name.
    EXPECT_EQ(runUncompiled("x.size"), 0);
}

TEST_F(Contexts, NegativeAndHugeIndicesReportAndUseTheDummy) {
    const struct {
        const char* text;
        double expected;
        int reports;
    } cases[] = {
        {"x[-1]+=2", 2, 1}, {"x[1000000000]", 0, 1}, {"x[100000000]=3", 3, 1},
        {"x[0/0]", 0, 1},   {"x[16777216]", 0, 1},   {"x[-0.5]", 0, 0},
    };
    for (const auto& c : cases) {
        const size_t before = reports().size();
        EXPECT_EQ(run(c.text), c.expected) << c.text;
        EXPECT_EQ(reports().size() - before, static_cast<size_t>(c.reports)) << c.text;
    }
    EXPECT_EQ(reports().back(), kNegativeArrayIndexMessage);
    EXPECT_EQ(count(child, "x"), 1) << "only x[-0.5], that is x[0], grew the array";
}

TEST_F(Contexts, NamesResolvedByTextUseTheirBracketedIndex) {
    // A read parsed without a resolver keeps only the name: a[3] reads a[0].
    run("a[3]=5");
    EXPECT_EQ(runUncompiled("a[3]"), 0);
    // An assignment target keeps its text, so the index is found at run time.
    run("k=1");
    runUncompiled("b[k+3]=7");
    EXPECT_EQ(element(child, "b", 4), 7);
    runUncompiled("b[(b[0]=2)]=8");
    EXPECT_EQ(element(child, "b", 2), 8);
    runUncompiled("parent.c[1]=9");
    EXPECT_EQ(element(root, "c", 1), 9);
    runUncompiled("[1]=4");
    EXPECT_EQ(element(child, "[1]"), 4) << "a bracket at the start is part of the name";
    const size_t before = reports().size();
    EXPECT_EQ(runUncompiled("d[-2]=3"), 3);
    EXPECT_EQ(reports().size() - before, 1u);
}

TEST_F(Contexts, DeeplyNestedTextReferencesStopWithoutStorage) {
    // Each level's index is an assignment by text, which resolves the next level.
    std::string text = "1";
    for (int n = 0; n < 20000; ++n) {
        text = "b[(" + text + ")]=1";
    }
    ExprNode node;
    node.parse(text.c_str(), nullptr, &state.log);
    EXPECT_EQ(node.evaluate(&context), 1);
    EXPECT_EQ(element(child, "b", 1), 1) << "the outer levels still store";
}

TEST_F(Contexts, NameContextYieldsNameNumbers) {
    CompileContext compile(state);
    NameContext naming(state);
    for (const char* text : {"walk[2]", "system.x", "x.size"}) {
        ExprNode compiled, byText;
        compiled.parse(text, &compile, &state.log);
        byText.parse(text, nullptr, &state.log);
        std::string_view bare(text);
        bare = bare.substr(0, bare.find('['));
        EXPECT_EQ(compiled.evaluate(&naming), nameId(bare)) << text;
        EXPECT_EQ(byText.evaluate(&naming), nameId(bare)) << text;
    }
    ExprNode assignment;
    assignment.parse("stand=4", &compile, &state.log);
    EXPECT_EQ(assignment.evaluate(&naming), 4);
    EXPECT_EQ(count(child, "stand"), 0);
}

TEST_F(Contexts, ShiftJisNamesParseAsNames) {
    // "\x83|" has "|" as its second byte, "\x81[" has "[".
    EXPECT_EQ(run("\x83|\x83\x43=5"), 5);
    EXPECT_EQ(element(child, "\x83|\x83\x43"), 5);
    EXPECT_EQ(runUncompiled("\x81[[1]=4"), 4);
    EXPECT_EQ(element(child, "\x81[", 1), 4);
    EXPECT_EQ(run("\x81]+1"), 1) << "a second byte \"]\" is no closing bracket";
}

}  // namespace
}  // namespace tavro::testing
