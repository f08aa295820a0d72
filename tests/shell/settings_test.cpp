#include "shell/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/error_log.h"
#include "text/scrambled_file.h"
#include "text/test_support.h"

namespace tavro {
namespace {

using testing::MemoryFileSystem;

std::string scrambledSettings(const std::string& plain) {
    std::string bytes = plain;
    scrambleText(bytes.data(), static_cast<int32_t>(bytes.size()), kSettingsFileKey);
    return bytes;
}

// Reads the settings from the in-memory disk and applies them, as start-up does.
struct StartUp {
    MemoryFileSystem disk;
    ErrorLog log;
    ConfigTable config;
    Settings settings;
    bool cameraSpeedStartsAtOne = false;

    void run() {
        readSettings(config);
        cameraSpeedStartsAtOne = applySettings(config, log, settings);
    }
    std::string value(const char* key) const {
        const int32_t i = config.indexOf(key);
        return i < 0 ? "(absent)" : std::string(config.valueAt(i).view());
    }
};

TEST(Settings, DefaultsWithoutAnySettingsFile) {
    StartUp s;
    s.run();
    const std::pair<const char*, const char*> expected[] = {
        {"windowX", "200"},
        {"windowY", "200"},
        {"windowWidth", "640"},
        {"windowHeight", "480"},
        {"windowTitle", "Tavro version 1.00"},
        {"screenWidth", "640"},
        {"screenHeight", "480"},
        {"limitUnderFPS", ""},
        {"packagePassword", "(absent)"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(s.value(key), value) << key;
    }
    EXPECT_EQ(s.settings.frameSkipThreshold, 5);
    EXPECT_FALSE(s.settings.fullScreen);
    EXPECT_FALSE(s.settings.writeAtExit);
    EXPECT_TRUE(s.cameraSpeedStartsAtOne);
    EXPECT_EQ(s.log.reportLevel(), kReportNothing);
    EXPECT_FALSE(s.disk.exists(kErrorLogFileName));
    EXPECT_EQ(s.config.nameAt(0), std::string("windowX"));
}

TEST(Settings, OnlyTheExactTextTrueSwitches) {
    struct Case {
        const char* value;
        bool on;
    };
    const Case cases[] = {{"true", true}, {"True", false},    {"TRUE", false},
                          {"1", false},   {"true\\s", false}, {" t r u e ", true}};
    for (const Case& c : cases) {
        StartUp s;
        const std::string text = std::string("fullScreen=") + c.value + ";antiAlias=" + c.value +
                                 ";notUseOriginalFile=" + c.value + ";errorReport=" + c.value;
        s.disk.files["init"] = text;
        s.run();
        EXPECT_EQ(s.settings.fullScreen, c.on) << c.value;
        EXPECT_EQ(s.settings.antiAlias, c.on) << c.value;
        EXPECT_EQ(s.settings.bundleOnlyTasks, c.on) << c.value;
        EXPECT_EQ(s.settings.bundleOnlyScripts, c.on) << c.value;
        EXPECT_EQ(s.settings.bundleOnlyAnimations, c.on) << c.value;
        EXPECT_EQ(s.log.reportLevel(), c.on ? kReportEverything : kReportNothing) << c.value;
    }
}

TEST(Settings, ErrorReportStartsTheLog) {
    StartUp s;
    s.disk.files[kErrorLogFileName] = "old";
    s.disk.files["init"] = "errorReport=true;";
    s.run();
    EXPECT_EQ(s.disk.files[kErrorLogFileName], "001 : log start\n");
}

TEST(Settings, PreparationStripsWhitespaceAndTurnsEscapes) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"windowTitle = My Game ;", "windowTitle=MyGame;"},
        {"windowTitle=My\\sGame;", "windowTitle=My Game;"},
        {"a=1;\r\n\tb=2;", "a=1;b=2;"},
        {"a=line\\nnext", "a=line\nnext"},
        {"a=x\\sc", "a=x c"},  // the writer's escape for ";" does not survive a settings read
        {"a=\\t", "a=\\t"},
    };
    for (const Case& c : cases) {
        TextString text(c.text);
        prepareSettingsText(text);
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(Settings, ScrambledPackageIniWinsOverInit) {
    StartUp s;
    s.disk.files["package.ini"] = scrambledSettings("windowTitle=Packed\\sGame;windowWidth=320;");
    s.disk.files["init"] = "windowTitle=Plain;";
    s.run();
    EXPECT_EQ(s.value("windowTitle"), "Packed Game");
    EXPECT_EQ(s.value("screenWidth"), "320");
    EXPECT_EQ(s.value("windowHeight"), "480");
    EXPECT_EQ(s.config.nameAt(0), std::string("windowTitle")) << "file entries come first";
}

TEST(Settings, FallsBackToPlainInit) {
    StartUp s;
    s.disk.files["init"] = "limitUnderFPS=12;screenWidth=320;cameraSpeed=3;";
    s.run();
    EXPECT_EQ(s.settings.frameSkipThreshold, 12);
    EXPECT_EQ(s.value("screenWidth"), "320");
    EXPECT_EQ(s.value("screenHeight"), "480");
    EXPECT_FALSE(s.cameraSpeedStartsAtOne);
}

TEST(Settings, WrittenFileKeepsSpacesAndLineFeeds) {
    MemoryFileSystem disk;
    ConfigTable config;
    config.at("windowTitle") = "two words\nand a line";
    config.at("odd") = "a=b";
    ASSERT_TRUE(writeSettings(config));
    std::string bytes = disk.files["package.ini"];
    unscrambleText(bytes.data(), static_cast<int32_t>(bytes.size()), kSettingsFileKey);
    EXPECT_EQ(bytes, "windowTitle=two\\swords\\nand\\sa\\sline;odd=a\\eqb;");
    ConfigTable back;
    readSettings(back);
    EXPECT_EQ(back.at("windowTitle"), "two words\nand a line");
    EXPECT_EQ(back.at("odd"), "a=b");
}

TEST(Settings, ReleasePackageRewritesWhatShutDownWrites) {
    struct Case {
        const char* extra;
        const char* password;
    };
    const Case cases[] = {{"", "plainBundle"}, {"packagePassword=secret;", "secret"}};
    for (const Case& c : cases) {
        StartUp s;
        s.disk.files["init"] = std::string("releasePackage=true;") + c.extra;
        s.run();
        EXPECT_TRUE(s.settings.writeAtExit);
        EXPECT_TRUE(s.settings.scanAll);
        EXPECT_FALSE(s.settings.bundleOnlyTasks) << "this run keeps reading the game's files";
        EXPECT_EQ(s.value("releasePackage"), "");
        EXPECT_EQ(s.value("notUseOriginalFile"), "true");
        EXPECT_EQ(s.value("packagePassword"), c.password);

        ASSERT_TRUE(writeSettings(s.config));
        // The written file reads back, scrambled with the settings key, as a released game.
        StartUp released;
        released.disk.files["package.ini"] = s.disk.files["package.ini"];
        released.run();
        EXPECT_TRUE(released.settings.bundleOnlyTasks);
        EXPECT_FALSE(released.settings.writeAtExit);
        EXPECT_EQ(released.value("packagePassword"), c.password);
        EXPECT_EQ(released.value("windowTitle"), "Tavro version 1.00")
            << "spaces are written escaped, so a settings read keeps them";
    }
}

}  // namespace
}  // namespace tavro
