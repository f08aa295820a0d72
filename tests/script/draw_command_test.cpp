// "draw(" end to end: an object's variables and the command's arguments become one item of the
// frame's draw list, through the real loader and compiler, and the item is rendered through a
// recording compositor. The golden-image games in tests/games show the pictures; these pin the
// values that a picture shows only in part (wrapped channels, NaN, the unsigned order, the
// frame counter, ids that select nothing).
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "loader_test_support.h"
#include "render/draw_list.h"
#include "script/interpreter.h"
#include "script/task_loader.h"
#include "support/file_bytes.h"
#include "support/game_start.h"
#include "text/messages.h"

namespace tavro::testing {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// A 640 × 480 device, pic.png (6 × 4) in the folder, and the run's root loaded with the given
// IMAGE section and `script` as its frame script.
void StartRoot(GameRun& run, const std::string& imageSection, const std::string& script) {
    ASSERT_TRUE(run.state.graphics.create(640, 480, false));
    run.folder.files["pic.png"] = pngHeader(6, 4);
    run.folder.files["main.scr"] = script;
    ASSERT_TRUE(startGame(run.state, run.folder, imageSection + "SCRIPT={main.scr};"));
}

// The root started with its image "pic" being pic.png.
void LoadRoot(GameRun& run, const std::string& script) {
    StartRoot(run, "IMAGE={pic,pic.png};", script);
    ASSERT_EQ(run.root.images[run.state.names.idFor("pic")].textureIndex, 0);
}

class DrawCommandTest : public LoaderFixture {
  protected:
    void load(const std::string& script) { LoadRoot(*this, script); }

    // One frame pass; the items it added, in drawing order, copied before the list is emptied.
    std::vector<DrawItem> frame() {
        RunFramePass(state, root);
        std::vector<DrawItem> items;
        for (const DrawItem* item : state.drawList.ordered()) {
            items.push_back(*item);
        }
        return items;
    }

    // Renders the list through the recording compositor; the items it was asked to draw.
    std::vector<CompositorItem> render() {
        compositor.draws.clear();
        RenderDrawList(
            state.drawList,
            RenderContext{state.graphics, state.textures, state.animations, state.screenScale},
            false);
        return compositor.draws;
    }

    ImageRef& pic() { return root.images[state.names.idFor("pic")]; }
};

// The object's variables and the arguments give the item's matrices and colour.
TEST_F(DrawCommandTest, VariablesAndArgumentsMakeTheItem) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, double>> variables;  // set before the frame
        const char* arguments;                                  // dx, dy, fixed, hold
        double cameraX, cameraY;
        ScreenScale scale;
        float objectX, objectY;  // translation of the object matrix
        float viewX, viewY;      // translation of the view matrix
        uint32_t colour;
    };
    // The camera view, the scroll factors and the colour channels are pinned by the screen games
    // and ItemValuesTest; these are what the arguments change.
    // clang-format off
    const Case cases[] = {
        {"dx and dy add",   {{"x", 100}, {"y", 50}}, "7,-3,0,1",   320, 240, {},       107, 47, 0,   0,   0xFFFFFFFF},
        {"screen scale",    {{"x", 100}, {"y", 50}}, "0,0,0,1",    320, 240, {2, 0.5}, 100, 50, 0,   0,   0xFFFFFFFF},
        {"not fixed",       {{"scrollX", 0.5}},      "0,0,0,1",    100, 40,  {},       0,   0,  270, 200, 0xFFFFFFFF},
        {"fixed",           {{"scrollX", 0.5}},      "0,0,1,1",    100, 40,  {},       0,   0,  0,   0,   0xFFFFFFFF},
        {"any non-zero",    {},                      "0,0,-0.5,1", 100, 40,  {},       0,   0,  0,   0,   0xFFFFFFFF},
        {"NaN and negatives", {{"alpha", kNan}, {"red", -256}, {"green", 511}, {"blue", -0.9}}, "0,0,1,1", 0, 0, {}, 0, 0, 0, 0, 0x0000FF00},
    };
    // clang-format on
    for (const Case& c : cases) {
        GameRun fresh;
        LoadRoot(fresh, std::string("draw(pic,") + c.arguments + ");");
        for (const auto& [name, value] : c.variables) {
            fresh.variable(fresh.root, name) = value;
        }
        fresh.state.camera.setCameraPosition(c.cameraX, c.cameraY);
        fresh.state.screenScale = c.scale;
        RunFramePass(fresh.state, fresh.root);
        const std::vector<const DrawItem*> items = fresh.state.drawList.ordered();
        ASSERT_EQ(items.size(), 1u) << c.what;
        const DrawItem& item = *items[0];
        EXPECT_FLOAT_EQ(item.objectMatrix.m41, c.objectX) << c.what;
        EXPECT_FLOAT_EQ(item.objectMatrix.m42, c.objectY) << c.what;
        EXPECT_FLOAT_EQ(item.viewMatrix.m41, c.viewX) << c.what;
        EXPECT_FLOAT_EQ(item.viewMatrix.m42, c.viewY) << c.what;
        EXPECT_EQ(item.colour, c.colour) << std::hex << item.colour << " " << c.what;
        EXPECT_EQ(item.image.textureIndex, 0) << c.what;
    }
}

