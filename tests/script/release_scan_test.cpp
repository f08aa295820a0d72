// Task and script texts through the bundle tables, and the release scan over a game folder
// that holds an earlier release or a loop of folder links.
#include <unistd.h>

#include <string>
#include <vector>

#include "host/files/game_folder_file_system.h"
#include "loader_test_support.h"
#include "script/task_loader.h"
#include "support/temporary_folder.h"

namespace tavro::testing {
namespace {

std::vector<std::string> namesIn(const NamedTextTable& table) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < table.count(); ++i) {
        names.emplace_back(table.nameAt(i));
    }
    return names;
}

class BundleFetchTest : public LoaderFixture {};

TEST_F(BundleFetchTest, BundleOnlyTasksComeFromTheBundleEvenWhenTheFileExists) {
    state.settings.bundleOnlyTasks = true;
    folder.files["disk.tsk"] = "v=1;";
    folder.files["both.tsk"] = "v=2;";
    state.bundles.table(BundleKind::kTask).at("both.tsk") = "v = 3 ;";
    TaskInstance instance(state.objects);
    EXPECT_FALSE(loadTaskInto(state, instance, "disk.tsk"));
    ASSERT_TRUE(loadTaskInto(state, instance, "both.tsk"));
    EXPECT_EQ(variable(instance, "v"), 3) << "the unprepared bundle text is prepared as a file";
    EXPECT_TRUE(folder.reads.empty()) << "no game file is read";
}

TEST_F(BundleFetchTest, AMissingScriptCompilesFromTheBundleWithANote) {
    state.bundles.table(BundleKind::kScript).at("gone.scr") = "hp=4;";
    const int32_t number = scriptNumberFor(state, "gone.scr");
    ASSERT_GT(number, 0);
    EXPECT_NE(compiledScript(state, number), nullptr);
    const std::vector<std::string> lines = reports();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "...substit from package");
}

TEST_F(BundleFetchTest, EveryTextReadReachesItsTableUnprepared) {
    folder.files["boot"] = "SCRIPT={a.scr};\nTASK={sub/c.tsk,0,0};";
    folder.files["a.scr"] = "x = 1;\n";
    folder.files["sub/c.tsk"] = "CONSTRACT={a.scr};";
    ASSERT_TRUE(loadTaskInto(state, root, "boot"));
    EXPECT_EQ(namesIn(state.bundles.table(BundleKind::kTask)),
              (std::vector<std::string>{"boot", "sub/c.tsk"}));
    EXPECT_EQ(state.bundles.table(BundleKind::kScript).at("a.scr"), "x = 1;\n");
}

TEST_F(BundleFetchTest, TheScanSkipsTheBundlesOfAnEarlierRelease) {
    folder.files["package.tsk"] = "kind=1;";
    folder.files["package.scr"] = "kind=2;";
    folder.files["sub/package.tsk"] = "kind=3;";  // a task file like any other
    folder.files["a.tsk"] = "kind=4;";
    scanTaskFiles(state, "", "*");
    EXPECT_EQ(namesIn(state.bundles.table(BundleKind::kTask)),
              (std::vector<std::string>{"a.tsk", "sub/package.tsk"}));
}

// Links that lead back up the game folder are walked once: each task file is loaded once,
// under the name of the first way to it.
TEST(ReleaseScan, ALoopOfFolderLinksEnds) {
    TemporaryFolder disk;
    disk.makeFolder("sub/deeper");
    disk.writeFile("a.tsk", "v=1;");
    disk.writeFile("sub/b.tsk", "v=2;");
    disk.writeFile("sub/deeper/c.tsk", "v=3;");
    for (const auto& [link, target] : {std::pair{"sub/up", ".."},
                                       {"sub/self", "."},
                                       {"sub/deeper/top", "../.."},
                                       {"sub/deeper/side", "../"}}) {
        ASSERT_EQ(::symlink(target, disk.at(link).c_str()), 0) << link;
    }
    GameFolderFileSystem files(disk.path());
    RecordingCompositor compositor;
    EngineState state(files, nullptr, compositor);
    scanTaskFiles(state, "", "*");
    std::vector<std::string> names = namesIn(state.bundles.table(BundleKind::kTask));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.tsk", "sub/b.tsk", "sub/deeper/c.tsk"}));
}

}  // namespace
}  // namespace tavro::testing
