// Release runs: the bundles and "package.ini" a release writes, a folder that runs from them
// alone, a release over an earlier one, and the runs that must write nothing.
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "shell/release_files.h"
#include "shell/settings.h"
#include "text/scrambled_file.h"

namespace tavro {
namespace {

std::string unscrambled(std::string bytes, const char* key) {
    unscrambleText(bytes.data(), static_cast<int32_t>(bytes.size()), key);
    return bytes;
}

std::string scrambled(std::string text, const char* key) {
    scrambleText(text.data(), static_cast<int32_t>(text.size()), key);
    return text;
}

class ReleaseRunTest : public EngineTest {
  protected:
    // One run of the real script engine over the test's folder.
    int runGame(uint64_t frames = 1) {
        display_ = std::make_unique<HeadlessDisplay>(ScriptedInput(std::vector<InputEvent>{}));
        engine_ =
            std::make_unique<Engine>(host(*display_), gameScripts_, EngineOptions{frames, 1u});
        return engine_->run();
    }
    std::string bundle(const char* name) {
        return unscrambled(folder_.readFile(name), kDefaultPackagePassword);
    }

    ScriptEngineGameScripts gameScripts_;
};

TEST_F(ReleaseRunTest, AReleasedFolderRunsFromItsBundlesAlone) {
    folder_.writeFile("init", "releasePackage=true;windowTitle=My\\sGame\\nTwo;");
    folder_.writeFile("boot", "SCRIPT={m.scr};\nTASK={sub/e.tsk,1,2};");
    folder_.writeFile("m.scr", "hp = 7;");
    folder_.makeFolder("sub");
    folder_.writeFile("sub/e.tsk", "v=1;");
    ASSERT_EQ(runGame(), kExitNormal);
    EXPECT_EQ(
        engine_->releaseFiles().written,
        (std::vector<std::string>{"package.tsk", "package.scr", "package.ani", "package.ini"}));
    EXPECT_EQ(bundle("package.tsk"),
              "sub/e.tsk=v\\eq1\\sc;boot=SCRIPT\\eq{m.scr}\\sc\nTASK\\eq{sub/e.tsk,1,2}\\sc;");
    EXPECT_EQ(bundle("package.scr"), "m.scr=hp \\eq 7\\sc;");
    EXPECT_EQ(folder_.readFile("package.ani"), "");
    EXPECT_EQ(unscrambled(folder_.readFile("package.ini"), kSettingsFileKey),
              // "=;": the empty piece after the settings file's final ";"
              "releasePackage=;windowTitle=My\\sGame\\nTwo;=;windowX=200;windowY=200;"
              "windowWidth=640;windowHeight=480;screenWidth=640;screenHeight=480;"
              "limitUnderFPS=;fullScreen=;errorReport=;notUseOriginalFile=true;antiAlias=;"
              "cameraSpeed=;packagePassword=plainBundle;");

    for (const char* source : {"init", "boot", "m.scr", "sub/e.tsk"}) {
        ASSERT_EQ(std::remove(source), 0) << source;
    }
    ASSERT_EQ(runGame(), kExitNormal);
    EXPECT_EQ(display_->title(), "My Game\nTwo") << "the space and the line feed survive";
    EXPECT_TRUE(engine_->settings().bundleOnlyTasks);
    EXPECT_TRUE(engine_->releaseFiles().written.empty()) << "a released game writes nothing";
    TaskInstance& root = engine_->state().objects.root();
    EXPECT_EQ(root.variables[engine_->state().names.idFor("hp")][0], 7) << "m.scr ran";
    ASSERT_NE(root.children.first(), nullptr) << "sub/e.tsk came from the bundle";
}

// The old bundles are read before the scan: files on disk replace their entries, entries of
// files no longer there stay, and the old bundle is not recorded as a task file.
TEST_F(ReleaseRunTest, AReleaseOverAnEarlierOneTakesTheNewTexts) {
    folder_.writeFile("init", "releasePackage=true;");
    folder_.writeFile("package.tsk",
                      scrambled("boot=old;gone.tsk=v\\eq9\\sc;", kDefaultPackagePassword));
    folder_.writeFile("package.scr", scrambled("m.scr=hp\\eq1\\sc;", kDefaultPackagePassword));
    folder_.writeFile("boot", "SCRIPT={m.scr};");
    folder_.writeFile("m.scr", "hp=2;");
    ASSERT_EQ(runGame(), kExitNormal);
    // "=;": the empty piece after an old bundle's final ";" is an entry like any other.
    EXPECT_EQ(bundle("package.tsk"), "boot=SCRIPT\\eq{m.scr}\\sc;gone.tsk=v\\eq9\\sc;=;");
    EXPECT_EQ(bundle("package.scr"), "m.scr=hp\\eq2\\sc;=;");
}

TEST_F(ReleaseRunTest, AStartUpThatFailsWritesNoReleaseFiles) {
    folder_.writeFile("init", "releasePackage=true;");
    folder_.writeFile("boot", "v=1;");
    display_ = std::make_unique<HeadlessDisplay>(ScriptedInput(std::vector<InputEvent>{}));
    HostServices silent = host(*display_);
    silent.audio = nullptr;  // the sound device cannot be made
    Engine engine(silent, gameScripts_, EngineOptions{1, 1u});
    EXPECT_EQ(engine.run(), kExitStartupFailed);
    for (const char* name : {"package.ini", "package.tsk", "package.scr", "package.ani"}) {
        EXPECT_FALSE(folder_.exists(name)) << name;
    }
    EXPECT_NE(describeRelease(engine.releaseFiles()).find("no release files"), std::string::npos);
}

// A bundle that cannot be replaced keeps its old file; the other files are still written.
TEST_F(ReleaseRunTest, ABundleThatCannotBeWrittenStopsNoOtherFile) {
    folder_.writeFile("init", "releasePackage=true;");
    folder_.writeFile("boot", "v=1;");
    folder_.makeFolder("package.scr");  // a folder: nothing can be renamed over it
    ASSERT_EQ(runGame(), kExitNormal);
    const ReleaseFiles& files = engine_->releaseFiles();
    EXPECT_EQ(files.failed, std::vector<std::string>{"package.scr"});
    EXPECT_EQ(files.written,
              (std::vector<std::string>{"package.tsk", "package.ani", "package.ini"}));
    EXPECT_EQ(describeRelease(files),
              "release run wrote: package.tsk package.ani package.ini; could not write: "
              "package.scr");
    EXPECT_EQ(folder_.entryCount(), 7u) << "boot, init, four release files, dialogs.txt";
}

}  // namespace
}  // namespace tavro
