#include "host/sdl/window_placement.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

// A window (or frame) placed by a rule, and the top-left corner the rule leaves it at.
struct MoveCase {
    ScreenRect window;
    int32_t x, y;
};

template <size_t count, typename Rule>
void ExpectMoves(const MoveCase (&cases)[count], Rule rule) {
    for (const MoveCase& c : cases) {
        ScreenRect window = c.window;
        rule(window);
        EXPECT_EQ(window.x, c.x) << c.window.x << "," << c.window.y;
        EXPECT_EQ(window.y, c.y) << c.window.x << "," << c.window.y;
        EXPECT_EQ(window.width, c.window.width);
    }
}

TEST(WindowPlacement, AWindowOffEveryDisplayMovesToThePrimaryOne) {
    const std::vector<ScreenRect> displays{{0, 0, 1920, 1080}, {1920, 200, 1280, 1024}};
    const MoveCase cases[] = {
        {{200, 200, 640, 480}, 200, 200},      // on the primary display
        {{2500, 300, 640, 480}, 2500, 300},    // on the second display
        {{-600, -400, 640, 480}, -600, -400},  // partly visible: kept as configured
        {{1919, 1079, 640, 480}, 1919, 1079},  // one pixel visible
        {{1920, 0, 640, 200}, 0, 0},           // in the gap above the second display
        {{-640, 0, 640, 480}, 0, 0},           // just left of everything
        {{5000, 5000, 640, 480}, 0, 0},        // another desktop's position
        {{2147483000, 0, 640, 480}, 0, 0},     // far right, no wrap-around
        {{-2147483600, -2147483600, 640, 480}, 0, 0},
        {{100, 100, 0, 0}, 100, 100},  // no area yet: its corner decides
    };
    ExpectMoves(cases, [&](ScreenRect& window) { KeepWindowOnDisplays(window, displays); });
}

TEST(WindowPlacement, WithoutDisplaysThePositionIsKept) {
    ScreenRect window{9000, 9000, 640, 480};
    KeepWindowOnDisplays(window, {});
    EXPECT_EQ(window.x, 9000);
}

TEST(WindowPlacement, AGrownWindowMovesBackInsideTheUsableArea) {
    const ScreenRect usable{0, 30, 1920, 1050};  // below a panel
    const MoveCase cases[] = {
        {{200, 200, 1282, 985}, 200, 95},                // reaching below: moved up just enough
        {{100, 40, 1282, 985}, 100, 40},                 // inside: kept
        {{900, 200, 1282, 985}, 638, 95},                // past the right edge too
        {{-50, 0, 1282, 985}, 0, 30},                    // past the left edge and under the panel
        {{200, 200, 2000, 1200}, 0, 30},                 // larger than the area: its corner inside
        {{2147483000, 2147483000, 1282, 985}, 638, 95},  // no wrap-around
    };
    ExpectMoves(cases, [&](ScreenRect& frame) { KeepGrownWindowInside(frame, usable); });
}

TEST(WindowPlacement, TheWindowGrowsByTheLargestWholeFactorThatFits) {
    struct Case {
        int32_t width, height;
        ScreenRect usable;
        int32_t factor;
    };
    const Case cases[] = {
        {640, 480, {0, 0, 1920, 1080}, 2},  // 1280 x 960
        {640, 480, {0, 0, 3840, 2160}, 4},  // a 4K screen
        {320, 240, {0, 0, 1280, 1024}, 4},  // 1280 x 960 exactly fits
        {320, 240, {0, 0, 1279, 1024}, 3}, {640, 480, {0, 0, 1280, 1024}, 2},
        {800, 600, {0, 0, 640, 480}, 1},  // larger than the screen: its own size still
        {0, 480, {0, 0, 1920, 1080}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FittingFactor(c.width, c.height, c.usable), c.factor)
            << c.width << "x" << c.height << " on " << c.usable.width << "x" << c.usable.height;
    }
}

}  // namespace
}  // namespace tavro
