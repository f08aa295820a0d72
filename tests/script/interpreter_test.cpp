// Running games: control flow, script calls, batches and the object tree, each through the real
// loader and compiler. The games in tests/games pin runaway loops, self calls, the object
// limit, the order of constructors and frames, and collisions.
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "loader_test_support.h"
#include "script/interpreter.h"
#include "script/media_commands.h"
#include "script/task_instance.h"
#include "script/task_loader.h"
#include "support/game_start.h"

namespace tavro::testing {
namespace {

// Makes the game's root from `boot` (frame script main.scr) and runs `frames` frame passes.
TaskInstance& runGame(GameRun& game, const std::string& mainScript, int frames = 1) {
    game.folder.files["main.scr"] = mainScript;
    EXPECT_TRUE(startGame(game.state, game.folder, "SCRIPT={main.scr};"));
    for (int i = 0; i < frames; ++i) {
        RunFramePass(game.state, game.root);
    }
    return game.root;
}

class InterpreterTest : public LoaderFixture {
  protected:
    TaskInstance& run(const std::string& mainScript, int frames = 1) {
        return runGame(*this, mainScript, frames);
    }
    double value(const char* name, int32_t index = 0) { return variable(root, name, index); }
};

TEST_F(InterpreterTest, ControlFlowAndBatchesSetTheExpectedValues) {
    // A script, a variable of the root and its value after one frame. The games in tests/games
    // cover the plainer cases.
    const std::tuple<const char*, const char*, double> cases[] = {
        {"if(0){a=1;}elseif(1){b=2;}else(){c=4;}r=a+b+c;", "r", 2},
        {"unless(0){a=1;}unless(1){a=a+2;}else(){b=4;}r=a+b;", "r", 5},
        {"loop(4){n=n+2;;7;}", "n", 8},       // literal statements after the one that counts
        {"unlesskey(pad3.1){a=1;}", "a", 1},  // "p..." gives no value: key 0 is never down
        // pad1.8192 combines to device 0x3000, which fails outright, even negated
        {"ifkey(pad1.8192){a=1;}else(){b=2;}unlesskey(pad1.8192){a=a+4;}else(){b=b+8;}r=a+b;", "r",
         10},
        {"new(\"a.tsk\",0,0);new(\"a.tsk\",0,0);batch(){this.n=this.n+1;}", "n", 3},
        {"new(\"a.tsk\",0,0);new(\"a.tsk\",0,0);batch(other){this.n=this.n+1;}", "n", 2},
    };
    for (const auto& [script, name, expected] : cases) {
        GameRun game;
        game.folder.files["a.tsk"] = "";
        runGame(game, script);
        EXPECT_EQ(game.variable(game.root, name), expected) << script;
    }
}

TEST_F(InterpreterTest, ScriptCallsPerFrameAreBoundedAndTheBoundStartsAgainEachFrame) {
    folder.files["twice.scr"] = "calls=calls+1;script(\"twice.scr\");script(\"twice.scr\");";
    run("script(\"twice.scr\");after=after+1;", 2);
    EXPECT_EQ(value("calls"), 2 * static_cast<double>(kMaxScriptCallsPerFrame));
    EXPECT_EQ(value("after"), 2);
}

TEST_F(InterpreterTest, MediaIdsPastTheLimitDoNothingAndOthersMakeTheirSlot) {
    run("draw(1e9);playSound(1e9);rewindImage(70000);stopSound(-3);draw(5);playSound(3);");
    EXPECT_LT(root.images.count(), 100);  // grown for id 5 only
    EXPECT_EQ(root.images.begin()[5].frameCounter, 1);
    EXPECT_LT(root.sounds.count(), 100);
}

TEST_F(InterpreterTest, TextFormatsReplaceTheirValues) {
    run("hp=7;speed=1.5;");
    InstanceContext context(state, &root, &root);
    const auto format = [&](const char* text) {
        return std::string(formatScriptText(TextString(text), context).view());
    };
    // $d truncates toward zero; other letters stay as written
    EXPECT_EQ(format("HP $dhp: / $fspeed: $d-speed*3: $q7: and $:"), "HP 7 / 1.500000 -4 q7 and ");
    // a backslash before "$" keeps both; the last value may lack its ":"
    EXPECT_EQ(format("cost \\$5, left $dhp"), "cost \\$5, left 7");
}

// "text(" parses its format once, with the statement, yet each frame reports what parsing
// its expressions reports, as parsing them then would.
TEST_F(InterpreterTest, TextFormatsAreCompiledOnceAndReportEachFrame) {
    const std::string deep(kMaxExpressionNesting + 1, '!');
    const std::string script = "text(\"$d" + deep + "1: $dhp:\",0,0);hp=hp+1;";
    run(script, 3);
    EXPECT_EQ(reports(), std::vector<std::string>(
                             3, "expression nested too deeply: that part evaluates to 0"));
}

TEST_F(InterpreterTest, KilledChildrenAreRemovedAfterTheirTurn) {
    folder.files["child.tsk"] = "SCRIPT={child.scr};";
    folder.files["child.scr"] = "system.runs=system.runs+1;kill();";
    run("if(t==0){new(\"child.tsk\",0,0);}t=1;", 3);
    EXPECT_EQ(systemValue("runs"), 1);
    EXPECT_TRUE(root.children.empty());
}

TEST_F(InterpreterTest, BothPassesWalkATreeAsDeepAsTheObjectLimit) {
    folder.files["node.tsk"] = "SCRIPT={count.scr};CONSTRACT={count.scr};";
    folder.files["count.scr"] = "system.runs=system.runs+1;";
    ASSERT_TRUE(loadTaskInto(state, root, "node.tsk"));
    RegisterInstance(root);
    constexpr int kDepth = kInstanceLimit - 1;
    TaskInstance* deepest = &root;
    for (int i = 0; i < kDepth; ++i) {
        std::unique_ptr<TaskInstance> node = state.objects.newInstance();
        node->frameScripts = root.frameScripts;
        node->constructorScripts = root.constructorScripts;
        RegisterInstance(*node);
        deepest = AddChild(*deepest, std::move(node));
    }
    RunConstructorPass(state, root);
    RunFramePass(state, root);
    EXPECT_EQ(systemValue("runs"), 2.0 * (kDepth + 1));
}

TEST_F(InterpreterTest, FlagStoperHoldsChildrenButKilledOnesStillGo) {
    folder.files["child.tsk"] = "SCRIPT={child.scr};";
    folder.files["child.scr"] = "system.runs=system.runs+1;";
    run("if(t==0){new(\"child.tsk\",0,0);batch(my){kill();};flagStoper=1;}t=1;", 2);
    EXPECT_EQ(systemValue("runs"), 0);
    EXPECT_TRUE(root.children.empty());
}

}  // namespace
}  // namespace tavro::testing
