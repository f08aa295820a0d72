#include "host/files/screenshot_path.h"

#include <gtest/gtest.h>

namespace tavro {
namespace {

TEST(ScreenshotPathTest, TheDataFolderComesFromXdgDataHomeOrHome) {
    const struct {
        const char* xdgDataHome;
        const char* home;
        const char* folder;
    } cases[] = {
        {"/data", "/home/ann", "/data/tavro/screenshots"},
        {"/data/", "/home/ann", "/data/tavro/screenshots"},
        {nullptr, "/home/ann", "/home/ann/.local/share/tavro/screenshots"},
        {"", "/home/ann/", "/home/ann/.local/share/tavro/screenshots"},
        {"relative/data", "/home/ann", "/home/ann/.local/share/tavro/screenshots"},
        {"/", nullptr, "/tavro/screenshots"},
        {nullptr, nullptr, ""},
        {"data", "home", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(screenshotFolder(c.xdgDataHome, c.home), c.folder)
            << (c.xdgDataHome ? c.xdgDataHome : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

TEST(ScreenshotPathTest, NamesCarryTheGameTheTimeAndACountWithinTheSecond) {
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 7;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 3;
    EXPECT_EQ(screenshotName("demo", time, 1), "demo-20261207-090503.png");
    EXPECT_EQ(screenshotName("demo", time, 2), "demo-20261207-090503-2.png");
    EXPECT_EQ(screenshotName("", time, 1), "tavro-20261207-090503.png");
}

}  // namespace
}  // namespace tavro
