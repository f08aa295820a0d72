// Scope resolution at run time: plain, "this.", "parent." and "system." references, ".size",
// index growth, the negative-index report, and names resolved from their text.

#include "expression_test_support.h"
#include "script/var_id.h"
#include "text/messages.h"

namespace tavro::testing {
namespace {

using Contexts = ScriptFixture;

TEST_F(Contexts, EachScopeReachesItsTable) {
    element(child, "x") = 1;
    element(root, "x") = 2;
    element(origin, "x") = 3;
    systemVariable(nameId("x")) = 4;
    context.origin = &origin;
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"x", 1}, {"parent.x", 2}, {"this.x", 3}, {"system.x", 4}, {"x+parent.x*10", 21},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.text), c.expected) << c.text;
        EXPECT_EQ(runUncompiled(c.text), c.expected) << c.text << " (by text)";
    }
    run("this.y=5");
    EXPECT_EQ(element(origin, "y"), 5);
    run("parent.y=6");
    EXPECT_EQ(element(root, "y"), 6);
    runUncompiled("this.z=7");
    EXPECT_EQ(element(origin, "z"), 7);
}

TEST_F(Contexts, ScopesWithoutAnInstanceReadZeroAndStoreNothing) {
    InstanceContext atRoot(&root, &root);
    element(root, "x") = 9;
    CompileContext compile;
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {{"parent.x", 0}, {"parent.x=5", 5}, {"parent.x+=1", 1}, {"x", 9}};
    for (const Case& c : cases) {
        ExprNode compiled;
        compiled.parse(c.text, &compile);
        EXPECT_EQ(compiled.evaluate(&atRoot), c.expected) << c.text;
        ExprNode byText;
        byText.parse(c.text, nullptr);
        EXPECT_EQ(byText.evaluate(&atRoot), c.expected) << c.text << " (by text)";
    }
    EXPECT_EQ(element(root, "x"), 9);

    InstanceContext noOrigin(&child, nullptr);
    ExprNode thisX;
    thisX.parse("this.x=3", &compile);
    EXPECT_EQ(thisX.evaluate(&noOrigin), 3);
    EXPECT_EQ(count(child, "x"), 0);
}

TEST_F(Contexts, SizeCountsElementsAndIgnoresWrites) {
    run("x[4]=7");
    EXPECT_EQ(run("x.size"), 5);
    EXPECT_EQ(run("x[2]"), 0);
    EXPECT_EQ(run("y[9]"), 0);
    EXPECT_EQ(run("y.size"), 10);
    EXPECT_EQ(run("x.size=3"), 3);
    EXPECT_EQ(run("x.size+=1"), 6) << "the result is the cell's new value";
    EXPECT_EQ(count(child, "x"), 5);
    EXPECT_EQ(run("z.size"), 0) << "a fresh variable is empty";
    run("system.abc[2]=1");
    EXPECT_EQ(run("system.abc.size"), 3);
    EXPECT_EQ(run("parent.q.size"), 0);
    // By text, ".size" is part of the name.
    EXPECT_EQ(runUncompiled("x.size"), 0);
    runUncompiled("x.size=8");
    EXPECT_EQ(run("x.size"), 5);
}

TEST_F(Contexts, IndicesGrowVariablesAndComputedIndicesWork) {
    run("i=3");
    EXPECT_EQ(run("a[i*2]=4"), 4);
    EXPECT_EQ(element(child, "a", 6), 4);
    EXPECT_EQ(count(child, "a"), 7);
    EXPECT_EQ(run("a[6.9]"), 4) << "the index is truncated toward zero";
    EXPECT_EQ(run("a[a[6]+2]=1"), 1);
    EXPECT_EQ(element(child, "a", 6), 1);
    EXPECT_EQ(count(child, "a"), 7);
}

