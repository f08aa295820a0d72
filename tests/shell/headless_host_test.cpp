#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/headless/headless_display.h"
#include "support/event_recorder.h"
#include "text/messages.h"

namespace tavro {
namespace {

// The games runaway_yes, runaway_no and fail_* show what the headless dialogs print.
TEST(HeadlessDisplayTest, PlaysTheScriptedInputByFrameAndKeepsStateAfterShutDown) {
    InputScriptParse script =
        parseInputScript("1 down 65\n2 pad 0 1 2 3\n2 up 65\n4 close\n", "in");
    ASSERT_TRUE(script.ok) << script.error;
    HeadlessDisplay display{ScriptedInput(script.events)};
    testing::EventRecorder events;
    EXPECT_TRUE(display.createWindow("Tavro"));
    EXPECT_FALSE(display.createWindow("Tavro"));  // one window only
    display.moveWindow(30, 40);
    display.setClientSize(640, 480);
    display.setTitle("Default_Title");
    PadReading reading;
    for (int frame = 1; frame <= 4; ++frame) {
        display.pumpEvents(events);
        display.pumpEvents(events);
        EXPECT_EQ(display.readPad(0, reading), frame > 1) << frame;
        display.frameCompleted();
    }
    // The geometry change is reported once.
    EXPECT_EQ(events.log, (std::vector<std::string>{"moved", "down 65", "up 65", "close"}));
    EXPECT_EQ(reading.buttons, 3u);

    display.destroyWindow();
    EXPECT_EQ(display.title(), "Default_Title");  // kept for inspection after shut-down
    display.moveWindow(1, 2);
    display.pumpEvents(events);
    EXPECT_EQ(events.log.size(), 4u) << "no window, no event";
    EXPECT_TRUE(display.createWindow("Tavro"));
}

}  // namespace
}  // namespace tavro
