#include <string>

#include "engine_test_support.h"

namespace tavro {
namespace {

constexpr EngineOptions kOneFrame{1, 7u};

TEST_F(EngineTest, SettingsShapeTheWindowAndTheLogicalScreen) {
    const struct {
        const char* settings;
        const char* title;
        int32_t windowX, clientWidth;
        double screenWidth, scaleX, scaleY, cameraSpeed;  // a cameraSpeed setting: 0
    } cases[] = {
        {"", "Tavro version 1.00", 200, 640, 640, 1, 1, 1},
        {"windowX=10;windowWidth=800;windowHeight=600;\nwindowTitle=My\\sGame;screenWidth=400;"
         "screenHeight=200;cameraSpeed=9;",
         "My Game", 10, 800, 400, 2, 3, 0},
        // a screen side that is no positive number keeps its axis unscaled
        {"screenWidth=0;screenHeight=-240;", "Tavro version 1.00", 200, 640, 0, 1, 1, 1},
        {"screenWidth=nothing;screenHeight=240;", "Tavro version 1.00", 200, 640, 0, 1, 2, 1},
    };
    for (const auto& c : cases) {
        folder_.writeFile("init", c.settings);
        ASSERT_TRUE(makeEngine().startUp());
        EXPECT_EQ(display_->title(), c.title);
        EXPECT_EQ(display_->windowX(), c.windowX);
        EXPECT_EQ(display_->clientWidth(), c.clientWidth);
        EXPECT_TRUE(display_->visible());
        EXPECT_EQ(systemValue("windowWidth"), c.clientWidth);
        EXPECT_EQ(systemValue("screenWidth"), c.screenWidth);
        EXPECT_EQ(engine_->screenScale().x, c.scaleX) << c.settings;
        EXPECT_EQ(engine_->screenScale().y, c.scaleY) << c.settings;
        EXPECT_EQ(systemValue("cameraSpeed"), c.cameraSpeed);
        engine_->shutDown();
    }
    EXPECT_EQ(display_->className(), "Tavro");
    EXPECT_FALSE(folder_.exists("errorLog.txt"));
}

TEST_F(EngineTest, StartUpRunsTheScriptStepsInOrderAndStartsTheLog) {
    for (const auto& [settings, calls] :
         {std::pair<const char*, std::vector<std::string>>{"fullScreen=true;windowTitle=Unused;",
                                                           {"load boot", "start"}},
          {"releasePackage=true;errorReport=true;", {"scan", "load boot", "start"}}}) {
        folder_.writeFile("init", settings);
        scripts_.calls.clear();
        ASSERT_EQ(run("", kOneFrame), kExitNormal) << settings;
        EXPECT_EQ(scripts_.calls, calls) << settings;
        EXPECT_EQ(std::remove("package.ini") == 0, calls.size() == 3) << "written at exit";
    }
    EXPECT_EQ(folder_.readFile("errorLog.txt").rfind("001 : log start\n", 0), 0u);
}

// --fullscreen and --window decide the display mode of the run; the settings keep their text.
TEST_F(EngineTest, TheCommandLineOverridesTheFullScreenSetting) {
    const struct {
        const char* settings;
        std::optional<bool> override;
        bool fullScreen;
    } cases[] = {
        {"fullScreen=true;", std::nullopt, true},
        {"fullScreen=true;", false, false},
        {"", true, true},
        {"fullScreen=false;", std::nullopt, false},
    };
    for (const auto& c : cases) {
        folder_.writeFile("init", std::string(c.settings) + "windowTitle=Mine;");
        ASSERT_TRUE(makeEngine("", EngineOptions{1, 1u, c.override}).startUp()) << c.settings;
        EXPECT_EQ(display_->fullScreen(), c.fullScreen) << c.settings;
        // Shown either way, with the game's title: full screen only skips placing the window.
        EXPECT_TRUE(display_->visible()) << c.settings;
        EXPECT_EQ(display_->title(), "Mine") << c.settings;
        EXPECT_EQ(engine_->settings().fullScreen, c.fullScreen) << c.settings;
        EXPECT_EQ(engine_->state().config.at("fullScreen") == "true",
                  std::string(c.settings) == "fullScreen=true;")
            << c.settings;
        engine_->shutDown();
    }
}

// A missing boot task is reported and the game still runs; shut-down releases every device.
TEST_F(EngineTest, AMissingBootShowsItsMessageAndTheGameStillRuns) {
    scripts_.bootLoads = false;
    ASSERT_EQ(run("", EngineOptions{5, 1u}), kExitNormal);
    EXPECT_EQ(scripts_.passes, 5);
    EXPECT_NE(dialogText().find("report"), std::string::npos) << dialogText();
    EXPECT_EQ(scripts_.calls.back(), "start");
    EXPECT_FALSE(display_->windowExists());
    EXPECT_FALSE(engine_->graphicsDevice().ready());
    EXPECT_FALSE(engine_->font().ready());
}

// Without an audio output the sound device cannot be made: its message ends the start-up
// before the boot task loads.
TEST_F(EngineTest, AHostWithoutAudioEndsTheStartUpWithTheSoundDeviceMessage) {
    display_ = std::make_unique<HeadlessDisplay>(ScriptedInput(std::vector<InputEvent>{}));
    HostServices silent = host(*display_);
    silent.audio = nullptr;
    Engine engine(silent, scripts_, kOneFrame);
    EXPECT_EQ(engine.run(), kExitStartupFailed);
    EXPECT_NE(dialogText().find("サウンドデバイスの作成に失敗しました。"), std::string::npos)
        << dialogText();
    EXPECT_TRUE(scripts_.calls.empty());
    EXPECT_FALSE(display_->windowExists()) << "shut-down still ran";
}

// Two games run one after the other in one process: the second starts exactly as a first run
// would, with none of the first one's settings, log numbering, names or objects.
TEST_F(EngineTest, ASecondRunSharesNothingWithTheFirst) {
    ScriptEngineGameScripts scripts;
    struct Seen {
        std::string title;
        int32_t names, objects;
        bool firstName;
    };
    auto runGame = [&](const std::string& boot) {
        folder_.writeFile("boot", boot);
        display_ = std::make_unique<HeadlessDisplay>(ScriptedInput(std::vector<InputEvent>{}));
        Engine engine(host(*display_), scripts, EngineOptions{2, 1u});
        engine.run();
        EngineState& state = engine.state();
        return Seen{display_->title(), state.names.count(), state.objects.liveCount(),
                    state.names.find("firstOnly") != 0};
    };
    const std::string game = "SCRIPT={main.scr};";
    folder_.writeFile("main.scr", "n=n+1;");
    const Seen fresh = runGame(game);

    folder_.writeFile("init", "windowTitle=FirstGame;errorReport=true;");
    folder_.writeFile("first.scr", "firstOnly=1;new(\"boot\",0,0);");
    runGame("SCRIPT={first.scr};");
    std::remove("init");
    const std::string firstLog = folder_.readFile("errorLog.txt");
    EXPECT_EQ(firstLog.rfind("001 : log start\n", 0), 0u);

    const Seen second = runGame(game);
    EXPECT_EQ(second.title, "Tavro version 1.00");
    EXPECT_EQ(folder_.readFile("errorLog.txt"), firstLog) << "reports are off again";
    EXPECT_FALSE(second.firstName);
    EXPECT_EQ(second.names, fresh.names);
    EXPECT_EQ(second.objects, fresh.objects);
}

}  // namespace
}  // namespace tavro
