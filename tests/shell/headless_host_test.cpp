#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/virtual_clock.h"
#include "text/messages.h"

namespace tavro {
namespace {

TEST(VirtualClockTest, SleepAdvancesTimeByExactlyTheTimeSlept) {
    VirtualClock clock;
    EXPECT_EQ(clock.milliseconds(), 0u);
    EXPECT_EQ(clock.milliseconds(), 0u);  // reading does not move time
    clock.sleep(1);
    EXPECT_EQ(clock.milliseconds(), 1u);
    clock.sleep(16);
    EXPECT_EQ(clock.milliseconds(), 17u);
    clock.sleep(UINT32_MAX);  // wraps at 2^32
    EXPECT_EQ(clock.milliseconds(), 16u);
}

std::string readAll(std::FILE* file) {
    std::rewind(file);
    std::string text;
    char buffer[256];
    while (size_t count = std::fread(buffer, 1, sizeof buffer, file)) {
        text.append(buffer, count);
    }
    return text;
}

TEST(HeadlessDialogsTest, PrintsUtf8AndAnswersAsChosen) {
    const std::string kReport = "report";
    // "creating the window failed." in UTF-8
    const std::string kWindowFailedUtf8 =
        "\xe3\x82\xa6\xe3\x82\xa3\xe3\x83\xb3\xe3\x83\x89\xe3\x82\xa6\xe3\x81\xae\xe4\xbd\x9c\xe6"
        "\x88\x90\xe3\x81\xab\xe5\xa4\xb1\xe6\x95\x97\xe3\x81\x97\xe3\x81\xbe\xe3\x81\x97\xe3\x81"
        "\x9f\xe3\x80\x82";
    struct Case {
        bool answerYes;
        std::string expectedOutput;
    };
    const Case cases[] = {
        {true, "[report] " + kWindowFailedUtf8 + "\n[report] stop? [yes/no] yes\n"},
        {false, "[report] " + kWindowFailedUtf8 + "\n[report] stop? [yes/no] no\n"},
    };
    for (const Case& c : cases) {
        std::FILE* output = std::tmpfile();
        ASSERT_NE(output, nullptr);
        HeadlessDialogs dialogs(c.answerYes, output);
        dialogs.showMessage(kReport.c_str(), kWindowCreationFailedMessage);
        EXPECT_EQ(dialogs.askYesNo(kReport.c_str(), "stop?"), c.answerYes);
        EXPECT_EQ(readAll(output), c.expectedOutput);
        std::fclose(output);
    }
}

class EventLog : public WindowEventHandler {
  public:
    void keyDown(int32_t code) override { log.push_back("down " + std::to_string(code)); }
    void keyUp(int32_t code) override { log.push_back("up " + std::to_string(code)); }
    void activated(bool active) override { log.push_back(active ? "activate" : "deactivate"); }
    void closeRequested() override { log.push_back("close"); }
    void movedOrResized() override { log.push_back("moved"); }

    std::vector<std::string> log;
};

TEST(HeadlessDisplayTest, RecordsWindowStateAndReportsGeometryChangesOnce) {
    HeadlessDisplay display;
    EventLog events;
    EXPECT_TRUE(display.createWindow("Tavro"));
    EXPECT_FALSE(display.createWindow("Tavro"));  // one window only
    display.moveWindow(30, 40);
    display.setClientSize(640, 480);
    display.setTitle("Default_Title");
    display.showWindow(true);
    EXPECT_EQ(display.className(), "Tavro");
    EXPECT_EQ(display.windowX(), 30);
    EXPECT_EQ(display.windowY(), 40);
    EXPECT_EQ(display.clientWidth(), 640);
    EXPECT_EQ(display.clientHeight(), 480);
    EXPECT_EQ(display.title(), "Default_Title");
    EXPECT_TRUE(display.visible());

    EXPECT_TRUE(display.pumpEvents(events));
    EXPECT_TRUE(display.pumpEvents(events));
    EXPECT_EQ(events.log, std::vector<std::string>{"moved"});

    display.destroyWindow();
    EXPECT_FALSE(display.windowExists());
    EXPECT_EQ(display.title(), "Default_Title");  // kept for inspection after shut-down
    display.moveWindow(1, 2);
    EXPECT_TRUE(display.pumpEvents(events));
    EXPECT_EQ(events.log, std::vector<std::string>{"moved"});  // no window, no event
    EXPECT_TRUE(display.createWindow("Tavro"));
}

TEST(HeadlessDisplayTest, PlaysTheScriptedInputByFrame) {
    InputScriptParse script = parseInputScript(
        "1 down 65\n1 mouse 5 6\n2 pad 0 1 2 3\n2 up 65\n3 deactivate\n4 close\n", "in");
    ASSERT_TRUE(script.ok) << script.error;
    HeadlessDisplay display{ScriptedInput(script.events)};
    EventLog events;
    std::vector<std::string> seenBeforeFrame[5];
    for (int frame = 1; frame <= 4; ++frame) {
        display.pumpEvents(events);
        display.pumpEvents(events);
        seenBeforeFrame[frame] = events.log;
        if (frame == 1) {
            int32_t x = 0, y = 0;
            display.cursorPosition(x, y);
            EXPECT_EQ(x, 5);
            EXPECT_EQ(y, 6);
            PadReading reading;
            EXPECT_FALSE(display.readPad(0, reading));
        }
        display.frameCompleted();
    }
    EXPECT_EQ(seenBeforeFrame[1], std::vector<std::string>{"down 65"});
    EXPECT_EQ(seenBeforeFrame[2], (std::vector<std::string>{"down 65", "up 65"}));
    EXPECT_EQ(seenBeforeFrame[4],
              (std::vector<std::string>{"down 65", "up 65", "deactivate", "close"}));
    PadReading reading;
    ASSERT_TRUE(display.readPad(0, reading));
    EXPECT_EQ(reading.buttons, 3u);
    EXPECT_EQ(display.framesCompleted(), 4u);
}

}  // namespace
}  // namespace tavro
