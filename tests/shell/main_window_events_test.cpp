#include "shell/main_window_events.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "host/headless/virtual_clock.h"
#include "render/recording_compositor.h"
#include "support/game_folder.h"

namespace tavro {
namespace {

// Time spent while the window was moved, resized or inactive is not run as frames:
// 10 ms after the event and 510 ms after the last measurement, only 10 ms are left once the
// window is moved, resized or activated; deactivation keeps the time.
TEST(MainWindowEventsTest, ActivationMovesAndResizesRestartTheTiming) {
    for (const int event : {0, 1, 2}) {
        VirtualClock clock;
        FrameTiming timing;
        testing::GameFolder files;
        testing::RecordingCompositor compositor;
        EngineState state(files, nullptr, compositor);
        MainWindowEvents events(state, clock, timing);
        timing.resynchronise(clock.milliseconds());
        clock.sleep(500);
        if (event == 0) {
            events.movedOrResized();
        } else {
            events.activated(event == 1);
        }
        clock.sleep(10);
        timing.advance(clock.milliseconds());
        EXPECT_EQ(timing.accumulated(), event == 2 ? 510u : 10u) << event;
    }
}

// A display whose host asks the program to quit at its 60th pump.
class QuittingDisplay : public HeadlessDisplay {
  public:
    bool pumpEvents(WindowEventHandler& handler) override {
        return ++pumps_ < 60 && HeadlessDisplay::pumpEvents(handler);
    }

  private:
    int pumps_ = 0;
};

TEST_F(EngineTest, AQuitFromTheHostEndsTheLoopNormally) {
    // 17 pumps per first frame, 16 per later one: the 60th pump comes before frame 4.
    QuittingDisplay display;
    Engine engine(host(display), scripts_, EngineOptions{100, 1u});
    EXPECT_EQ(engine.run(), kExitNormal);
    EXPECT_EQ(scripts_.passes, 3);
}

TEST_F(EngineTest, AStopRequestedDuringStartUpRunsNoFrame) {
    Engine& engine = makeEngine("", EngineOptions{100, 1u});
    ASSERT_TRUE(engine.startUp());
    engine.state().haltRequested = true;
    engine.runFrameLoop();
    engine.shutDown();
    EXPECT_EQ(scripts_.passes, 0);
    EXPECT_EQ(clock_.milliseconds(), 0u);
}

}  // namespace
}  // namespace tavro
