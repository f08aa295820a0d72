// The statement compiler: chain shapes, argument splitting, texts, key names and the
// syntax-error stop.
#include <string>
#include <vector>

#include "loader_test_support.h"
#include "script/compiler.h"
#include "script/contexts.h"
#include "text/messages.h"

namespace tavro::testing {
namespace {

class CompilerTest : public LoaderFixture {
  protected:
    // Compiles script source text as the loader would, in the fixture's run or another.
    const Statement& compile(const std::string& source) { return compile(source, state); }
    const Statement& compile(const std::string& source, EngineState& run) {
        TextString text(source.c_str());
        prepareScriptText(text);
        chain = std::make_unique<Statement>();
        compileStatements(run, *chain, text);
        return *chain;
    }
    static double constant(const ExprNode& expression) { return expression.evaluate(nullptr); }
    double nameNumber(const ExprNode& expression) {
        NameContext names(state);
        return expression.evaluate(&names);
    }
    int32_t nameId(const char* name) { return state.names.idFor(name); }

    std::unique_ptr<Statement> chain;
};

TEST_F(CompilerTest, ChainShapes) {
    const struct {
        const char* source;
        std::vector<uint32_t> codes;
    } cases[] = {
        {"", {kCodeExpression, kCodeEmpty}},
        {"// note;x=1;", {kCodeComment, kCodeExpression, kCodeExpression, kCodeEmpty}},
        {"loop(3){loop(2){n=1;}m=2;}k=3;",
         {kCodeLoop, kCodeExpression, kCodeExpression, kCodeEmpty}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chainCodes(&compile(c.source)), c.codes) << c.source;
    }
    // The inner block is the inner statement's; the outer body goes on after it.
    const Statement& inner = *compile("loop(3){loop(2){n=1;}m=2;}k=3;").body;
    EXPECT_EQ(chainCodes(inner.body.get()).size(), 3u);
    EXPECT_EQ(chainCodes(&inner),
              (std::vector<uint32_t>{kCodeLoop, kCodeExpression, kCodeExpression, kCodeEmpty}));
}

TEST_F(CompilerTest, ElseWithoutParenthesesIsAnExpressionAndItsBlockRunsInline) {
    const Statement& elseWord = *compile("if(0){a=1;}else{c=1;}").next;
    EXPECT_EQ(elseWord.code, kCodeExpression);
    EXPECT_EQ(elseWord.body, nullptr);
    EXPECT_NE(compile("if(0){a=1;}else(){c=1;}").next->body, nullptr);
}

TEST_F(CompilerTest, ABareBlockBecomesTheBodyOfTheNextBlockStatement) {
    // The group search takes the first group not yet taken: the bare block's.
    const Statement* ifStatement = &compile("{x=1;}if(1){y=2;}");
    while (ifStatement->code != kCodeIf) {
        ifStatement = ifStatement->next.get();
    }
    TaskInstance instance(state.objects);
    InstanceContext context(state, &instance, &instance);
    ifStatement->body->expression(0).evaluate(&context);
    EXPECT_EQ(variable(instance, "x"), 1);
    EXPECT_EQ(variable(instance, "y"), 0);
}

TEST_F(CompilerTest, ArgumentsSplitAtTopLevelCommas) {
    const Statement& nested = compile("draw(img,pow(2,2)+1,-5);");
    EXPECT_EQ(nameNumber(nested.expression(0)), nameId("img"));
    EXPECT_EQ(constant(nested.expression(1)), 5);
    EXPECT_EQ(constant(nested.expression(2)), -5);
    // Everything after the closing parenthesis is dropped.
    const Statement& cut = compile("view(1,2)+5,7;");
    EXPECT_EQ(constant(cut.expression(1)), 2);
    EXPECT_EQ(constant(cut.expression(2)), 0);
    // Surplus arguments are dropped too.
    const Statement& full =
        compile(R"(text(1,2,3,4,5,6,7,8,9,"a","b","c","d","e","f","g","h","i");)");
    for (int32_t i = 0; i < kStatementArgumentCount; ++i) {
        EXPECT_EQ(constant(full.expression(i)), i + 1);
        EXPECT_EQ(full.text(i).view(), std::string(1, static_cast<char>('a' + i)));
    }
}

TEST_F(CompilerTest, QuotedArgumentsBecomeTextsWithEscapes) {
    const struct {
        const char *source, *text0, *text1;
        double expression0;
    } cases[] = {
        {R"(text("Hi\sa\nb\tc",8);)", "Hi a\nb\tc", "", 8},
        {R"(save("file.txt",3,"x");)", "file.txt", "x", 3},
        {R"(text(""",2);)", "\"", "", 2},  // a lone quote is quoted too
        {R"(text("a,b");)", "", "", 0},    // the comma splits the text apart
    };
    for (const auto& c : cases) {
        const Statement& statement = compile(c.source);
        EXPECT_EQ(std::string(statement.text(0).view()), c.text0) << c.source;
        EXPECT_EQ(std::string(statement.text(1).view()), c.text1) << c.source;
        EXPECT_EQ(constant(statement.expression(0)), c.expression0) << c.source;
    }
}