TEST_F(Contexts, NegativeAndHugeIndicesReportAndUseTheDummy) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"x[-1]", 0},        {"x[-1]=5", 5},       {"x[-1]+=2", 2},
        {"x[100000000]", 0}, {"x[1000000000]", 0}, {"x[100000000]=3", 3},
        {"x[0/0]", 0},       {"x[-0.5]", 0},       {"x[16777216]", 0},
    };
    for (const Case& c : cases) {
        errors.count = 0;
        EXPECT_EQ(run(c.text), c.expected) << c.text;
        const int expectedReports = std::string_view(c.text) == "x[-0.5]" ? 0 : 1;
        EXPECT_EQ(errors.count, expectedReports) << c.text;
    }
    EXPECT_EQ(errors.last, kNegativeArrayIndexMessage);
    EXPECT_EQ(count(child, "x"), 1) << "only x[-0.5], that is x[0], grew the array";
    errors.count = 0;
    ExprNode node;
    CompileContext compile;
    node.parse("x[-1]", &compile);
    node.evaluate(&context);
    node.evaluate(&context);
    EXPECT_EQ(errors.count, 2) << "once per evaluation";
}

TEST_F(Contexts, NamesResolvedByTextUseTheirBracketedIndex) {
    // A read parsed without a resolver keeps only the name: a[3] reads a[0].
    run("a[3]=5");
    run("a=1");
    EXPECT_EQ(runUncompiled("a[3]"), 1);
    // An assignment target keeps its text, so the index is found at run time.
    runUncompiled("b[2]=6");
    EXPECT_EQ(element(child, "b", 2), 6);
    run("k=1");
    runUncompiled("b[k+3]=7");
    EXPECT_EQ(element(child, "b", 4), 7);
    runUncompiled("b[(b[0]=2)]=8");
    EXPECT_EQ(element(child, "b", 2), 8);
    EXPECT_EQ(element(child, "b", 0), 2);
    runUncompiled("parent.c[1]=9");
    EXPECT_EQ(element(root, "c", 1), 9);
    runUncompiled("[1]=4");
    EXPECT_EQ(element(child, "[1]"), 4) << "a bracket at the start is part of the name";
    errors.count = 0;
    EXPECT_EQ(runUncompiled("d[-2]=3"), 3);
    EXPECT_EQ(errors.count, 1);
}

TEST_F(Contexts, DeeplyNestedTextReferencesStopWithoutStorage) {
    // Each level's index is an assignment by text, which resolves the next level.
    std::string text = "1";
    for (int n = 0; n < 20000; ++n) {
        text = "b[(" + text + ")]=1";
    }
    ExprNode node;
    node.parse(text.c_str(), nullptr);
    EXPECT_EQ(node.evaluate(&context), 1);
    EXPECT_EQ(element(child, "b", 1), 1) << "the outer levels still store";
}

TEST_F(Contexts, NameContextYieldsNameNumbers) {
    CompileContext compile;
    NameContext naming;
    const char* texts[] = {"stand", "walk[2]", "system.x", "x.size"};
    for (const char* text : texts) {
        ExprNode compiled;
        compiled.parse(text, &compile);
        ExprNode byText;
        byText.parse(text, nullptr);
        std::string_view bare(text);
        bare = bare.substr(0, bare.find('['));
        EXPECT_EQ(compiled.evaluate(&naming), nameId(bare)) << text;
        EXPECT_EQ(byText.evaluate(&naming), nameId(bare)) << text;
    }
    ExprNode assignment;
    assignment.parse("stand=4", &compile);
    EXPECT_EQ(assignment.evaluate(&naming), 4);
    EXPECT_EQ(count(child, "stand"), 0);
}

TEST_F(Contexts, ShiftJisNamesParseAsNames) {
    // "\x83|" has "|" as its second byte, "\x81[" has "[".
    const char* point =
        "\x83|\x83"
        "C\x83\x93\x83g";
    EXPECT_EQ(run((std::string(point) + "=5").c_str()), 5);
    EXPECT_EQ(run((std::string(point) + "+1").c_str()), 6);
    EXPECT_EQ(element(child, point), 5);
    EXPECT_EQ(run("\x81[[2]=3"), 3);
    EXPECT_EQ(element(child, "\x81[", 2), 3);
    EXPECT_EQ(runUncompiled("\x81[[1]=4"), 4);
    EXPECT_EQ(element(child, "\x81[", 1), 4);
    EXPECT_EQ(run("\x81]+1"), 1) << "a second byte \"]\" is no closing bracket";
}

}  // namespace
}  // namespace tavro::testing
