// The statement compiler: chain shapes, argument splitting, texts, key names and the
// syntax-error stop.
#include <string>
#include <vector>

#include "loader_test_support.h"
#include "script/compiler.h"
#include "script/contexts.h"
#include "script/keywords.h"
#include "text/messages.h"

namespace tavro::testing {
namespace {

class CompilerTest : public LoaderFixture {
  protected:
    // Compiles script source text as the loader would.
    const Statement& compile(const std::string& source) {
        TextString text(source.c_str());
        prepareScriptText(text);
        chain = std::make_unique<Statement>();
        compileStatements(*chain, text);
        return *chain;
    }
    static double constant(const ExprNode& expression) { return expression.evaluate(nullptr); }
    static double nameNumber(const ExprNode& expression) {
        NameContext names;
        return expression.evaluate(&names);
    }

    std::unique_ptr<Statement> chain;
};

TEST(ScriptText, PreparationPutsASemicolonAfterEveryBrace) {
    struct Case {
        const char* source;
        const char* prepared;
    };
    const Case cases[] = {
        {"if(a){b;}", "if(a);{;b;};"},
        {"if (a) {\r\n\tb = 1;\n}", "if(a);{;b=1;};"},
        {"x = 1;", "x=1;"},
        {"{}", "{;};"},
        {"loop(3){loop(2){n=n+1;}}", "loop(3);{;loop(2);{;n=n+1;};};"},
    };
    for (const Case& c : cases) {
        TextString text(c.source);
        prepareScriptText(text);
        EXPECT_EQ(std::string(text.view()), c.prepared) << c.source;
    }
}

TEST_F(CompilerTest, ChainsEndWithAnEmptyStatement) {
    struct Case {
        const char* source;
        std::vector<uint32_t> codes;
    };
    const Case cases[] = {
        {"", {kCodeExpression, kCodeEmpty}},
        {"x=x+1;", {kCodeExpression, kCodeExpression, kCodeEmpty}},
        {"draw(a,1,2);kill();", {kCodeDraw, kCodeKill, kCodeExpression, kCodeEmpty}},
        {"if(a>1){b=2;}c=3;", {kCodeIf, kCodeExpression, kCodeExpression, kCodeEmpty}},
        {"// note;x=1;", {kCodeComment, kCodeExpression, kCodeExpression, kCodeEmpty}},
        {"IF(1);Draw(a);", {kCodeExpression, kCodeExpression, kCodeExpression, kCodeEmpty}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chainCodes(&compile(c.source)), c.codes) << c.source;
    }
}

TEST_F(CompilerTest, BlockStatementsOwnTheirBlock) {
    const Statement& first = compile("if(a>1){b=2;}c=3;");
    ASSERT_NE(first.body, nullptr);
    EXPECT_EQ(chainCodes(first.body.get()),
              (std::vector<uint32_t>{kCodeExpression, kCodeExpression, kCodeEmpty}));
    EXPECT_EQ(first.next->code, kCodeExpression);
    EXPECT_EQ(first.next->body, nullptr);

    // The inner block is the inner statement's; the outer body goes on after it.
    const Statement& outer = compile("loop(3){loop(2){n=1;}m=2;}k=3;");
    const Statement& inner = *outer.body;
    EXPECT_EQ(inner.code, kCodeLoop);
    ASSERT_NE(inner.body, nullptr);
    EXPECT_EQ(inner.body->code, kCodeExpression);
    EXPECT_EQ(inner.next->code, kCodeExpression);  // m=2
    EXPECT_EQ(inner.next->next->code, kCodeExpression);
    EXPECT_EQ(chainCodes(&outer),
              (std::vector<uint32_t>{kCodeLoop, kCodeExpression, kCodeExpression, kCodeEmpty}));
}

TEST_F(CompilerTest, ElseWithoutParenthesesIsAnExpressionAndItsBlockRunsInline) {
    const Statement& first = compile("if(0){a=1;}else{c=1;}");
    EXPECT_EQ(first.code, kCodeIf);
    const Statement& elseWord = *first.next;
    EXPECT_EQ(elseWord.code, kCodeExpression);  // "else{" with the brace
    EXPECT_EQ(elseWord.body, nullptr);
    EXPECT_EQ(elseWord.next->code, kCodeExpression);  // c=1 in the outer chain

    const Statement& proper = *compile("if(0){a=1;}else(){c=1;}").next;
    EXPECT_EQ(proper.code, kCodeElseBlock);
    ASSERT_NE(proper.body, nullptr);
    EXPECT_EQ(proper.body->code, kCodeExpression);
}

TEST_F(CompilerTest, ABareBlockBecomesTheBodyOfTheNextBlockStatement) {
    // The group search takes the first group not yet taken: the bare block's.
    const Statement& first = compile("{x=1;}if(1){y=2;}");
    EXPECT_EQ(first.code, kCodeEmpty);
    const Statement* ifStatement = first.next.get();
    while (ifStatement->code != kCodeIf) {
        ifStatement = ifStatement->next.get();
    }
    ASSERT_NE(ifStatement->body, nullptr);
    TaskInstance instance;
    InstanceContext context(&instance, &instance);
    ifStatement->body->expressions[0].evaluate(&context);
    EXPECT_EQ(variable(instance, "x"), 1);
    EXPECT_EQ(variable(instance, "y"), 0);
}

TEST_F(CompilerTest, GenericArgumentsSplitAtTopLevelCommas) {
    const Statement& draw = compile("draw(stand,10,-5);");
    EXPECT_EQ(draw.code, kCodeDraw);
    EXPECT_EQ(nameNumber(draw.expressions[0]), nameId("stand"));
    EXPECT_EQ(constant(draw.expressions[1]), 10);
    EXPECT_EQ(constant(draw.expressions[2]), -5);

    const Statement& nested = compile("draw(img,max(1,2)+3,0);");
    EXPECT_EQ(constant(nested.expressions[2]), 0);
    EXPECT_EQ(nameNumber(nested.expressions[0]), nameId("img"));
    EXPECT_TRUE(nested.texts[0].empty());

    // Everything after the closing parenthesis is dropped.
    const Statement& cut = compile("view(1,2)+5,7;");
    EXPECT_EQ(constant(cut.expressions[0]), 1);
    EXPECT_EQ(constant(cut.expressions[1]), 2);
    EXPECT_EQ(constant(cut.expressions[2]), 0);
}

TEST_F(CompilerTest, QuotedArgumentsBecomeTextsWithEscapes) {
    struct Case {
        const char* source;
        const char* text0;
        const char* text1;
        double expression0;
    };
    const Case cases[] = {
        {R"(text("Hi\sthere",8,8);)", "Hi there", "", 8},
        {R"(text("a\nb\tc",1);)", "a\nb\tc", "", 1},
        {R"(save("file.txt",3,"x");)", "file.txt", "x", 3},
        {R"(text(""",2);)", "\"", "", 2},  // a lone quote is quoted too
        {R"(text(",4);)", "", "", 4},
        {R"(text("a,b");)", "", "", 0},  // the comma splits the text apart
    };
    for (const Case& c : cases) {
        const Statement& statement = compile(c.source);
        EXPECT_EQ(std::string(statement.texts[0].view()), c.text0) << c.source;
        EXPECT_EQ(std::string(statement.texts[1].view()), c.text1) << c.source;
        EXPECT_EQ(constant(statement.expressions[0]), c.expression0) << c.source;
    }
}

