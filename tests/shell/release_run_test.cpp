// Release runs that must write nothing, or all they can. The release end to end
// (tests/release) runs a folder from its bundles alone and releases over an earlier release.
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "shell/release_files.h"
#include "shell/settings.h"

namespace tavro {
namespace {

class ReleaseRunTest : public EngineTest {
  protected:
    // One run of the real script engine over the test's folder.
    int runGame(uint64_t frames = 1) {
        display_ = std::make_unique<HeadlessDisplay>(ScriptedInput(std::vector<InputEvent>{}));
        engine_ =
            std::make_unique<Engine>(host(*display_), gameScripts_, EngineOptions{frames, 1u});
        return engine_->run();
    }

    ScriptEngineGameScripts gameScripts_;
};

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
