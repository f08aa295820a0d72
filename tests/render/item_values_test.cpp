#include "render/item_values.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavro {
namespace {

TEST(ItemValuesTest, ColourKeepsTheLowEightBitsOfEachTruncatedChannel) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double alpha, red, green, blue;
        uint32_t colour;
    };
    const Case cases[] = {
        {255, 255, 255, 255, 0xFFFFFFFF},
        {300, -1, 0, 128, 0x2CFF0080},
        {127.9, 0.5, -0.5, 256, 0x7F000000},
        {-256, 1e12 + 16, nan, 511, 0x001000FF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ItemColour(c.alpha, c.red, c.green, c.blue), c.colour)
            << c.alpha << " " << c.red << " " << c.green << " " << c.blue;
    }
}

// The half back buffer is a whole number of pixels; the scroll factors scale the camera.
TEST(ItemValuesTest, CameraViewCentresTheCameraByScrollFactors) {
    struct Case {
        int32_t width, height;
        double cameraX, cameraY, scrollX, scrollY;
        float tx, ty;
    };
    const Case cases[] = {
        {640, 480, 0, 0, 1, 1, 320, 240},
        {641, 479, 0, 0, 1, 1, 320, 239},
        {640, 480, 100, 40, 1, 1, 220, 200},
        {640, 480, 100, 40, 0.5, 0, 270, 240},
    };
    for (const Case& c : cases) {
        const TransformMatrix view =
            CameraView(c.width, c.height, c.cameraX, c.cameraY, c.scrollX, c.scrollY);
        EXPECT_FLOAT_EQ(view.m41, c.tx) << c.width << " " << c.scrollX;
        EXPECT_FLOAT_EQ(view.m42, c.ty) << c.height << " " << c.scrollY;
        EXPECT_FLOAT_EQ(view.m11, 1);
    }
}

TEST(ItemValuesTest, ImagePositionTakesOffHalfTheFirstFrameInScriptUnits) {
    EXPECT_DOUBLE_EQ(ImagePosition(100, 0, 2), 100);
    EXPECT_DOUBLE_EQ(ImagePosition(100, 32, 1), 84);
    EXPECT_DOUBLE_EQ(ImagePosition(100, 32, 2), 92);
}

}  // namespace
}  // namespace tavro
