#include <string>

#include "engine_test_support.h"

namespace tavro {
namespace {

// Input, the pass that kills the root task or asks to quit (0: none), the frame limit and the
// passes run. F4 held, or tapped and released, before frame 4 runs: frames 1 to 3 ran.
TEST_F(EngineTest, EveryNormalEndExitsWithZero) {
    const std::tuple<const char*, int, bool, uint64_t, int> cases[] = {
        {"", 0, false, 12, 12},
        {"4 down 115\n", 0, false, 100, 3},
        {"4 down 115\n4 up 115\n", 0, false, 100, 3},
        {"3 close\n", 0, false, 100, 2},
        {"", 6, true, 100, 6},
        {"", 2, false, 100, 2}};
    for (const auto& [input, stopAtPass, byKillingTheRoot, frameLimit, passes] : cases) {
        scripts_.passes = 0;
        scripts_.onFrame = [&](EngineState& state, int pass) {
            if (pass == stopAtPass) {
                (byKillingTheRoot ? state.objects.root().killed : state.haltRequested) = true;
            }
        };
        EXPECT_EQ(run(input, EngineOptions{frameLimit, 1u}), kExitNormal) << input;
        EXPECT_EQ(scripts_.passes, passes) << input << stopAtPass;
        EXPECT_TRUE(!byKillingTheRoot || engine_->state().haltRequested);
    }
}

// The first frame is due at 17 ms; each later one 16 ms after (17 accumulated, 1 kept).
// Reactivation restarts the measurement, so no missed frames are run. A threshold above
// 1000/17 frames a second skips every second picture, but the scripts run on every frame.
// Every frame finds 17 ms accumulated; 500 ms are passed at the 30th: fps = 1000 / 17.
TEST_F(EngineTest, FramesArePacedBySixteenMillisecondsOnAnIdleClock) {
    const std::tuple<const char*, const char*, uint64_t> cases[] = {
        {"", "", 30},
        {"", "2 deactivate\n2 activate\n", 30},
        {"limitUnderFPS=60;", "", 15},
        {"limitUnderFPS=-1;", "", 15}};
    for (const auto& [settings, input, presented] : cases) {
        folder_.writeFile("init", settings);
        scripts_.passes = 0;
        const uint32_t start = clock_.milliseconds();
        ASSERT_EQ(run(input, EngineOptions{30, 1u}), kExitNormal);
        EXPECT_EQ(scripts_.passes, 30) << settings << input;
        EXPECT_EQ(clock_.milliseconds() - start, 17u + 29u * 16u) << settings << input;
        EXPECT_EQ(engine_->graphicsDevice().presentedFrames(), presented) << settings << input;
        EXPECT_DOUBLE_EQ(systemValue("fps"), 1000.0 / 17);
    }
}

TEST_F(EngineTest, AnInactiveWindowRunsNoScriptsButKeepsTheFrameState) {
    std::vector<std::pair<double, bool>> seenAtPass;  // mouseX, key 65 held
    scripts_.onFrame = [&](EngineState& state, int) {
        seenAtPass.emplace_back(tavro::systemValue(state, "mouseX"), state.keys.isKeyDown(65));
    };
    ASSERT_EQ(run("1 mouse 5 6\n2 down 65\n3 deactivate\n4 mouse 70 80\n6 activate\n7 up 65\n",
                  EngineOptions{8, 1u}),
              kExitNormal);
    // Frames 3, 4 and 5 ran without scripts.
    EXPECT_EQ(seenAtPass, (std::vector<std::pair<double, bool>>{
                              {5, false}, {5, true}, {70, true}, {70, false}, {70, false}}));
    EXPECT_EQ(systemValue("mouseY"), 80);
}

TEST_F(EngineTest, TheDisplaySwitchReleasesHeldKeysAndKeepsRunning) {
    ASSERT_EQ(run("2 down 122\n2 down 65\n", EngineOptions{4, 1u}), kExitNormal);
    EXPECT_EQ(scripts_.passes, 4);
    EXPECT_TRUE(engine_->settings().fullScreen);
    EXPECT_FALSE(engine_->state().keys.isKeyDown(65));
    // The 100 ms pause is not run as frames.
    EXPECT_EQ(clock_.milliseconds(), 17u + 3u * 16u + 100u);
    // A tap released before the frame switches too, once.
    ASSERT_EQ(run("2 down 122\n2 up 122\n", EngineOptions{4, 1u}), kExitNormal);
    EXPECT_TRUE(engine_->settings().fullScreen);
}

// The colour and the camera are exchanged after the scripts; cameraConf clamps the camera
// to its bounds (none set: the origin). The colour's channels wrap as an item's do (red 300).
TEST_F(EngineTest, BackgroundColourAndCameraAreExchangedAfterTheScripts) {
    for (const double conf : {0, 1}) {
        scripts_.passes = 0;
        scripts_.onFrame = [conf](EngineState& state, int pass) {
            tavro::systemValue(state, "cameraConf") = conf;
            if (pass == 1) {
                tavro::systemValue(state, "red") = 300;
                tavro::systemValue(state, "cameraSpeed") = 50;
                state.camera.setCameraTarget(100, 0);
            }
        };
        Engine& engine = makeEngine("", EngineOptions{2, 1u});
        ASSERT_TRUE(engine.startUp());
        engine.runFrameLoop();
        EXPECT_EQ(engine.graphicsDevice().clearColour(), 0xFF2C0000u) << conf;
        engine.shutDown();
        EXPECT_EQ(engine.graphicsDevice().clearColour(), 0u);  // released with the device
        EXPECT_EQ(engine_->state().camera.clamped(), conf == 1);
        EXPECT_EQ(systemValue("cameraX"), conf == 1 ? 0 : 75);
    }
}

}  // namespace
}  // namespace tavro
