#include <string>

#include "engine_test_support.h"
#include "script/halt.h"
#include "script/name_id_table.h"
#include "script/system_variables.h"
#include "shell/error_log.h"
#include "text/messages.h"
#include "text/scrambled_file.h"

namespace tavro {

double systemValue(const char* name) {
    return systemVariable(nameId(name));
}

namespace {

constexpr EngineOptions kOneFrame{1, 7u};

TEST_F(EngineTest, WithoutSettingsEveryDefaultApplies) {
    ASSERT_TRUE(makeEngine().startUp());
    EXPECT_EQ(display_->className(), "Tavro");
    EXPECT_EQ(display_->title(), "Tavro version 1.00");
    EXPECT_EQ(display_->windowX(), 200);
    EXPECT_EQ(display_->windowY(), 200);
    EXPECT_EQ(display_->clientWidth(), 640);
    EXPECT_EQ(display_->clientHeight(), 480);
    EXPECT_TRUE(display_->visible());
    const struct {
        const char* name;
        double value;
    } seeded[] = {
        {"windowX", 200},     {"windowY", 200},      {"windowWidth", 640}, {"windowHeight", 480},
        {"screenWidth", 640}, {"screenHeight", 480}, {"cameraSpeed", 1},
    };
    for (const auto& s : seeded) {
        EXPECT_EQ(systemValue(s.name), s.value) << s.name;
    }
    EXPECT_EQ(engine_->screenScaleX(), 1.0);
    EXPECT_EQ(engine_->settings().frameSkipThreshold, 5);
    EXPECT_FALSE(folder_.exists("errorLog.txt"));
    engine_->shutDown();
}

TEST_F(EngineTest, SettingsShapeTheWindowAndTheLogicalScreen) {
    folder_.writeFile("init",
                      "windowX=10;windowY=20;windowWidth=800;windowHeight=600;\n"
                      "windowTitle=My\\sGame;screenWidth=400;screenHeight=200;cameraSpeed=9;");
    ASSERT_TRUE(makeEngine().startUp());
    EXPECT_EQ(display_->title(), "My Game");
    EXPECT_EQ(display_->windowX(), 10);
    EXPECT_EQ(display_->windowY(), 20);
    EXPECT_EQ(display_->clientWidth(), 800);
    EXPECT_EQ(engine_->screenScaleX(), 2.0);
    EXPECT_EQ(engine_->screenScaleY(), 3.0);
    EXPECT_EQ(systemValue("windowWidth"), 800);
    EXPECT_EQ(systemValue("screenWidth"), 400);
    // A non-empty setting leaves the speed at its zero start.
    EXPECT_EQ(systemValue("cameraSpeed"), 0);
    engine_->shutDown();
}

TEST_F(EngineTest, FullScreenSkipsTheWindowSetUp) {
    folder_.writeFile("init", "fullScreen=true;windowTitle=Unused;");
    ASSERT_TRUE(makeEngine().startUp());
    EXPECT_TRUE(engine_->settings().fullScreen);
    EXPECT_NE(display_->title(), "Unused");
    EXPECT_EQ(display_->clientWidth(), 0);
    EXPECT_FALSE(display_->visible());
    engine_->shutDown();
}

TEST_F(EngineTest, ErrorReportStartsTheLog) {
    folder_.writeFile("init", "errorReport=true;");
    ASSERT_EQ(run("", kOneFrame), kExitNormal);
    EXPECT_EQ(folder_.readFile("errorLog.txt").rfind("001 : log start\n", 0), 0u);
}

TEST_F(EngineTest, StartUpRunsTheScriptStepsInOrder) {
    const struct {
        const char* settings;
        std::vector<std::string> calls;
    } cases[] = {
        {"", {"load boot", "start"}},
        {"releasePackage=true;", {"scan", "load boot", "start"}},
    };
    for (const auto& c : cases) {
        folder_.writeFile("init", c.settings);
        scripts_.calls.clear();
        ASSERT_EQ(run("", kOneFrame), kExitNormal) << c.settings;
        EXPECT_EQ(scripts_.calls, c.calls) << c.settings;
        std::remove("package.ini");
    }
}

TEST_F(EngineTest, AMissingBootShowsItsMessageAndTheGameStillRuns) {
    scripts_.bootLoads = false;
    ASSERT_EQ(run("", EngineOptions{5, 1u}), kExitNormal);
    EXPECT_EQ(scripts_.passes, 5);
    const std::string text = dialogText();
    EXPECT_NE(text.find("report"), std::string::npos) << text;
    EXPECT_EQ(scripts_.calls.back(), "start");
}

TEST_F(EngineTest, AReleaseRunWritesTheSettingsForTheReleasedGame) {
    folder_.writeFile("init", "releasePackage=true;windowWidth=320;");
    ASSERT_EQ(run("", kOneFrame), kExitNormal);
    ScrambledFile file("package.ini");
    file.setKey("cfgTableMixWord");
    TextString text;
    ASSERT_TRUE(file.readAll(text));
    const std::string written = text.cStr();
    for (const char* pair : {"windowWidth=320;", "releasePackage=;", "notUseOriginalFile=true;",
                             "packagePassword=plainBundle;", "windowTitle="}) {
        EXPECT_NE(written.find(pair), std::string::npos) << pair << " in " << written;
    }
}

TEST_F(EngineTest, ShutDownReleasesEveryDevice) {
    ASSERT_EQ(run("", kOneFrame), kExitNormal);
    EXPECT_FALSE(display_->windowExists());
    EXPECT_FALSE(engine_->graphicsDevice().ready());
    EXPECT_FALSE(engine_->font().ready());
    EXPECT_FALSE(engine_->soundDevice().ready());
}

TEST_F(EngineTest, AFreshEngineClearsTheStopFlag) {
    requestHalt();
    ASSERT_EQ(run("", kOneFrame), kExitNormal);
    EXPECT_EQ(scripts_.passes, 1);
}

}  // namespace
}  // namespace tavro
