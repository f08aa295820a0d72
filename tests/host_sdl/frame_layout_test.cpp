#include "host/sdl/frame_layout.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(FrameLayoutTest, FitsTheFrameCentredWithWholeFactorsFirst) {
    struct Case {
        int32_t frameWidth, frameHeight, outputWidth, outputHeight;
        FrameLayout expected;
    };
    const Case cases[] = {
        {640, 480, 640, 480, {0, 0, 640, 480, 1, true}},
        {640, 480, 1920, 1080, {240, 0, 1440, 1080, 2, false}},  // pillarboxed, 2.25
        {320, 240, 1280, 1024, {0, 32, 1280, 960, 4, true}},     // letterboxed, exactly 4
        {640, 480, 800, 480, {80, 0, 640, 480, 1, true}},
        {640, 480, 320, 240, {0, 0, 320, 240, 1, false}},  // smaller than the frame
        {640, 480, 0, 480, {0, 0, 0, 0, 1, true}},
    };
    for (const Case& c : cases) {
        const FrameLayout layout =
            LayOutFrame(c.frameWidth, c.frameHeight, c.outputWidth, c.outputHeight);
        const FrameLayout& e = c.expected;
        EXPECT_EQ(layout.x, e.x) << c.outputWidth << "x" << c.outputHeight;
        EXPECT_EQ(layout.y, e.y) << c.outputWidth << "x" << c.outputHeight;
        EXPECT_EQ(layout.width, e.width) << c.outputWidth << "x" << c.outputHeight;
        EXPECT_EQ(layout.height, e.height) << c.outputWidth << "x" << c.outputHeight;
        EXPECT_EQ(layout.wholeFactor, e.wholeFactor) << c.outputWidth << "x" << c.outputHeight;
        EXPECT_EQ(layout.exact, e.exact) << c.outputWidth << "x" << c.outputHeight;
    }
}

}  // namespace
}  // namespace tavro
