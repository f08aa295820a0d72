// Running games: control flow, loops and their guard, script calls, object order, batches,
// collisions and the file commands, each through the real loader and compiler.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "loader_test_support.h"
#include "script/instance_list.h"
#include "script/interpreter.h"
#include "script/media_commands.h"
#include "script/task_loader.h"

namespace tavro::testing {
namespace {

class InterpreterTest : public LoaderFixture {
  protected:
    // Makes the root from `boot` (frame script main.scr, constructor ctor.scr when given)
    // and runs `frames` frame passes.
    TaskInstance& run(const std::string& mainScript, int frames = 1,
                      const std::string& constructorScript = "") {
        folder.files["boot"] = constructorScript.empty()
                                   ? "SCRIPT={main.scr};"
                                   : "SCRIPT={main.scr};CONSTRACT={ctor.scr};";
        folder.files["main.scr"] = mainScript;
        folder.files["ctor.scr"] = constructorScript;
        TaskInstance& root = rootInstance();
        EXPECT_TRUE(loadTaskInto(root, "boot"));
        RegisterInstance(root);
        RunConstructorPass(root);
        for (int i = 0; i < frames; ++i) {
            RunFramePass(root);
        }
        return root;
    }
    double value(const char* name, int32_t index = 0) {
        return variable(rootInstance(), name, index);
    }
};

struct ValueCase {
    const char* script;
    const char* variable;
    double expected;
};

TEST_F(InterpreterTest, ControlFlowSetsTheExpectedValues) {
    const ValueCase cases[] = {
        {"if(0){a=1;}elseif(1){b=1;}else(){c=1;}", "b", 1},
        {"if(0){a=1;}elseif(1){b=1;}else(){c=1;}", "c", 0},
        {"if(1){a=1;}elseif(1){b=1;}", "b", 0},
        {"if(0){a=1;}x=1;else(){c=1;}", "c", 0},  // the assignment hands on a true flag
        {"unless(0){a=1;}", "a", 1},
        {"unless(1){a=1;}else(){b=1;}", "b", 1},
        {"loop(3){n=n+1;}", "n", 3},
        {"loop(4){n=n+2;;7;}", "n", 8},  // literal statements after the one that counts
        {"loop(2){n=n+1;m=m+1;}", "m", 2},
        {"loop(0){n=n+1;}", "n", 0},
        {"loop(-2){n=n+1;}", "n", 0},
        {"m=5;loop(m){m=m-1;n=n+1;}", "n", 3},  // the limit is evaluated again each time
        {"i=0;while(i<7){i=i+1;}", "i", 7},
        {"if(nan){a=1;}", "a", 0},  // an unknown name is a variable that reads 0
        {"quit();a=1;", "a", 0},
        {"unlesskey(pad3.1){a=1;}", "a", 1},  // "p..." gives no value: key 0 is never down
        // pad1.8192 combines to device 0x3000, which fails outright, even negated
        {"ifkey(pad1.8192){a=1;}else(){b=1;}", "b", 1},
        {"unlesskey(pad1.8192){a=1;}else(){b=1;}", "a", 0},
        {"unlesskey(pad1.8192){a=1;}else(){b=1;}", "b", 1},
    };
    for (const ValueCase& c : cases) {
        SetUp();
        run(c.script);
        EXPECT_EQ(value(c.variable), c.expected) << c.script;
        TearDown();
    }
}

TEST_F(InterpreterTest, RunawayLoopAsksAndYesStopsEverything) {
    run("while(1){n=n+1;}after=1;");
    EXPECT_TRUE(haltRequested());
    EXPECT_EQ(value("n"), 10001);
    EXPECT_EQ(value("after"), 0);
}

TEST_F(InterpreterTest, QuitInsideALoopEndsTheLoopAtOnce) {
    run("while(1){n=n+1;quit();}");
    EXPECT_TRUE(haltRequested());
    EXPECT_EQ(value("n"), 1);
}

TEST_F(InterpreterTest, ScriptCallsRunInTheSameInstanceAndSelfCallsAreBounded) {
    folder.files["add.scr"] = "n=n+1;";
    run("script(\"add.scr\");script(\"add.scr\");");
    EXPECT_EQ(value("n"), 2);

    TearDown();
    SetUp();
    folder.files["self.scr"] = "depth=depth+1;script(\"self.scr\");";
    run("script(\"self.scr\");after=1;");
    EXPECT_EQ(value("depth"), kMaxCallDepth);
    EXPECT_EQ(value("after"), 1);  // the frame goes on
    EXPECT_FALSE(errors.reports.empty());
}

TEST_F(InterpreterTest, ScriptCallsPerFrameAreBoundedAndTheBoundStartsAgainEachFrame) {
    folder.files["twice.scr"] = "calls=calls+1;script(\"twice.scr\");script(\"twice.scr\");";
    run("script(\"twice.scr\");after=after+1;", 2);
    EXPECT_EQ(value("calls"), 2 * static_cast<double>(kMaxScriptCallsPerFrame));
    EXPECT_EQ(value("after"), 2);
}

TEST_F(InterpreterTest, MediaIdsPastTheLimitDoNothingAndOthersMakeTheirSlot) {
    TaskInstance& root =
        run("draw(1e9);playSound(1e9);rewindImage(70000);stopSound(-3);draw(5);playSound(3);");
    EXPECT_LT(root.images.count(), 100);  // grown for id 5 only
    EXPECT_EQ(root.images.begin()[5].frameCounter, 1);
    EXPECT_LT(root.sounds.count(), 100);
}

TEST_F(InterpreterTest, ObjectsAreMadeUpToTheLimitExactly) {
    folder.files["empty.tsk"] = "";
    run("loop(18){batch(){new(\"empty.tsk\",0,0);}}");  // 2^18 wanted
    EXPECT_EQ(liveInstanceCount(), kInstanceLimit);
    EXPECT_FALSE(errors.reports.empty());
}

TEST_F(InterpreterTest, TextFormatsReplaceTheirValues) {
    TaskInstance& root = run("hp=7;speed=1.5;");
    InstanceContext context(&root, &root);
    const std::pair<const char*, const char*> cases[] = {
        {"HP $dhp: / $fspeed:", "HP 7 / 1.500000"},
        {"$dspeed*3:", "4"},  // truncated toward zero
        {"$d-speed:", "-1"},
        {"cost \\$5", "cost \\$5"},  // a backslash before "$" keeps both
        {"$q7: and $:", "q7 and "},  // other letters stay as written
        {"left $dhp", "left 7"},     // the last value may lack its ":"
        {"", ""},
    };
    for (const auto& [format, expected] : cases) {
        EXPECT_EQ(std::string(formatScriptText(TextString(format), context).view()), expected)
            << format;
    }
}

TEST_F(InterpreterTest, NewChildrenRunAfterTheirConstructorsInTheSameFrameNewestFirst) {
    folder.files["child.tsk"] = "SCRIPT={child.scr};CONSTRACT={made.scr};";
    folder.files["made.scr"] = "system.order[system.n]=10+kind;system.n=system.n+1;";
    folder.files["child.scr"] = "system.order[system.n]=20+kind;system.n=system.n+1;";
    folder.files["one.tsk"] = "kind=1;SCRIPT={child.scr};";
    run("if(t==0){new(\"child.tsk\",0,0);new(\"one.tsk\",0,0);}t=1;");
    std::vector<double> order;
    for (int i = 0; i < 3; ++i) {
        order.push_back(systemVariables()[nameId("order")][i]);
    }
    // child.tsk: constructor (10); then the frame walk: one.tsk (21), child.tsk (20).
    EXPECT_EQ(order, (std::vector<double>{10, 21, 20}));
}

TEST_F(InterpreterTest, KilledChildrenAreRemovedAfterTheirTurn) {
    folder.files["child.tsk"] = "SCRIPT={child.scr};";
    folder.files["child.scr"] = "system.runs=system.runs+1;kill();";
    TaskInstance& root = run("if(t==0){new(\"child.tsk\",0,0);}t=1;", 3);
    EXPECT_EQ(systemVariables()[nameId("runs")][0], 1);
    EXPECT_TRUE(root.children.empty());
}

TEST_F(InterpreterTest, BothPassesWalkATreeAsDeepAsTheObjectLimit) {
    folder.files["node.tsk"] = "SCRIPT={count.scr};CONSTRACT={count.scr};";
    folder.files["count.scr"] = "system.runs=system.runs+1;";
    TaskInstance& root = rootInstance();
    ASSERT_TRUE(loadTaskInto(root, "node.tsk"));
    RegisterInstance(root);
    constexpr int kDepth = kInstanceLimit - 1;
    TaskInstance* deepest = &root;
    for (int i = 0; i < kDepth; ++i) {
        auto node = std::make_unique<TaskInstance>();
        node->frameScripts = root.frameScripts;
        node->constructorScripts = root.constructorScripts;
        RegisterInstance(*node);
        deepest = AddChild(*deepest, std::move(node));
    }
    RunConstructorPass(root);
    RunFramePass(root);
    EXPECT_EQ(systemVariables()[nameId("runs")][0], 2.0 * (kDepth + 1));
}

TEST_F(InterpreterTest, FlagStoperHoldsChildrenButKilledOnesStillGo) {
    folder.files["child.tsk"] = "SCRIPT={child.scr};";
    folder.files["child.scr"] = "system.runs=system.runs+1;";
    TaskInstance& root =
        run("if(t==0){new(\"child.tsk\",0,0);batch(my){kill();};flagStoper=1;}t=1;", 2);
    EXPECT_EQ(systemVariables()[nameId("runs")][0], 0);
    EXPECT_TRUE(root.children.empty());
}

TEST_F(InterpreterTest, BatchesVisitTheirSets) {
    folder.files["a.tsk"] = "kind=1;";
    const ValueCase cases[] = {
        {"new(\"a.tsk\",0,0);new(\"a.tsk\",0,0);batch(){this.n=this.n+1;}", "n", 3},
        {"new(\"a.tsk\",0,0);new(\"a.tsk\",0,0);batch(other){this.n=this.n+1;}", "n", 2},
        {"new(\"a.tsk\",0,0);batch(my){this.n=this.n+kind;}", "n", 1},
        {"batch(my){this.n=this.n+1;}", "n", 0},
    };
    for (const ValueCase& c : cases) {
        SetUp();
        folder.files["a.tsk"] = "kind=1;";
        run(c.script);
        EXPECT_EQ(value(c.variable), c.expected) << c.script;
        TearDown();
    }
}

struct CollisionCase {
    const char* other;  // the task file of the instance tested against the root
    const char* own;    // assignments to the root before the batch
    bool hit;
};

TEST_F(InterpreterTest, CollisionTestFollowsBoxesAndCircles) {
    const CollisionCase cases[] = {
        {"x=10;width=10;height=10;", "width=10;height=10;", true},  // touching edges
        {"x=10.5;width=10;height=10;", "width=10;height=10;", false},
        {"x=3;", "width=10;height=10;", false},  // a point never hits a box by boxes alone
        {"x=3;", "radius=5;", true},             // a point inside the circle's box
        {"x=10;radius=5;", "radius=5;", true},   // circles exactly touching
        {"x=10.5;radius=5;", "radius=5;", false},
        {"x=3;", "radius[0]=0;radius[1]=7;", false},  // element 0 decides
    };
    for (const CollisionCase& c : cases) {
        SetUp();
        folder.files["b.tsk"] = c.other;
        run(std::string(c.own) + "new(\"b.tsk\",0,0);batch(colid){this.hits=this.hits+1;}");
        EXPECT_EQ(value("hits"), c.hit ? 1 : 0) << c.other << " against " << c.own;
        TearDown();
    }
}

TEST_F(InterpreterTest, SaveAndLoadRoundTripThroughTheFile) {
    run("v[0]=1.5;v[1]=-2;v[2]=0.25;save(\"v.txt\",v);save(\"v.txt\",v,1);load(\"v.txt\",w);"
        "init(v);s=v.size;save(\"e.txt\",v);");
    EXPECT_EQ(folder.files["v.txt"], "1.5,-2,0.25,1.5,-2,0.25");
    EXPECT_EQ(value("w", 4), -2);
    EXPECT_EQ(value("s"), 0);
    EXPECT_EQ(folder.files["e.txt"], "");
}

TEST_F(InterpreterTest, LoadReadsCommaSeparatedNumbers) {
    folder.files["in.txt"] = "1,2,";
    run("load(\"in.txt\",v);n=v.size;load(\"missing.txt\",v);m=v.size;");
    EXPECT_EQ(value("n"), 3);
    EXPECT_EQ(value("v", 1), 2);
    EXPECT_EQ(value("m"), 3);  // a missing file leaves the variable alone
}

}  // namespace
}  // namespace tavro::testing