// Priorities are compared as unsigned 32-bit numbers: negative ones come last, NaN and values
// past the 32-bit range land where their truncation puts them; equal keys keep their order.
TEST_F(DrawCommandTest, PrioritiesSortUnsignedAfterTruncation) {
    const double priorities[] = {5, -1, kNan, 0, 2147483648.0, 4294967299.0, 5, 1e300, -2.5};
    const uint32_t keys[] = {5, 0xFFFFFFFF, 0x80000000, 0,         0x80000000,
                             3, 5,          0x80000000, 0xFFFFFFFE};
    const std::vector<int> drawn = {3, 5, 0, 6, 2, 4, 7, 8, 1};  // by the dx that tags them
    std::string script;
    for (size_t i = 0; i < std::size(priorities); ++i) {
        const std::string index = std::to_string(i);
        script += "priority=p" + index + ";draw(pic," + index + ",0,1,1);";
    }
    load(script);
    for (size_t i = 0; i < std::size(priorities); ++i) {
        variable(root, ("p" + std::to_string(i)).c_str()) = priorities[i];
    }
    const std::vector<DrawItem> items = frame();
    ASSERT_EQ(items.size(), drawn.size());
    for (size_t at = 0; at < items.size(); ++at) {
        const int tag = static_cast<int>(items[at].objectMatrix.m41);
        EXPECT_EQ(tag, drawn[at]) << "position " << at;
        EXPECT_EQ(items[at].priority, keys[tag]) << "tag " << tag;
    }
    // The compositor is handed them in the same order.
    const std::vector<CompositorItem> rendered = render();
    ASSERT_EQ(rendered.size(), drawn.size());
    for (size_t at = 0; at < rendered.size(); ++at) {
        EXPECT_FLOAT_EQ(rendered[at].matrix.dx, static_cast<float>(drawn[at])) << at;
    }
}

// A hold of 0 advances the frame counter before the item copies the image; any other hold,
// NaN included, shows the current frame; "rewindImage(" starts again from 0.
TEST_F(DrawCommandTest, HoldDecidesWhetherTheFrameCounterAdvances) {
    struct Step {
        double hold;
        bool rewind;  // "rewindImage(pic)" before the draw
        int32_t counter;
    };
    const Step steps[] = {{0, false, 1},  {0, false, 2},   {1, false, 2},
                          {-1, false, 2}, {0.5, false, 2}, {kNan, false, 2},
                          {0, false, 3},  {0, true, 1},    {1, true, 0}};
    load("if(rewind){rewindImage(pic);}draw(pic,0,0,1,hold);");
    int number = 0;
    for (const Step& step : steps) {
        variable(root, "hold") = step.hold;
        variable(root, "rewind") = step.rewind ? 1 : 0;
        const std::vector<DrawItem> items = frame();
        ASSERT_EQ(items.size(), 1u) << "frame " << number;
        EXPECT_EQ(pic().frameCounter, step.counter) << "frame " << number;
        EXPECT_EQ(items[0].image.frameCounter, step.counter) << "frame " << number;
        DiscardDrawList(state.drawList);
        ++number;
    }
}

TEST_F(DrawCommandTest, TwoDrawsInOneFrameAdvanceTwice) {
    load("draw(pic,0,0,1,0);draw(pic,0,0,1,0);");
    const std::vector<DrawItem> items = frame();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].image.frameCounter, 1);
    EXPECT_EQ(items[1].image.frameCounter, 2);
}

