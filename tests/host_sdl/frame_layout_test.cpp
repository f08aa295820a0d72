#include "host/sdl/frame_layout.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

constexpr FrameScaling kFit = FrameScaling::kFit;
constexpr FrameScaling kWhole = FrameScaling::kWholeFactors;

TEST(FrameLayoutTest, FitsTheFrameCentredWithWholeFactorsFirst) {
    struct Case {
        int32_t frameWidth, frameHeight, outputWidth, outputHeight;
        FrameScaling scaling;
        FrameLayout expected;
    };
    const Case cases[] = {
        {640, 480, 640, 480, kFit, {0, 0, 640, 480, 1, true}},
        {640, 480, 1920, 1080, kFit, {240, 0, 1440, 1080, 2, false}},  // pillarboxed, 2.25
        {640, 480, 1920, 1080, kWhole, {320, 60, 1280, 960, 2, true}},
        {320, 240, 1280, 1024, kFit, {0, 32, 1280, 960, 4, true}},  // letterboxed, exactly 4
        {320, 240, 1280, 1024, kWhole, {0, 32, 1280, 960, 4, true}},
        {640, 480, 800, 480, kFit, {80, 0, 640, 480, 1, true}},
        {640, 480, 320, 240, kFit, {0, 0, 320, 240, 1, false}},  // smaller than the frame
        {640, 480, 320, 240, kWhole, {0, 0, 320, 240, 1, false}},
        {640, 480, 0, 480, kFit, {0, 0, 0, 0, 1, true}},
    };
    for (const Case& c : cases) {
        const FrameLayout layout =
            LayOutFrame(c.frameWidth, c.frameHeight, c.outputWidth, c.outputHeight, c.scaling);
        const FrameLayout& e = c.expected;
        const std::string where = std::to_string(c.outputWidth) + "x" +
                                  std::to_string(c.outputHeight) +
                                  (c.scaling == kWhole ? " whole" : " fit");
        EXPECT_EQ(layout.x, e.x) << where;
        EXPECT_EQ(layout.y, e.y) << where;
        EXPECT_EQ(layout.width, e.width) << where;
        EXPECT_EQ(layout.height, e.height) << where;
        EXPECT_EQ(layout.wholeFactor, e.wholeFactor) << where;
        EXPECT_EQ(layout.exact, e.exact) << where;
    }
}

// The cursor the game sees is in frame pixels whatever the window's size and scaling.
TEST(FrameLayoutTest, WindowPointsMapToFramePixels) {
    struct Case {
        int32_t outputWidth, outputHeight;
        FrameScaling scaling;
        int32_t windowX, windowY, frameX, frameY;
    };
    const Case cases[] = {
        {320, 240, kFit, 100, 50, 100, 50},     // the game's own size
        {640, 480, kFit, 639, 479, 319, 239},   // --scale 2: the last pixel
        {640, 480, kWhole, 1, 1, 0, 0},         // half a pixel in
        {1000, 480, kFit, 180, 0, 0, 0},        // pillarboxed: the frame starts at 180
        {1000, 480, kFit, 179, 0, -1, 0},       // the border left of it
        {1000, 480, kFit, 820, 479, 320, 239},  // right of it
        {1000, 800, kWhole, 500, 400, 160, 120},
        {1000, 800, kWhole, 20, 40, 0, 0},  // 3 × 320 at (20, 40)
        {1000, 800, kFit, 0, 25, 0, 0},     // 1000 × 750 at (0, 25)
        {1000, 800, kFit, 999, 774, 319, 239},
        {160, 120, kWhole, 159, 119, 318, 238},  // smaller than the frame
    };
    for (const Case& c : cases) {
        const FrameLayout layout = LayOutFrame(320, 240, c.outputWidth, c.outputHeight, c.scaling);
        int32_t x = c.windowX, y = c.windowY;
        OutputPointToFrame(layout, 320, 240, x, y);
        EXPECT_EQ(x, c.frameX) << c.outputWidth << "x" << c.outputHeight << " " << c.windowX;
        EXPECT_EQ(y, c.frameY) << c.outputWidth << "x" << c.outputHeight << " " << c.windowY;
    }
    int32_t x = -5, y = 7;
    OutputPointToFrame(FrameLayout{}, 320, 240, x, y);  // no frame shown yet
    EXPECT_EQ(x, -5);
    EXPECT_EQ(y, 7);
}

}  // namespace
}  // namespace tavro
