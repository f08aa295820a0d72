#include "shell/camera.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "shell/engine.h"

namespace tavro {
namespace {

struct Point {
    double x;
    double y;
};

TEST(CameraTest, StepMovesSpeedPercentOfTheRemainingDistance) {
    const struct {
        const char* name;
        double speed;
        Point target;
        std::vector<Point> positions;  // after each step
    } cases[] = {
        {"half way each frame", 50, {100, 0}, {{50, 0}, {75, 0}}},
        {"one percent", 1, {0, 200}, {{0, 2}, {0, 3.98}}},
        {"100 jumps to the target", 100, {-30, 40}, {{-30, 40}}},
        {"0 stays", 0, {100, 100}, {{0, 0}, {0, 0}}},
    };
    for (const auto& c : cases) {
        Camera camera;
        camera.setCameraTarget(c.target.x, c.target.y);
        for (const Point& expected : c.positions) {
            camera.stepCamera(c.speed);
            EXPECT_DOUBLE_EQ(camera.x(), expected.x) << c.name;
            EXPECT_DOUBLE_EQ(camera.y(), expected.y) << c.name;
        }
    }
}

TEST(CameraTest, ClampKeepsThePositionInsideTheBounds) {
    const struct {
        const char* name;
        bool setBounds;
        Point target;
        Point expected;
    } cases[] = {
        {"no bounds hold it at the origin", false, {500, -500}, {0, 0}},
        {"past the maximum", true, {500, 500}, {320, 240}},
        {"below the minimum", true, {-500, -500}, {-10, -20}},
        {"inside", true, {100, 50}, {100, 50}},
    };
    for (const auto& c : cases) {
        Camera camera;
        if (c.setBounds) {
            camera.setCameraBounds(-10, -20, 320, 240);
        }
        camera.setClamped(true);
        camera.setCameraTarget(c.target.x, c.target.y);
        camera.stepCamera(100);
        EXPECT_EQ(camera.x(), c.expected.x) << c.name;
        EXPECT_EQ(camera.y(), c.expected.y) << c.name;
    }
}

TEST(CameraTest, SetPositionClampsOnlyWhenAsked) {
    Camera camera;
    camera.setCameraBounds(0, 0, 100, 100);
    camera.setCameraPosition(150, -5);
    EXPECT_EQ(camera.x(), 150);
    EXPECT_EQ(camera.y(), -5);
    camera.setClamped(true);
    camera.setCameraPosition(150, -5);
    EXPECT_EQ(camera.x(), 100);
    EXPECT_EQ(camera.y(), 0);
}

TEST(ClearColourTest, ComponentsAreTruncatedToTheirLowEightBits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double red, green, blue;
        uint32_t colour;
    } cases[] = {
        {0, 0, 0, 0xFF000000},
        {300, -1, 12.9, 0xFF2CFF0C},
        {255.99, 256, -0.5, 0xFFFF0000},
        // An integer-indefinite conversion has 0 in its low bits.
        {nan, 1e300, 3000000000.0, 0xFF000000 | (3000000000u & 0xFF)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clearColourFrom(c.red, c.green, c.blue), c.colour)
            << c.red << " " << c.green << " " << c.blue;
    }
}

}  // namespace
}  // namespace tavro
