#include "shell/game_check.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/audio/mixer.h"
#include "render/recording_compositor.h"
#include "script/loader_test_support.h"
#include "shell/game_folder_advice.h"
#include "sound/sound_test_support.h"

namespace tavro {
namespace {

struct CheckCase {
    const char* name;
    std::map<std::string, std::string> files;
    std::vector<std::string> problems;
    std::string summary;
};

GameCheckReport check(const std::map<std::string, std::string>& files) {
    testing::GameFolder folder;
    folder.files.insert(files.begin(), files.end());
    testing::RecordingCompositor compositor;
    Mixer mixer(16);
    return checkGame(folder, compositor, mixer);
}

TEST(GameCheckTest, ReportsEveryProblemOfABrokenFolder) {
    const std::string png = testing::PngHeader(8, 8);
    const CheckCase cases[] = {
        {"clean game",
         {{"boot",
           "SCRIPT={main.scr};TASK={hero.tsk,1,2};IMAGE={bg,bg.png}{run,run.ani};"
           "SOUND={hit,hit.wav};"},
          {"main.scr", "if(a){if(b){new(\"hero.tsk\",0,0);}}else(){c=1;}playBGM(\"s.mid\");"},
          {"hero.tsk", "CONSTRACT={hero.scr};"},
          {"hero.scr", "x=x+1;"},
          {"bg.png", png},
          {"run.ani", "texture=bg.png;width=4;height=4;animation={0,0,2}{1,0,2};"},
          {"hit.wav", waveFile()},
          {"s.mid", "MThd"}},
         {},
         "checked 2 task files, 2 scripts and 1 animation: no problems found"},
        {"every syntax error of every script, with the statement and what it expected",
         {{"boot", "SCRIPT={a.scr}{b.scr};"},
          {"a.scr", "x=1;\nwhile(x<3);\nx=x+1;\nif(x)"},
          {"b.scr", "loop(3){\n  if(y){z=1;}\n"}},
         {"a.scr:2: error: syntax error in \"while(x<3)\": expected a block \"{...}\" after it",
          "a.scr:4: error: syntax error in \"if(x)\": expected a block \"{...}\" after it",
          "b.scr:1: error: syntax error in \"loop(3)\": expected the \"}\" that closes its block"},
         "checked 1 task file, 2 scripts and 0 animations: 3 errors, 0 warnings"},
        {"missing and unreadable files, each with the file that names it",
         {{"boot",
           "TASK={gone.tsk,0,0}{sub/e.tsk,0,0};IMAGE={a,a.png}{b,bad.png}{c,c.ani}"
           "{d,d.ani};SOUND={s,s.wav}{t,bad.wav};SCRIPT={m.scr}{gone.scr};"},
          {"bad.png", "not an image"},
          {"bad.wav", "not a sound"},
          {"d.ani", "texture=sheet.png;width=4;height=4;"},
          {"m.scr",
           "script(\"x.scr\");new(\"boss.tsk\",0,0);friend(\"sub/e.tsk\",0,0);"
           "playBGM(\"song.mid\");"},
          {"sub/e.tsk", "IMAGE={a,a.png};"}},
         {"boot:1: error: missing task \"gone.tsk\"", "boot:1: error: missing image \"a.png\"",
          "boot:1: error: unreadable image \"bad.png\"",
          "boot:1: error: missing animation \"c.ani\"",
          "boot:1: error: missing image \"sheet.png\", the sheet of animation \"d.ani\"",
          "boot:1: error: missing sound \"s.wav\"", "boot:1: error: unreadable sound \"bad.wav\"",
          "boot:1: error: missing script \"gone.scr\"", "m.scr:1: error: missing script \"x.scr\"",
          "m.scr:1: error: missing task \"boss.tsk\"", "m.scr:1: error: missing music \"song.mid\"",
          "sub/e.tsk:1: error: missing image \"a.png\""},
         "checked 2 task files, 1 script and 1 animation: 12 errors, 0 warnings"},
        {"tasks no other task names, found below the folder",
         {{"boot", ""},
          {"old.tsk", "SCRIPT={old.scr};"},
          {"sub/deep/x.tsk", "SCRIPT={x.scr};"},
          {"x.scr", "if(1)"}},
         {"old.tsk:1: error: missing script \"old.scr\"",
          "x.scr:1: error: syntax error in \"if(1)\": expected a block \"{...}\" after it"},
         "checked 3 task files, 1 script and 0 animations: 2 errors, 0 warnings"},
        {"music that lasts no time",
         {{"boot", "SCRIPT={m.scr};"},
          {"m.scr", "playBGM(\"empty.mid\");"},
          {"empty.mid", std::string("MThd\0\0\0\6\0\0\0\1\1\xE0MTrk\0\0\0\4\0\xFF\x2F\0", 26)}},
         {"m.scr:1: warning: music \"empty.mid\" lasts no time: it plays as silence"},
         "checked 1 task file, 1 script and 0 animations: 0 errors, 1 warning"},
        {"no boot",
         {{"readme.txt", ""}},
         {"boot: error: missing task \"boot\""},
         "checked 0 task files, 0 scripts and 0 animations: 1 error, 0 warnings"},
    };
    for (const CheckCase& c : cases) {
        const GameCheckReport report = check(c.files);
        std::vector<std::string> problems;
        for (const CheckProblem& problem : report.problems) {
            problems.push_back(problem.format());
        }
        EXPECT_EQ(problems, c.problems) << c.name;
        EXPECT_EQ(report.summary(), c.summary) << c.name;
        EXPECT_EQ(report.clean(), c.problems.empty()) << c.name;
    }
}

TEST(GameCheckTest, WritesNothingIntoTheGameFolder) {
    testing::GameFolder folder;
    folder.files = {{"init", "errorReport=true;releasePackage=true;"},
                    {"boot", "SCRIPT={a.scr};"},
                    {"a.scr", "save(\"s.txt\",1,0);if(1)"}};
    const auto before = folder.files;
    testing::RecordingCompositor compositor;
    Mixer mixer(16);
    EXPECT_EQ(checkGame(folder, compositor, mixer).syntaxErrors, 1);
    EXPECT_EQ(folder.files, before);
}

constexpr const char* kNotAGameFolder =
    "'/g' is not a game folder: it holds no \"boot\" file (the game's root task, a file named "
    "boot without an extension)";

TEST(GameFolderAdviceTest, PointsANewcomerAtTheFolderHoldingBoot) {
    struct Case {
        std::map<std::string, std::string> files;
        std::string note;
        bool game;  // something of a game is there: it runs, empty, rather than ending
    };
    const Case cases[] = {
        {{{"boot", ""}}, "", true},
        {{{"package.tsk", ""}}, "", true},
        {{{"readme.txt", ""}}, kNotAGameFolder, false},
        {{{"mygame/boot", ""}, {"mygame/a.scr", ""}},
         "'/g' holds no \"boot\" file, but its folder 'mygame' does: to play it, run tavro "
         "'/g/mygame'",
         false},
        {{{"b/boot", ""}, {"a/boot", ""}, {"c/x", ""}, {"d/boot", ""}},
         "'/g' holds no \"boot\" file, but its folders 'a', 'b' and 'd' do: to play one, run "
         "tavro '/g/a'",
         false},
        {{{"boot.tsk", ""}}, kNotAGameFolder, true},
        {{{"tasks/enemies/bat.tsk", ""}, {"notes.txt", ""}}, kNotAGameFolder, true},
    };
    for (const Case& c : cases) {
        testing::GameFolder folder;
        folder.files.insert(c.files.begin(), c.files.end());
        EXPECT_EQ(missingBootNote(folder, "/g"), c.note);
        EXPECT_EQ(looksLikeAGame(folder), c.game) << c.note;
    }
    testing::GameFolder unreadable;
    unreadable.files["boot"] = "";
    unreadable.failing.insert("boot");
    EXPECT_EQ(missingBootNote(unreadable, "/g"), "the \"boot\" file in '/g' cannot be read");
    EXPECT_TRUE(looksLikeAGame(unreadable));
}

}  // namespace
}  // namespace tavro