TEST_F(CompilerTest, KeyStatementsStoreTheKeyCode) {
    const struct {
        const char* source;
        double code, input;
    } cases[] = {
        {"unlesskey(escape){}", 27, 0},
        {"ifkey(pad1.2+1){}", 0x1000, 3},
    };
    for (const auto& c : cases) {
        const Statement& statement = compile(c.source);
        EXPECT_EQ(constant(statement.expression(0)), c.code) << c.source;
        EXPECT_EQ(constant(statement.expression(1)), c.input) << c.source;
    }
    // The rest of a pad name is an expression read when the statement runs.
    EXPECT_EQ(nameNumber(compile("ifkey(pad1.n){}").expression(1)), nameId("n"));
}

TEST_F(CompilerTest, ScriptCallsStoreTheCalledScriptsNumber) {
    folder.files["self.scr"] = "script(\"self.scr\");";
    // A script that calls itself gets its own number back, compiled once.
    const int32_t self = scriptNumberFor(state, "self.scr");
    ASSERT_GT(self, 0);
    EXPECT_EQ(constant(compiledScript(state, self)->expression(0)), self);
    EXPECT_EQ(state.scripts.count(), 2);  // "", self
    EXPECT_EQ(constant(compile("script(\"missing.scr\");").expression(0)), 0);
    EXPECT_EQ(constant(compile("script(x);").expression(0)), -1);  // no name left
}

TEST_F(CompilerTest, UnbalancedOrTooDeepBlocksStopWithTheSyntaxError) {
    std::string deep;
    for (int32_t i = 0; i < kMaxCompileDepth + 1; ++i) {
        deep += "if(1){";
    }
    deep += std::string(kMaxCompileDepth + 1, '}');
    const std::string broken[] = {"x=1;while(1)", "loop(2){if(1){x=1;}", deep};
    for (const std::string& source : broken) {
        RecordingDialogs shown;
        EngineState run{folder, &shown, compositor};
        compile(source, run);
        EXPECT_TRUE(run.haltRequested) << source;
        ASSERT_EQ(shown.messages.size(), 1u) << source;
        EXPECT_EQ(shown.messages[0].first, "report");
        EXPECT_EQ(shown.messages[0].second, kSyntaxErrorMessage);
    }
    compile(deep.substr(6, deep.size() - 7));  // one level less is allowed
    EXPECT_FALSE(state.haltRequested);
}

TEST_F(CompilerTest, AfterTheSyntaxErrorNothingMoreCompiles) {
    folder.files["later.scr"] = "x=1;";
    compile("if(1);script(\"later.scr\");");
    EXPECT_TRUE(state.haltRequested);
    EXPECT_EQ(scriptNumberFor(state, "later.scr"), 0);
    EXPECT_EQ(compiledScript(state, 1), nullptr);
    const Statement& statement = compile("x=1;draw(a);");
    EXPECT_EQ(statement.code, kCodeEmpty);
    EXPECT_EQ(statement.next, nullptr);
}

