#include "render/transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavro {
namespace {

struct Point {
    double x, y;
};

Point Apply(const TransformMatrix& m, Point p) {
    return {p.x * m.m11 + p.y * m.m21 + m.m41, p.x * m.m12 + p.y * m.m22 + m.m42};
}

// Each constructor, and products of them, move points as the row-vector convention says:
// the first factor of a product applies first.
TEST(TransformTest, MatricesMovePointsInProductOrder) {
    struct Case {
        const char* name;
        TransformMatrix matrix;
        Point in, out;
    };
    const TransformMatrix scale = ScaleTranslation(0, 0, 2, 3);
    const TransformMatrix shift = Translation(100, 50);
    const Case cases[] = {
        {"translation", Translation(7, -2), {1, 1}, {8, -1}},
        {"scale and translation", ScaleTranslation(5, 6, 2, -3), {1, 1}, {7, 3}},
        {"rotation 90 of x", ObjectTransform(0, 0, 1, 1, 90), {1, 0}, {0, 1}},
        {"rotation 90 of y", ObjectTransform(0, 0, 1, 1, 90), {0, 1}, {-1, 0}},
        {"scale before rotation", ObjectTransform(10, 20, 2, 3, 90), {1, 1}, {7, 22}},
        {"rotation -30", ObjectTransform(0, 0, 1, 1, -30), {2, 0}, {std::sqrt(3.0), -1}},
        {"translate, then scale", Multiply(shift, scale), {1, 0}, {202, 150}},
        {"scale, then translate", Multiply(scale, shift), {1, 0}, {102, 50}},
    };
    for (const Case& c : cases) {
        const Point out = Apply(c.matrix, c.in);
        EXPECT_NEAR(out.x, c.out.x, 1e-5) << c.name;
        EXPECT_NEAR(out.y, c.out.y, 1e-5) << c.name;
    }
}

TEST(TransformTest, ScreenScaleFallsBackToOneForScreenSizesThatAreNotPositive) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double screenWidth, screenHeight;
        double x, y;
    };
    const Case cases[] = {
        {320, 480, 2, 1},
        {0, 240, 1, 2},
        {-640, -1, 1, 1},
        {nan, 960, 1, 0.5},
    };
    for (const Case& c : cases) {
        const ScreenScale scale = ComputeScreenScale(640, 480, c.screenWidth, c.screenHeight);
        EXPECT_DOUBLE_EQ(scale.x, c.x) << c.screenWidth;
        EXPECT_DOUBLE_EQ(scale.y, c.y) << c.screenHeight;
    }
}

}  // namespace
}  // namespace tavro
