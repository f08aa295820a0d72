#include "host/sdl/window_placement.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(WindowPlacement, AWindowOffEveryDisplayMovesToThePrimaryOne) {
    const std::vector<ScreenRect> displays{{0, 0, 1920, 1080}, {1920, 200, 1280, 1024}};
    struct Case {
        ScreenRect window;
        int32_t x, y;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        ScreenRect window = c.window;
        KeepWindowOnDisplays(window, displays);
        EXPECT_EQ(window.x, c.x) << c.window.x << "," << c.window.y;
        EXPECT_EQ(window.y, c.y) << c.window.x << "," << c.window.y;
        EXPECT_EQ(window.width, c.window.width);
    }
}

TEST(WindowPlacement, WithoutDisplaysThePositionIsKept) {
    ScreenRect window{9000, 9000, 640, 480};
    KeepWindowOnDisplays(window, {});
    EXPECT_EQ(window.x, 9000);
}

}  // namespace
}  // namespace tavro
