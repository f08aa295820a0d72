#include <string>

#include "engine_test_support.h"
#include "platform/key_state.h"
#include "script/halt.h"
#include "script/name_id_table.h"
#include "script/system_variables.h"
#include "shell/camera.h"

namespace tavro {
namespace {

void setSystem(const char* name, double value) {
    systemVariable(nameId(name)) = value;
}

TEST_F(EngineTest, EveryNormalEndExitsWithZero) {
    const struct {
        const char* name;
        std::string input;
        int killRootAtPass;  // 0: never
        int quitAtPass;      // 0: never
        uint64_t frameLimit;
        int expectedPasses;
    } cases[] = {
        {"frame limit", "", 0, 0, 12, 12},
        // F4 held before frame 4 runs: frames 1 to 3 ran.
        {"F4", "4 down 115\n", 0, 0, 100, 3},
        {"window close", "3 close\n", 0, 0, 100, 2},
        {"killed root", "", 6, 0, 100, 6},
        {"quit", "", 0, 2, 100, 2},
    };
    for (const auto& c : cases) {
        scripts_.passes = 0;
        scripts_.onFrame = [&](TaskInstance& root, int pass) {
            if (pass == c.killRootAtPass) {
                root.killed = true;
            }
            if (pass == c.quitAtPass) {
                requestHalt();
            }
        };
        EXPECT_EQ(run(c.input, EngineOptions{c.frameLimit, 1u}), kExitNormal) << c.name;
        EXPECT_EQ(scripts_.passes, c.expectedPasses) << c.name;
        EXPECT_TRUE(c.name != std::string("killed root") || haltRequested());
    }
}

TEST_F(EngineTest, FramesArePacedBySixteenMillisecondsOnAnIdleClock) {
    ASSERT_EQ(run("", EngineOptions{60, 1u}), kExitNormal);
    // The first frame is due at 17 ms; each later one 16 ms after (17 accumulated, 1 kept).
    EXPECT_EQ(clock_.milliseconds(), 17u + 59u * 16u);
    EXPECT_EQ(display_->framesCompleted(), 60u);
    // Every frame finds 17 ms accumulated; 500 ms are passed at the 30th: fps = 1000 / 17.
    EXPECT_DOUBLE_EQ(systemValue("fps"), 1000.0 / 17);
}

TEST_F(EngineTest, ThresholdDecidesWhichPicturesArePresented) {
    const struct {
        const char* settings;
        uint64_t presented;
    } cases[] = {
        {"", 20},
        {"limitUnderFPS=0;", 20},
        // 1000/60 is below the time of every frame: every second picture is skipped.
        {"limitUnderFPS=60;", 10},
        {"limitUnderFPS=-1;", 10},
    };
    for (const auto& c : cases) {
        folder_.writeFile("init", c.settings);
        scripts_.passes = 0;
        ASSERT_EQ(run("", EngineOptions{20, 1u}), kExitNormal);
        EXPECT_EQ(engine_->graphicsDevice().presentedFrames(), c.presented) << c.settings;
        EXPECT_EQ(scripts_.passes, 20) << "scripts run on skipped frames too: " << c.settings;
    }
}

TEST_F(EngineTest, AnInactiveWindowRunsNoScriptsButKeepsTheFrameState) {
    std::vector<double> mouseAtPass;
    scripts_.onFrame = [&](TaskInstance&, int) { mouseAtPass.push_back(systemValue("mouseX")); };
    ASSERT_EQ(run("1 mouse 5 6\n3 deactivate\n4 mouse 70 80\n6 activate\n", EngineOptions{8, 1u}),
              kExitNormal);
    // Frames 3, 4 and 5 ran without scripts.
    EXPECT_EQ(scripts_.passes, 5);
    EXPECT_EQ(mouseAtPass, (std::vector<double>{5, 5, 70, 70, 70}));
    EXPECT_EQ(systemValue("mouseY"), 80);
}

TEST_F(EngineTest, ReactivationDoesNotRunMissedFrames) {
    // Time passing while inactive is not the issue on a virtual clock; activation must
    // restart the measurement so the frame count stays in step with the clock.
    ASSERT_EQ(run("2 deactivate\n2 activate\n", EngineOptions{10, 1u}), kExitNormal);
    EXPECT_EQ(scripts_.passes, 10);
    EXPECT_EQ(clock_.milliseconds(), 17u + 9u * 16u);
}

TEST_F(EngineTest, ScriptsSeeKeysPressedBeforeTheirFrame) {
    std::vector<bool> heldAtPass;
    scripts_.onFrame = [&](TaskInstance&, int) { heldAtPass.push_back(keyState().isKeyDown(65)); };
    ASSERT_EQ(run("2 down 65\n4 up 65\n", EngineOptions{5, 1u}), kExitNormal);
    EXPECT_EQ(heldAtPass, (std::vector<bool>{false, true, true, false, false}));
}

TEST_F(EngineTest, TheDisplaySwitchReleasesHeldKeysAndKeepsRunning) {
    ASSERT_EQ(run("2 down 122\n2 down 65\n", EngineOptions{4, 1u}), kExitNormal);
    EXPECT_EQ(scripts_.passes, 4);
    EXPECT_TRUE(engine_->settings().fullScreen);
    EXPECT_FALSE(keyState().isKeyDown(65));
    // The 100 ms pause is not run as frames.
    EXPECT_EQ(clock_.milliseconds(), 17u + 3u * 16u + 100u);
}

TEST_F(EngineTest, BackgroundColourAndCameraAreExchangedAfterTheScripts) {
    scripts_.onFrame = [](TaskInstance&, int pass) {
        if (pass == 1) {
            setSystem("red", 300);
            setSystem("green", -1);
            setSystem("blue", 12.9);
            setSystem("cameraSpeed", 50);
            camera().setCameraTarget(100, 0);
        }
    };
    ASSERT_EQ(run("", EngineOptions{2, 1u}), kExitNormal);
    EXPECT_EQ(engine_->graphicsDevice().clearColour(), 0xFF2CFF0Cu);
    EXPECT_EQ(systemValue("cameraX"), 75);
    EXPECT_EQ(systemValue("cameraY"), 0);
}

TEST_F(EngineTest, CameraConfHoldsTheCameraInsideItsBounds) {
    scripts_.onFrame = [](TaskInstance&, int) {
        setSystem("cameraConf", 1);
        setSystem("cameraSpeed", 100);
        camera().setCameraTarget(500, 500);
    };
    ASSERT_EQ(run("", EngineOptions{3, 1u}), kExitNormal);
    EXPECT_TRUE(camera().clamped());
    EXPECT_EQ(systemValue("cameraX"), 0);
    EXPECT_EQ(systemValue("cameraY"), 0);
}

}  // namespace
}  // namespace tavro
