#include "render/animation_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tavro {
namespace {

constexpr int32_t kMax = INT32_MAX;
constexpr int32_t kMin = INT32_MIN;

TEST(AnimationTextTest, ReadsSheetFramesAndDurations) {
    struct Case {
        const char* text;
        const char* texture;
        std::vector<FrameRect> frames;
        std::vector<uint32_t> durations;
        uint32_t total;
    };
    // clang-format off
    const Case cases[] = {
        {"texture=walk.png;x=0;y=32;width=32;height=48;animation={0,0,6}{1,0,6}{2,0,12};", "walk.png", {{0, 32, 32, 80}, {32, 32, 64, 80}, {64, 32, 96, 80}}, {6, 6, 12}, 24},
        // Whitespace goes everywhere, also inside names and numbers.
        {" texture = my walk.png ;\r\n x=1 0;width=4;height=2;\tanimation = { 1 , 2 , 3 }", "mywalk.png", {{14, 4, 18, 6}}, {3}, 3},
        // No groups, an empty `animation`, or nothing between the braces of none: a still.
        {"texture=a.png;x=5;y=6;width=7;height=8;", "a.png", {{5, 6, 12, 14}}, {}, 0},
        {"texture=a.png;width=7;height=8;animation=;", "a.png", {{0, 0, 7, 8}}, {}, 0},
        {"texture=a.png;width=7;height=8;animation=xyz;", "a.png", {{0, 0, 7, 8}}, {}, 0},
        // Missing keys and missing fields read as 0 (and an unclosed group runs to the end).
        {"", "", {{0, 0, 0, 0}}, {}, 0},
        {"width=4;height=4;animation={}{2}{1,1}{3,0,5", "", {{0, 0, 4, 4}, {8, 0, 12, 4}, {4, 4, 8, 8}, {12, 0, 16, 4}}, {0, 0, 0, 5}, 5},
        // Only leading digits count; text between groups is ignored.
        {"width=4x;height=2.9;animation={1z,1,2q}junk{0,0,1}", "", {{4, 2, 8, 4}, {0, 0, 4, 2}}, {2, 1}, 3},
        // Negative numbers: negative cells give inverted rectangles, a negative duration
        // reads as its unsigned count.
        {"width=-4;height=4;animation={1,0,-1}", "", {{-4, 0, -8, 4}}, {0xFFFFFFFF}, 0xFFFFFFFF},
        // Positions beyond 32 bits are held at the ends; totals beyond 32 bits likewise.
        {"x=2147483647;width=99999999999;height=1;animation={3,0,99999999999}{-3,0,-1}{0,0,-1}", "", {{kMax, 0, kMax, 1}, {kMin, 0, -kMax, 1}, {kMax, 0, kMax, 1}}, {0x7FFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 0xFFFFFFFF},
    };
    // clang-format on
    for (const Case& c : cases) {
        const AnimationSheet sheet = ReadAnimationText(c.text);
        EXPECT_EQ(sheet.textureName, c.texture) << c.text;
        ASSERT_EQ(sheet.frames.size(), c.frames.size()) << c.text;
        for (size_t i = 0; i < c.frames.size(); ++i) {
            EXPECT_EQ(sheet.frames[i], c.frames[i]) << c.text << " frame " << i;
        }
        EXPECT_EQ(sheet.durations, c.durations) << c.text;
        EXPECT_EQ(sheet.totalDuration, c.total) << c.text;
    }
}

TEST(AnimationTextTest, WrapsCountersAboveTheTotal) {
    struct Case {
        uint32_t counter, total, wrapped;
    };
    const Case cases[] = {
        {0, 10, 0},          {10, 10, 10},       {11, 10, 1},
        {20, 10, 10},        {25, 10, 5},        {7, 0, 7},
        {0xFFFFFFFF, 10, 5}, {0x80000000, 3, 2}, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
        {0xFFFFFFFF, 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrapFrameCounter(c.counter, c.total), c.wrapped)
            << c.counter << " over " << c.total;
    }
}

// Frames by counter as the render pass sees them; huge counters wrap without a loop
// (2^32 - 1 = 10 * 429496729 + 5).
TEST(AnimationTextTest, ShowsEachFrameForItsDuration) {
    struct Case {
        const char* groups;
        std::vector<uint32_t> counters;
        std::vector<int32_t> lefts;  // the frame's left edge: its column
    };
    const Case cases[] = {
        {"{0,0,5}{1,0,5}",
         {0, 1, 5, 6, 10, 11, 15, 16, 20, 25, 0xFFFFFFFF, 0xFFFFFFFA},
         {0, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1}},
        // A zero-duration frame shows only as frame 0 at counter 0.
        {"{0,0,0}{1,0,2}{2,0,0}{3,0,1}", {0, 1, 2, 3, 4, 6}, {0, 1, 1, 3, 1, 3}},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("width=1;height=1;animation=") + c.groups;
        const AnimationSheet sheet = ReadAnimationText(text.c_str());
        for (size_t i = 0; i < c.counters.size(); ++i) {
            const uint32_t counter = WrapFrameCounter(c.counters[i], sheet.totalDuration);
            EXPECT_EQ(SheetFrameAt(sheet, counter).left, c.lefts[i])
                << c.groups << " at " << c.counters[i];
        }
    }
}

TEST(AnimationTableTest, KeepsIndicesAndRetriesFilesItCouldNotFetch) {
    std::map<std::string, std::string> files = {{"a.ani", "texture=a.png;animation={0,0,4}"}};
    int32_t fetches = 0;
    AnimationTable table([&](const TextString& name, TextString& text) {
        ++fetches;
        const auto found = files.find(std::string(name.view()));
        return found != files.end() && (text = found->second.c_str(), true);
    });
    EXPECT_EQ(table.load("a.ani"), 0);
    EXPECT_EQ(table.load("missing.ani"), -1);
    EXPECT_EQ(table.load("A.ani"), -1);  // names compare case-sensitively
    EXPECT_EQ(table.load("a.ani"), 0);   // loaded once, its total not added to again
    EXPECT_EQ(fetches, 3);
    uint32_t counter = 9;
    table.currentFrameRect(0, counter);
    EXPECT_EQ(counter, 1u);

    files["missing.ani"] = "texture=m.png;";
    uint32_t unused = 0;
    table.currentFrameRect(1, unused);  // an animation not loaded is tried again
    EXPECT_EQ(table.textureFileName(1), "m.png");
    EXPECT_EQ(table.load("missing.ani"), 1);
    EXPECT_EQ(table.textureFileName(7), "");
    EXPECT_EQ(table.currentFrameRect(-1, unused), FrameRect{});

    table.freeAnimations();
    FrameRect rect;
    EXPECT_FALSE(table.frameRect(0, 0, rect));
    EXPECT_EQ(table.textureFileName(0), "");
    EXPECT_EQ(table.load("a.ani"), 0);  // the name kept its index
}

}  // namespace
}  // namespace tavro