TEST_F(CompilerTest, SurplusArgumentsAreDropped) {
    const Statement& statement =
        compile(R"(text(1,2,3,4,5,6,7,8,9,"a","b","c","d","e","f","g","h","i");)");
    for (int32_t i = 0; i < kStatementArgumentCount; ++i) {
        EXPECT_EQ(constant(statement.expressions[i]), i + 1);
        EXPECT_EQ(statement.texts[i].view(), std::string(1, static_cast<char>('a' + i)));
    }
}

TEST_F(CompilerTest, KeyStatementsStoreTheKeyCode) {
    struct Case {
        const char* source;
        double code;
        double input;
    };
    const Case cases[] = {
        {"ifkey(A){}", 65, 0},
        {"ifkey(space){}", 32, 0},
        {"ifkey(a){}", 0, 0},
        {"ifkey(b){}", 98, 0},
        {"ifkey(pad1.3){}", 0x1003, 0},
        {"ifkey(pad2.right){}", 0x2022, 0},
        {"ifstamp(Z){}", 90, 0},
        {"unlesskey(escape){}", 27, 0},
        {"elseifkey(7){}", 55, 0},
        {"elseifstamp(pad2.7){}", 8199, 0},
        {"ifkey(pad1.2+1){}", 0x1000, 3},
    };
    for (const Case& c : cases) {
        const Statement& statement = compile(c.source);
        EXPECT_TRUE(takesKeyName(statement.code)) << c.source;
        EXPECT_EQ(constant(statement.expressions[0]), c.code) << c.source;
        EXPECT_EQ(constant(statement.expressions[1]), c.input) << c.source;
    }
    // The rest of a pad name is an expression read when the statement runs.
    const Statement& variableInput = compile("ifkey(pad1.n){}");
    EXPECT_EQ(nameNumber(variableInput.expressions[1]), nameId("n"));
}

