#include "script/camera.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace tavro {
namespace {

struct Point {
    double x;
    double y;
};

// Each step moves speed percent of the remaining distance; the clamp keeps the position
// inside the bounds, and without bounds holds the camera at the origin.
TEST(CameraTest, StepMovesSpeedPercentOfTheRemainingDistance) {
    enum Clamp { kFree, kNoBounds, kBounds };
    const struct {
        double speed;
        Clamp clamp;
        Point target;
        std::vector<Point> positions;  // after each step
    } cases[] = {
        {50, kFree, {100, 0}, {{50, 0}, {75, 0}}}, {100, kFree, {-30, 40}, {{-30, 40}}},
        {0, kFree, {100, 100}, {{0, 0}}},          {100, kNoBounds, {500, -500}, {{0, 0}}},
        {100, kBounds, {500, 500}, {{320, 240}}},  {100, kBounds, {-500, -500}, {{-10, -20}}},
    };
    for (const auto& c : cases) {
        Camera camera;
        if (c.clamp == kBounds) {
            camera.setCameraBounds(-10, -20, 320, 240);
        }
        camera.setClamped(c.clamp != kFree);
        camera.setCameraTarget(c.target.x, c.target.y);
        for (const Point& expected : c.positions) {
            camera.stepCamera(c.speed);
            EXPECT_DOUBLE_EQ(camera.x(), expected.x) << c.speed << " " << c.target.x;
            EXPECT_DOUBLE_EQ(camera.y(), expected.y) << c.speed << " " << c.target.y;
        }
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

}  // namespace
}  // namespace tavro
