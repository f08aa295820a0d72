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
        double speed;
        Point target;
        std::vector<Point> positions;  // after each step
    } cases[] = {
        {50, {100, 0}, {{50, 0}, {75, 0}}},
        {100, {-30, 40}, {{-30, 40}}},
        {0, {100, 100}, {{0, 0}}},
    };
    for (const auto& c : cases) {
        Camera camera;
        camera.setCameraTarget(c.target.x, c.target.y);
        for (const Point& expected : c.positions) {
            camera.stepCamera(c.speed);
            EXPECT_DOUBLE_EQ(camera.x(), expected.x) << c.speed;
            EXPECT_DOUBLE_EQ(camera.y(), expected.y) << c.speed;
        }
    }
}

TEST(CameraTest, ClampKeepsThePositionInsideTheBounds) {
    // Without bounds the clamp holds the camera at the origin.
    for (const auto& [setBounds, target, expected] :
         {std::tuple{false, Point{500, -500}, Point{0, 0}},
          {true, Point{500, 500}, Point{320, 240}},
          {true, Point{-500, -500}, Point{-10, -20}}}) {
        Camera camera;
        if (setBounds) {
            camera.setCameraBounds(-10, -20, 320, 240);
        }
        camera.setClamped(true);
        camera.setCameraTarget(target.x, target.y);
        camera.stepCamera(100);
        EXPECT_EQ(camera.x(), expected.x) << target.x;
        EXPECT_EQ(camera.y(), expected.y) << target.y;
    }
    Camera camera;  // a set position is clamped only when asked
    camera.setCameraBounds(0, 0, 100, 100);
    camera.setCameraPosition(150, -5);
    EXPECT_EQ(camera.x(), 150);
    camera.setClamped(true);
    camera.setCameraPosition(150, -5);
    EXPECT_EQ(camera.x(), 100);
    EXPECT_EQ(camera.y(), 0);
}

TEST(ClearColourTest, ComponentsAreTruncatedToTheirLowEightBits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // An integer-indefinite conversion has 0 in its low bits.
    for (const auto& [red, green, blue, colour] :
         {std::tuple{300.0, -1.0, 12.9, 0xFF2CFF0Cu},
          {255.99, 256.0, -0.5, 0xFFFF0000u},
          {nan, 1e300, 3000000000.0, 0xFF000000u | (3000000000u & 0xFF)}}) {
        EXPECT_EQ(clearColourFrom(red, green, blue), colour) << red << " " << green << " " << blue;
    }
}

}  // namespace
}  // namespace tavro