TEST_F(CompilerTest, ScriptCallsStoreTheCalledScriptsNumber) {
    folder.files["other.scr"] = "x=1;";
    folder.files["self.scr"] = "script(\"self.scr\");";
    const Statement& call = compile("script(\"other.scr\");");
    EXPECT_EQ(call.code, kCodeScript);
    const int32_t other = scriptNumberFor("other.scr");
    EXPECT_GT(other, 0);
    EXPECT_EQ(constant(call.expressions[0]), other);

    // A script that calls itself gets its own number back, compiled once.
    const int32_t self = scriptNumberFor("self.scr");
    ASSERT_GT(self, 0);
    EXPECT_EQ(constant(compiledScript(self)->expressions[0]), self);
    EXPECT_EQ(scriptCount(), 3);  // "", other, self

    EXPECT_EQ(constant(compile("script(\"missing.scr\");").expressions[0]), 0);
    EXPECT_EQ(constant(compile("script(x);").expressions[0]), -1);  // no name left
}

TEST_F(CompilerTest, UnbalancedBlocksStopWithTheSyntaxError) {
    const char* const broken[] = {
        "if(1)",                // a header without a block
        "x=1;while(1)",         // ... at the end of the script
        "if(1){x=1;",           // a block without its closing brace
        "loop(2){if(1){x=1;}",  // an inner block closes, the outer does not
    };
    for (const char* source : broken) {
        resetHalt();
        dialogs.messages.clear();
        compile(source);
        EXPECT_TRUE(haltRequested()) << source;
        ASSERT_EQ(dialogs.messages.size(), 1u) << source;
        EXPECT_EQ(dialogs.messages[0].first, "report");
        EXPECT_EQ(dialogs.messages[0].second, kSyntaxErrorMessage);
    }
}

TEST_F(CompilerTest, AfterTheSyntaxErrorNothingMoreCompiles) {
    folder.files["later.scr"] = "x=1;";
    compile("if(1);script(\"later.scr\");");
    EXPECT_TRUE(haltRequested());
    EXPECT_EQ(scriptNumberFor("later.scr"), 0);
    EXPECT_EQ(compiledScript(1), nullptr);
}

TEST_F(CompilerTest, NestingDeeperThanTheLimitIsASyntaxError) {
    std::string deep;
    for (int32_t i = 0; i < kMaxCompileDepth + 1; ++i) {
        deep += "if(1){";
    }
    deep += std::string(kMaxCompileDepth + 1, '}');
    compile(deep);
    EXPECT_TRUE(haltRequested());
    EXPECT_EQ(dialogs.messages.size(), 1u);

    resetHalt();
    std::string allowed;
    for (int32_t i = 0; i < 50; ++i) {
        allowed += "if(1){";
    }
    allowed += std::string(50, '}');
    compile(allowed);
    EXPECT_FALSE(haltRequested());
}

TEST_F(CompilerTest, LongScriptsCompileAndFreeWithoutDeepRecursion) {
    std::string source;
    for (int32_t i = 0; i < 200000; ++i) {
        source += "x=x+1;";
    }
    EXPECT_EQ(chainCodes(&compile(source)).size(), 200002u);
    chain.reset();  // must not overflow the stack
}

TEST_F(CompilerTest, HaltedCompilerLeavesTheStatementEmpty) {
    requestHalt();
    const Statement& statement = compile("x=1;draw(a);");
    EXPECT_EQ(statement.code, kCodeEmpty);
    EXPECT_EQ(statement.next, nullptr);
}

}  // namespace
}  // namespace tavro::testing