// The object's counter counts in unsigned arithmetic: past the 32-bit limits it wraps.
TEST_F(DrawCommandTest, TheFrameCounterWrapsAtItsLimits) {
    struct Case {
        int32_t before, after;
    };
    const Case cases[] = {{INT32_MAX, INT32_MIN}, {-1, 0}, {INT32_MIN, INT32_MIN + 1}};
    load("draw(pic,0,0,1,0);");
    for (const Case& c : cases) {
        pic().frameCounter = c.before;
        const std::vector<DrawItem> items = frame();
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].image.frameCounter, c.after) << c.before;
        DiscardDrawList(state.drawList);
    }
}

// An animation file missing from the folder comes from the animation bundle table, with its
// note, and its first frame is drawn.
TEST_F(DrawCommandTest, AnimationsComeThroughTheBundleTable) {
    state.bundles.table(BundleKind::kAnimation).at("walk.ani") =
        "texture = pic.png; width=2; height=4; animation={1,0,1}{2,0,2}";
    StartRoot(*this, "IMAGE={walk,walk.ani};", "draw(walk,0,0,1,0);");
    const std::vector<std::string> logged = reports();
    EXPECT_TRUE(std::any_of(logged.begin(), logged.end(), [](const std::string& line) {
        return line.find(kBundleSubstituteAnimationMessage) != std::string::npos;
    }));
    frame();
    const std::vector<CompositorItem> drawn = render();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].source.left, 2);
    EXPECT_EQ(drawn[0].source.right, 4);
}

// Ids that select no image draw nothing and grow no array; the filled image draws once.
TEST_F(DrawCommandTest, IdsWithoutAnImageDrawNothing) {
    struct Case {
        const char* id;
        size_t drawn;
    };
    const Case cases[] = {
        {"pic", 1},    {"hole", 0},  {"0", 0},       {"-1", 0},          {"1e9", 0},
        {"-1e300", 0}, {"65536", 0}, {"70000.5", 0}, {"-2147483649", 0},
    };
    for (const Case& c : cases) {
        GameRun fresh;
        LoadRoot(fresh, std::string("draw(") + c.id + ",0,0,1,0);");
        RunFramePass(fresh.state, fresh.root);
        fresh.compositor.draws.clear();
        RenderDrawList(fresh.state.drawList,
                       RenderContext{fresh.state.graphics, fresh.state.textures,
                                     fresh.state.animations, fresh.state.screenScale},
                       false);
        EXPECT_EQ(fresh.compositor.draws.size(), c.drawn) << c.id;
        EXPECT_LT(fresh.root.images.count(), 1000) << c.id;
        EXPECT_FALSE(fresh.state.haltRequested) << c.id;
    }
}

// "text(" formats its text, takes the characters from start (from the end when negative) and
// adds one item at the object's position moved by (dx, dy), with the truncated alignment.
TEST(TextCommandTest, TextItemsTakeTheirCharactersAndAlignment) {
    struct Case {
        const char* script;
        const char* text;  // null: no item
        int32_t alignment;
    };
    const Case cases[] = {
        {R"(text("abcdef",1,2,1,0,100,4);)", "abcdef", 4},
        {R"(text("abcdef",1,2,1,-3,3,1);)", "def", 1},
        {R"(text("abcdef",1,2,1,2,2,-1);)", "cd", -1},
        {"text(\"\x93\xfa\x96\x7b\x8c\xea\",1,2,1,1,1,0);", "\x96\x7b", 0},
        {R"(n=5;text("n=$dn:$dn*2",1,2,1,0,100,1000000000000);)", "n=510", -727379968},
        {R"(text("abcdef",1,2,1,0,0,0);)", nullptr, 0},
        {R"(text("abc",1,2,1,5,1,0);)", nullptr, 0},
        {R"(text("",1,2,1,0,9,0);)", nullptr, 0},
    };
    for (const Case& c : cases) {
        GameRun run;
        StartRoot(run, "", std::string("x=10;y=20;") + c.script);
        RunFramePass(run.state, run.root);
        const std::vector<const DrawItem*> items = run.state.drawList.ordered();
        if (c.text == nullptr) {
            EXPECT_TRUE(items.empty()) << c.script;
            continue;
        }
        ASSERT_EQ(items.size(), 1u) << c.script;
        EXPECT_EQ(items[0]->text, c.text) << c.script;
        EXPECT_EQ(items[0]->alignment, c.alignment) << c.script;
        EXPECT_FLOAT_EQ(items[0]->objectMatrix.m41, 11) << c.script;
        EXPECT_FLOAT_EQ(items[0]->objectMatrix.m42, 22) << c.script;
    }
}

}  // namespace
}  // namespace tavro::testing
