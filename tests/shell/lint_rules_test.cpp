// Each rule of the author's check with one text that breaks it and one that keeps it: the bad
// one gets exactly the problem named, at its line, and the good one none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/loader_test_support.h"
#include "shell/game_lint.h"
#include "shell/key_value_lint.h"
#include "shell/script_lint.h"

namespace tavro {
namespace {

enum class Kind { kScript, kTask, kSettings, kAnimation };

struct RuleCase {
    const char* rule;
    Kind kind;
    const char* bad;
    const char* problem;  // "LINE: error: " or "LINE: warning: " and the start of the text
    const char* good;
};

std::vector<std::string> lint(Kind kind, const std::string& text) {
    std::vector<CheckProblem> problems = lintEncoding("f", text);
    switch (kind) {
        case Kind::kScript: {
            std::vector<CheckProblem> more = lintScript("f", text).problems;
            problems.insert(problems.end(), more.begin(), more.end());
            break;
        }
        case Kind::kTask: {
            std::vector<CheckProblem> more = lintTaskFile("f", text).problems;
            problems.insert(problems.end(), more.begin(), more.end());
            break;
        }
        case Kind::kSettings: {
            std::vector<CheckProblem> more = lintSettingsFile("f", text);
            problems.insert(problems.end(), more.begin(), more.end());
            break;
        }
        case Kind::kAnimation: {
            std::vector<CheckProblem> more = lintAnimationFile("f", text);
            problems.insert(problems.end(), more.begin(), more.end());
            break;
        }
    }
    std::vector<std::string> lines;
    for (const CheckProblem& problem : problems) {
        lines.push_back(problem.format());
    }
    return lines;
}

TEST(LintRulesTest, EachRuleFindsItsMistakeAtItsLineAndPassesTheFix) {
    // The mistakes of the games check_mistakes and check_broken are pinned there.
    // clang-format off
    const RuleCase cases[] = {
        {"misspelt command, a letter too many", Kind::kScript, "draws(hero);", "1: error: \"draws(\" is no command: did you mean \"draw(\"?", "draw(hero);"},
        {"command without parentheses", Kind::kScript, "x=1;\nquit;", "2: error: \"quit\" needs its parentheses", "x=1;\nquit();"},
        {"else without parentheses", Kind::kScript, "if(a){x=1;}\nelse{x=2;}", "2: error: \"else\" needs its parentheses", "if(a){x=1;}\nelse(){x=2;}"},
        {"a } too many", Kind::kScript, "if(a){\nx=1;\n}\n}\ny=2;", "4: error: a \"}\" with no open block", "if(a){\nx=1;\n}\ny=2;"},
        {"a bare block", Kind::kScript, "x=1;\n{y=2;}", "2: error: a block that no block", "x=1;\nif(a){y=2;}"},
        {"a text never closed", Kind::kScript, "x=1;\ntext(\"Hi,8,8);", "2: error: a text whose \" is never closed", "x=1;\ntext(\"Hi\",8,8);"},
        {"a ; inside a text", Kind::kScript, "text(\"a;b\",8,8);", "1: error: a \";\" inside a text ends the statement", "text(\"a,b\",8,8);"},
        {"a brace inside a text", Kind::kScript, "text(\"a{b\",8,8);", "1: error: a brace inside a text", "text(\"ab\",8,8);"},
        {"a space inside a text", Kind::kScript, "text(\"Hi there\",8,8);", "1: warning: the space in this text is removed", "text(\"Hi\\sthere\",8,8);"},
        {"a condition whose ( is never closed", Kind::kScript, "x=1;\nif((x<3){y=1;}", "2: error: a \"(\" in \"if((x<3)\" is never closed", "x=1;\nif((x<3)){y=1;}"},
        {"a ) too many", Kind::kScript, "x=(a+b));", "1: error: a \")\" with no \"(\"", "x=(a+b);"},
        {"a ; inside a comment", Kind::kScript, "// left; then right;\nx=1;", "1: warning: a \";\" inside a comment ends it: \"thenright\"", "// left, then right;\nx=1;"},
        {"a brace inside a comment", Kind::kScript, "// if(a){;\nx=1;", "1: error: a brace inside a comment", "// if a holds;\nx=1;"},
        {"a lower-case letter key", Kind::kScript, "ifstamp(z){x=1;}", "1: error: \"z\" is not the Z key", "ifstamp(Z){x=1;}"},
        {"a misspelt key name", Kind::kScript, "unlesskey(sapce){x=1;}", "1: error: \"sapce\" is no key name: did you mean \"space\"?", "unlesskey(space){x=1;}"},
        {"a pad name in capitals", Kind::kScript, "ifkey(Pad1.left){x=1;}", "1: error: pad names are written in lower case", "ifkey(pad1.left){x=1;}"},
        {"an unknown key name", Kind::kScript, "if(a){}elseifkey(F1){x=1;}", "1: error: \"F1\" is no key name", "if(a){}elseifkey(F){x=1;}"},
        {"else after the ; of a block", Kind::kScript, "if(a){x=1;};\nelseif(b){x=2;}", "2: error: \"elseif(\" never runs: the \";\" after the \"}\" on line 1", "if(a){x=1;}\nelseif(b){x=2;}"},
        {"else at the start of a block", Kind::kScript, "loop(3){\nelse(){x=2;}\n}", "2: error: \"else(\" never runs: it follows no if(", "loop(3){\nunless(a){x=2;}\n}"},
        {"else after a comment", Kind::kScript, "ifkey(A){x=1;}\n// else;\nelse(){x=2;}", "3: error: \"else(\" never runs: the comment before it", "ifkey(A){x=1;}\nelse(){x=2;}"},
        {"a section in the wrong case", Kind::kTask, "Image={a,a.png};", "1: error: \"Image\" is no section: did you mean \"IMAGE\"?", "IMAGE={a,a.png};"},
        {"groups under no section", Kind::kTask, "stuff={a,a.png};", "1: error: \"stuff\" holds {...} groups but is no section", "stuff=1;"},
        {"a task entry without ;", Kind::kTask, "SCRIPT={main.scr}\nIMAGE={a,a.png};", "1: error: a \";\" is missing at the end of line 1: \"SCRIPT\" runs on into line 2, and the entry \"IMAGE\" there is lost", "SCRIPT={main.scr};\nIMAGE={a,a.png};"},
        {"a file outside the groups", Kind::kTask, "SCRIPT=main.scr;", "1: error: \"main.scr\" is outside the {...} groups of \"SCRIPT\"", "SCRIPT={main.scr};"},
        {"an image group without a file", Kind::kTask, "x=1;\nIMAGE={hero};", "2: error: the group {hero} of \"IMAGE\" names no file", "x=1;\nIMAGE={hero,hero.png};"},
        {"a variable that is no number", Kind::kTask, "speed=fast;", "1: warning: \"fast\" is no number: the variable \"speed\" takes 0", "speed=2.5;"},
        {"an entry without =", Kind::kTask, "SCRIPT{main.scr};", "1: error: \"SCRIPT{main.scr}\" has no \"=\"", "SCRIPT={main.scr};"},
        {"a section given twice", Kind::kTask, "SCRIPT={a.scr};\nSCRIPT={b.scr};", "2: warning: \"SCRIPT\" is given again: this value replaces the one of line 1", "SCRIPT={a.scr}{b.scr};"},
        {"a misspelt setting", Kind::kSettings, "windowWidht=320;", "1: error: \"windowWidht\" is no setting: did you mean \"windowWidth\"?", "windowWidth=320;"},
        {"a switch in capitals", Kind::kSettings, "errorReport=True;", "1: error: only \"true\", in lower case, switches \"errorReport\" on", "errorReport=true;"},
        {"a switch that is no truth value", Kind::kSettings, "fullScreen=yes;", "1: warning: only \"true\", in lower case, switches \"fullScreen\" on", "fullScreen=false;"},
        {"a size that is no number", Kind::kSettings, "windowWidth=640px;", "1: warning: \"640px\" is no number: the setting \"windowWidth\" takes only the number", "windowWidth=640;"},
        {"a space in a title", Kind::kSettings, "windowTitle=My Game;", "1: warning: the space in the value of \"windowTitle\" is removed", "windowTitle=My\\sGame;"},
        {"UTF-8 text in the settings", Kind::kSettings, "windowTitle=\xE3\x81\x82;", "1: error: the file is UTF-8", "windowTitle=\x82\xA0;"},
        {"a misspelt animation key", Kind::kAnimation, "texture=a.png;\nwidht=4;", "2: error: \"widht\" is no animation key: did you mean \"width\"?", "texture=a.png;\nwidth=4;"},
        {"an animation entry without ;", Kind::kAnimation, "texture=a.png\nwidth=4;", "1: error: a \";\" is missing at the end of line 1", "texture=a.png;\nwidth=4;"},
    };
    // clang-format on
    for (const RuleCase& c : cases) {
        const std::vector<std::string> bad = lint(c.kind, c.bad);
        ASSERT_EQ(bad.size(), 1u) << c.rule << ": " << ::testing::PrintToString(bad);
        EXPECT_TRUE(bad[0].starts_with(std::string("f:") + c.problem)) << c.rule << ": " << bad[0];
        EXPECT_EQ(lint(c.kind, c.good), std::vector<std::string>()) << c.rule;
    }
}

// A double-byte character whose second byte is a brace is text, as the loader reads it: no
// block opens, and lines count as written.
TEST(LintRulesTest, ReadsShiftJisAsTheLoaderDoes) {
    EXPECT_EQ(lint(Kind::kScript, "x=1;\ntext(\"\x83\x7B\x83\x7D\",8,8);\n"),
              std::vector<std::string>());
    EXPECT_EQ(lint(Kind::kScript, "x=1;\n\n  text(\"\x83\x7B\",\n8,8);\nDraw(a);"),
              std::vector<std::string>{"f:5: error: \"Draw(\" is no command: did you mean "
                                       "\"draw(\"? As written it is read as an expression and "
                                       "does nothing"});
}

// The images and sounds a script names must be in the tasks that run it, directly or through
// script(; inside a batch block the current object is another one, so nothing is judged.
TEST(LintRulesTest, MediaNamesAreLookedUpInTheTasksThatRunTheScript) {
    struct Case {
        const char* rule;
        const char* script;
        const char* problem;  // empty: none
    };
    // clang-format off
    const Case cases[] = {
        {"declared image", "draw(hero,0,0);", ""},
        {"sound declared by one of the runners", "playSound(boom);", ""},
        {"undeclared sound", "rewindSound(hero);", "b.scr:1: error: sound \"hero\" is in the SOUND section of no task"},
        {"inside a batch block", "batch(){draw(ghost,0,0);}", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        testing::GameFolder folder;
        folder.files = {{"boot", "IMAGE={hero,h.png};SCRIPT={a.scr};"},
                        {"e.tsk", "SOUND={boom,b.wav};CONSTRACT={b.scr};"},
                        {"a.scr", "script(\"b.scr\");"},
                        {"b.scr", c.script}};
        std::vector<std::string> problems;
        for (const CheckProblem& problem :
             lintGameFiles(folder, {"boot", "e.tsk"}, {"a.scr", "b.scr"})) {
            problems.push_back(problem.format());
        }
        if (*c.problem == '\0') {
            EXPECT_EQ(problems, std::vector<std::string>()) << c.rule;
        } else {
            ASSERT_EQ(problems.size(), 1u) << c.rule;
            EXPECT_TRUE(problems[0].starts_with(c.problem)) << c.rule << ": " << problems[0];
        }
    }
}

}  // namespace
}  // namespace tavro
