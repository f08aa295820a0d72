// Task files into templates and instances; script numbers; the release scan.
#include <algorithm>
#include <string>
#include <vector>

#include "loader_test_support.h"
#include "script/task_loader.h"
#include "support/file_bytes.h"
#include "text/scrambled_file.h"

namespace tavro::testing {
namespace {

class TaskLoaderTest : public LoaderFixture {
  protected:
    int32_t fileReads(const std::string& path) {
        return static_cast<int32_t>(std::count(folder.reads.begin(), folder.reads.end(), path));
    }
};

TEST_F(TaskLoaderTest, SectionsFillTheInstance) {
    folder.files["player.tsk"] =
        "SCRIPT = {player.scr};\r\n"
        "IMAGE = {stand,stand.png}{jump, jump.png};\n"
        "TASK = {shadow.tsk,0,8};\n"
        "SOUND = {hit,hit.wav}{miss,missing.wav};\n"
        "CONSTRACT = {init.scr}{more.scr};\n"
        "hp = 10;\tspeed=2.5;";
    folder.files["shadow.tsk"] = "kind=7;";
    folder.files["player.scr"] = "x=x+1;";
    folder.files["init.scr"] = "hp=hp+1;";
    folder.files["more.scr"] = "";
    folder.files["jump.png"] = pngHeader(4, 2);
    folder.files["hit.wav"] = waveFile();
    ASSERT_TRUE(state.graphics.create(64, 48, false));

    TaskInstance instance(state.objects);
    ASSERT_TRUE(loadTaskInto(state, instance, "player.tsk"));
    EXPECT_EQ(state.scripts.name(instance.frameScripts[0]), "player.scr");
    ASSERT_EQ(instance.constructorScripts.count(), 2);
    EXPECT_NE(compiledScript(state, instance.constructorScripts[1]), nullptr);
    const ImageRef& jump = instance.images[state.names.idFor("jump")];
    ASSERT_GE(jump.textureIndex, 0);
    EXPECT_EQ(state.textures.name(jump.textureIndex), "jump.png");
    EXPECT_EQ(instance.images[state.names.idFor("stand")].textureIndex, -1);  // no such file
    EXPECT_EQ(instance.sounds[state.names.idFor("hit")].soundIndex, 0) << "the first sound loaded";
    EXPECT_EQ(instance.sounds[state.names.idFor("miss")].soundIndex, -1) << "a failed load";
    EXPECT_EQ(variable(instance, "speed"), 2.5);
    EXPECT_EQ(variable(instance, "red"), 255);  // creation defaults stay

    EXPECT_EQ(childValues(instance, "kind"), (std::vector<double>{7}));
    EXPECT_EQ(variable(*instance.children.first(), "y"), 8);
}

TEST_F(TaskLoaderTest, ChildrenComeInTaskFileOrderAheadOfExistingOnes) {
    folder.files["one.tsk"] = "kind=1;";
    folder.files["two.tsk"] = "kind=2;";
    folder.files["parent.tsk"] = "TASK={one.tsk,1,2}{two.tsk,3,4}{one.tsk,5,6};";
    TaskInstance instance(state.objects);
    variable(*AddChild(instance, state.objects.newInstance()), "kind") = 9;
    ASSERT_TRUE(loadTaskInto(state, instance, "parent.tsk"));
    EXPECT_EQ(childValues(instance, "kind"), (std::vector<double>{1, 2, 1, 9}));
    EXPECT_EQ(variable(*instance.children.first(), "x"), 1);
}

TEST_F(TaskLoaderTest, FilesAreReadOnceAndEachScriptHasOneNumber) {
    folder.files["enemy.tsk"] = "hp=3;SCRIPT={}{gone.scr}{shared.scr};";
    folder.files["other.tsk"] = "CONSTRACT={shared.scr};";
    folder.files["shared.scr"] = "hp=hp-1;";
    TaskInstance first(state.objects), second(state.objects), other(state.objects);
    ASSERT_TRUE(loadTaskInto(state, first, "enemy.tsk"));
    variable(first, "hp") = 0;
    ASSERT_TRUE(loadTaskInto(state, second, "enemy.tsk"));
    ASSERT_TRUE(loadTaskInto(state, other, "other.tsk"));
    EXPECT_EQ(variable(second, "hp"), 3);  // copies are independent
    EXPECT_EQ(first.frameScripts[0], -1);  // an empty name
    EXPECT_EQ(first.frameScripts[1], 0);   // a missing file
    EXPECT_EQ(first.frameScripts[2], other.constructorScripts[0]);
    EXPECT_EQ(compiledScript(state, -1), nullptr);
    EXPECT_EQ(fileReads("enemy.tsk"), 1);
    EXPECT_EQ(fileReads("shared.scr"), 1);
    // A file that was missing is tried again, under the number it already has.
    folder.files["gone.scr"] = "y=2;";
    EXPECT_EQ(scriptNumberFor(state, "gone.scr"), 1);
}

TEST_F(TaskLoaderTest, MissingTaskFilesFailAndAreTriedAgain) {
    TaskInstance instance(state.objects);
    EXPECT_FALSE(loadTaskInto(state, instance, "later.tsk"));
    EXPECT_FALSE(loadTaskInto(state, instance, ""));
    folder.files["later.tsk"] = "v=4;";
    EXPECT_TRUE(loadTaskInto(state, instance, "later.tsk"));
    EXPECT_EQ(variable(instance, "v"), 4);

    // A child whose task cannot be loaded stays an empty instance at its position.
    folder.files["holder.tsk"] = "TASK={nothing.tsk,5,6};";
    TaskInstance holder(state.objects);
    ASSERT_TRUE(loadTaskInto(state, holder, "holder.tsk"));
    ASSERT_EQ(holder.children.count(), 1);
    EXPECT_EQ(variable(*holder.children.first(), "x"), 5);

    state.haltRequested = true;
    EXPECT_FALSE(loadTaskInto(state, instance, "later.tsk"));
}

TEST_F(TaskLoaderTest, SectionNamesAreCaseSensitiveAndGroupsMayBeMalformed) {
    folder.files["odd.tsk"] = "Task=3;script=4;IMAGE={lonely}{};TASK={};SOUND={x};SCRIPT=none;";
    TaskInstance instance(state.objects);
    ASSERT_TRUE(loadTaskInto(state, instance, "odd.tsk"));
    EXPECT_EQ(variable(instance, "Task"), 3);
    EXPECT_EQ(variable(instance, "script"), 4);
    EXPECT_EQ(instance.images[state.names.idFor("lonely")].textureIndex, -1);
    EXPECT_EQ(instance.sounds[state.names.idFor("x")].soundIndex, -1) << "no file named";
    EXPECT_EQ(instance.children.count(), 1);  // an empty TASK group still makes a child
    EXPECT_TRUE(instance.frameScripts.empty());
}

TEST_F(TaskLoaderTest, TasksListingThemselvesOrEachOtherTerminate) {
    folder.files["self.tsk"] = "kind=1;TASK={self.tsk,1,0}{self.tsk,2,0};";
    TaskInstance instance(state.objects);
    ASSERT_TRUE(loadTaskInto(state, instance, "self.tsk"));
    EXPECT_EQ(fileReads("self.tsk"), 1);
    // The first child copies the template as filled so far (no children yet), the second
    // copies it holding the first.
    ASSERT_EQ(instance.children.count(), 2);
    EXPECT_TRUE(instance.children.first()->children.empty());
    EXPECT_EQ(ChildList::after(*instance.children.first())->children.count(), 1);

    folder.files["a.tsk"] = "kind=1;TASK={b.tsk,0,0};";
    folder.files["b.tsk"] = "kind=2;TASK={a.tsk,0,0};";
    TaskInstance a(state.objects);
    ASSERT_TRUE(loadTaskInto(state, a, "a.tsk"));
    TaskInstance& b = *a.children.first();
    EXPECT_EQ(childValues(b, "kind"), (std::vector<double>{1}));
    EXPECT_TRUE(b.children.first()->children.empty());  // a's template when b was read
}

TEST_F(TaskLoaderTest, SelfListingThatWouldDoubleForeverStopsAtTheInstanceLimit) {
    std::string text = "TASK=";
    for (int32_t i = 0; i < 200; ++i) {
        text += "{boom.tsk,0,0}";
    }
    folder.files["boom.tsk"] = text + ";";
    TaskInstance instance(state.objects);
    loadTaskInto(state, instance, "boom.tsk");
    // The template stops doubling below the copy limit; later groups add empty children.
    EXPECT_LE(state.objects.liveCount(), 2 * kCopyLimit + 400);
    EXPECT_FALSE(reports().empty());
}

// Past the limit a self-listing template stays too big to copy while the file is read, so
// each later group is refused at once, not counted again: tens of thousands load quickly.
TEST_F(TaskLoaderTest, ThousandsOfSelfListingsAreRefusedAtOnce) {
    std::string text = "TASK=";
    for (int32_t i = 0; i < 50000; ++i) {
        text += "{many.tsk,0,0}";
    }
    folder.files["many.tsk"] = text + ";";
    TaskInstance instance(state.objects);
    loadTaskInto(state, instance, "many.tsk");
    EXPECT_LE(state.objects.liveCount(), 2 * kCopyLimit + 100000);
    const std::vector<std::string> lines = reports();
    EXPECT_GT(lines.size(), 40000u) << "each refused copy is logged, as before";

    // Once read, the full template is too big for any copy, however many objects die.
    TaskInstance later(state.objects);
    EXPECT_FALSE(loadTaskInto(state, later, "many.tsk"));
}

TEST_F(TaskLoaderTest, ScrambledTaskFilesAreRead) {
    std::string scrambled = "v=5;";
    ASSERT_TRUE(scrambleText(scrambled.data(), static_cast<int32_t>(scrambled.size()),
                             kDefaultScrambleKey));
    folder.files["secret.xx"] = scrambled;
    TaskInstance instance(state.objects);
    ASSERT_TRUE(loadTaskInto(state, instance, "secret.xx"));
    EXPECT_EQ(variable(instance, "v"), 5);
}

TEST_F(TaskLoaderTest, TheScanLoadsEveryTaskFileBelowTheFolderIntoTheRoot) {
    folder.files["sub/enemy.tsk"] = "kind=2;TASK={child.tsk,0,0};";
    folder.files["sub/deeper/far.tsk"] = "kind=3;";
    folder.files["child.tsk"] = "kind=4;";
    folder.files["UPPER.TSK"] = "kind=9;";
    folder.files["notes.txt"] = "kind=8;";
    scanTaskFiles(state, "", "*");
    EXPECT_TRUE(state.tasks.isLoaded("sub/deeper/far.tsk"));
    EXPECT_FALSE(state.tasks.isLoaded("UPPER.TSK"));
    EXPECT_FALSE(state.tasks.isLoaded("notes.txt"));
    // The root keeps the TASK children of every scanned task.
    EXPECT_EQ(childValues(root, "kind"), (std::vector<double>{4}));
}

}  // namespace
}  // namespace tavro::testing