// Arguments not given read as 0 and empty texts.
TEST_F(CompilerTest, ArgumentsNotGivenAreEmpty) {
    const Statement& draw = compile("draw(a,1);");
    EXPECT_EQ(constant(draw.expression(1)), 1);
    EXPECT_EQ(constant(draw.expression(7)), 0) << "unfilled";
    EXPECT_TRUE(draw.text(7).empty());
    EXPECT_EQ(draw.scriptText(), nullptr);
    EXPECT_NE(compile("text(\"$dhp:\",0,0);").scriptText(), nullptr) << "its format, compiled";
    EXPECT_EQ(compile("text(\"\",0,0);").scriptText(), nullptr);
}

// Every statement keeps the script's number and the line it starts on as written, through
// blank lines, CR LF endings, statements sharing a line, one spread over lines, nested blocks
// and a bare block taken by a later header.
TEST_F(CompilerTest, StatementsKeepTheLineTheyStartOn) {
    folder.files["where.scr"] =
        "x=1;y=2;\r\n\r\n"
        "  if(x)\n"
        "  {\n"
        "    draw(a,\n"
        "         1);\n"
        "    loop(2) { z=3; }\n"
        "  }\n"
        "{w=4;}\n"
        "\twhile(1){v=5;}\n";
    const int32_t number = scriptNumberFor(state, "where.scr");
    ASSERT_GT(number, 0);
    std::vector<std::pair<uint32_t, int32_t>> seen;
    auto walk = [&](auto& self, const Statement* statement) -> void {
        for (; statement != nullptr; statement = statement->next.get()) {
            if (statement->location.known()) {
                EXPECT_EQ(statement->location.file(), number);
                seen.emplace_back(statement->code, statement->location.line());
            }
            self(self, statement->body.get());
        }
    };
    walk(walk, compiledScript(state, number));
    // A block's chain and the outer one each end with an empty piece where the text ends;
    // the bare block at line 9 is the body "while(" takes, and the piece after "x=1;y=2;"
    // spreads over blank lines to the "if(" on line 3.
    const std::vector<std::pair<uint32_t, int32_t>> expected = {
        {kCodeExpression, 1},  {kCodeExpression, 1}, {kCodeIf, 3},          // x=1 y=2 if
        {kCodeDraw, 5},        {kCodeLoop, 7},       {kCodeExpression, 7},  // draw loop z=3
        {kCodeExpression, 7},  {kCodeExpression, 8},                        // ends of blocks
        {kCodeEmpty, 9},       {kCodeExpression, 9}, {kCodeEmpty, 9},       // { w=4 }
        {kCodeWhile, 10},      {kCodeExpression, 9}, {kCodeExpression, 9},  // while, its body
        {kCodeExpression, 10},                                              // end of the text
    };
    EXPECT_EQ(seen, expected);
    // Out of range: unknown rather than wrong.
    EXPECT_FALSE(SourceLocation(SourceLocation::kMaxFile + 1, 1).known());
    EXPECT_FALSE(SourceLocation(1, SourceLocation::kMaxLine + 1).known());
    EXPECT_EQ(SourceLocation(SourceLocation::kMaxFile, SourceLocation::kMaxLine).line(),
              SourceLocation::kMaxLine);
}

TEST_F(CompilerTest, LongScriptsCompileAndFreeWithoutDeepRecursion) {
    std::string source;
    for (int32_t i = 0; i < 200000; ++i) {
        source += "x=x+1;";
    }
    EXPECT_EQ(chainCodes(&compile(source)).size(), 200002u);
    chain.reset();  // must not overflow the stack
}

}  // namespace
}  // namespace tavro::testing
