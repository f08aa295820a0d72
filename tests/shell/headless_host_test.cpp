#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "text/messages.h"

namespace tavro {
namespace {

TEST(HeadlessDialogsTest, PrintsUtf8AndAnswersAsChosen) {
    // "creating the window failed." in UTF-8
    const std::string kWindowFailedUtf8 =
        "\xe3\x82\xa6\xe3\x82\xa3\xe3\x83\xb3\xe3\x83\x89\xe3\x82\xa6\xe3\x81\xae\xe4\xbd\x9c\xe6"
        "\x88\x90\xe3\x81\xab\xe5\xa4\xb1\xe6\x95\x97\xe3\x81\x97\xe3\x81\xbe\xe3\x81\x97\xe3\x81"
        "\x9f\xe3\x80\x82";
    for (bool answerYes : {true, false}) {
        std::FILE* output = std::tmpfile();
        ASSERT_NE(output, nullptr);
        HeadlessDialogs dialogs(answerYes, output);
        dialogs.showMessage("report", kWindowCreationFailedMessage);
        EXPECT_EQ(dialogs.askYesNo("report", "stop?"), answerYes);
        std::rewind(output);
        char buffer[256] = {};
        EXPECT_EQ(std::string(buffer, std::fread(buffer, 1, sizeof buffer, output)),
                  "[report] " + kWindowFailedUtf8 + "\n[report] stop? [yes/no] " +
                      (answerYes ? "yes\n" : "no\n"));
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

TEST(HeadlessDisplayTest, PlaysTheScriptedInputByFrameAndKeepsStateAfterShutDown) {
    InputScriptParse script =
        parseInputScript("1 down 65\n2 pad 0 1 2 3\n2 up 65\n4 close\n", "in");
    ASSERT_TRUE(script.ok) << script.error;
    HeadlessDisplay display{ScriptedInput(script.events)};
    EventLog events;
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
