#include "shell/main_window_events.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "host/headless/virtual_clock.h"
#include "script/halt.h"

namespace tavro {
namespace {

// Time spent while the window was moved, resized or inactive is not run as frames.
TEST(MainWindowEventsTest, ActivationMovesAndResizesRestartTheTiming) {
    const struct {
        void (*event)(MainWindowEvents&);
        uint32_t accumulatedAfter;  // 10 ms after the event, 500 ms after the last measurement
    } cases[] = {
        {[](MainWindowEvents& e) { e.movedOrResized(); }, 10},
        {[](MainWindowEvents& e) { e.activated(true); }, 10},
        {[](MainWindowEvents& e) { e.activated(false); }, 510},
    };
    for (const auto& c : cases) {
        VirtualClock clock;
        FrameTiming timing;
        MainWindowEvents events(clock, timing);
        timing.resynchronise(clock.milliseconds());
        clock.sleep(500);
        c.event(events);
        clock.sleep(10);
        timing.advance(clock.milliseconds());
        EXPECT_EQ(timing.accumulated(), c.accumulatedAfter);
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
    Engine engine(HostServices{clock_, display, dialogs_}, scripts_, EngineOptions{100, 1u});
    EXPECT_EQ(engine.run(), kExitNormal);
    EXPECT_EQ(scripts_.passes, 3);
}

TEST_F(EngineTest, AStopRequestedDuringStartUpRunsNoFrame) {
    Engine& engine = makeEngine("", EngineOptions{100, 1u});
    ASSERT_TRUE(engine.startUp());
    requestHalt();
    engine.runFrameLoop();
    engine.shutDown();
    EXPECT_EQ(scripts_.passes, 0);
    EXPECT_EQ(clock_.milliseconds(), 0u);
}

}  // namespace
}  // namespace tavro
