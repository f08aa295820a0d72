#include "shell/game_check.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/audio/mixer.h"
#include "render/recording_compositor.h"
#include "script/loader_test_support.h"
#include "shell/game_folder_advice.h"
#include "support/file_bytes.h"

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

// The games check_broken and check_mistakes show the syntax errors and the missing and
// unreadable files, each with the file that names it.
TEST(GameCheckTest, ReportsEveryProblemOfABrokenFolder) {
    const std::string png = testing::pngHeader(8, 8);
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
          {"hit.wav", testing::waveFile()},
          {"s.mid", "MThd"}},
         {},
         "checked 2 task files, 2 scripts and 1 animation: no problems found"},
        {"a missing animation",
         {{"boot", "IMAGE={c,c.ani};"}},
         {"boot:1: error: missing animation \"c.ani\""},
         "checked 1 task file, 0 scripts and 0 animations: 1 error, 0 warnings"},
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
    // clang-format off
    const Case cases[] = {
        {{{"boot", ""}}, "", true},
        {{{"package.tsk", ""}}, "", true},
        {{{"readme.txt", ""}}, kNotAGameFolder, false},
        {{{"mygame/boot", ""}, {"mygame/a.scr", ""}}, "'/g' holds no \"boot\" file, but its folder 'mygame' does: to play it, run tavro '/g/mygame'", false},
        {{{"b/boot", ""}, {"a/boot", ""}, {"c/x", ""}, {"d/boot", ""}}, "'/g' holds no \"boot\" file, but its folders 'a', 'b' and 'd' do: to play one, run tavro '/g/a'", false},
        {{{"boot.tsk", ""}}, kNotAGameFolder, true},
        {{{"tasks/enemies/bat.tsk", ""}, {"notes.txt", ""}}, kNotAGameFolder, true},
    };
    // clang-format on
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
