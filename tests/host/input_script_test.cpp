#include "host/input_script.h"

#include <gtest/gtest.h>

#include "temporary_folder.h"

namespace tavro {
namespace {

InputEvent event(uint32_t frame, InputEventKind kind) {
    InputEvent e;
    e.frame = frame;
    e.kind = kind;
    return e;
}
InputEvent key(uint32_t frame, InputEventKind kind, int32_t code) {
    InputEvent e = event(frame, kind);
    e.key = code;
    return e;
}
InputEvent mouse(uint32_t frame, int32_t x, int32_t y) {
    InputEvent e = event(frame, InputEventKind::kMouse);
    e.x = x;
    e.y = y;
    return e;
}
InputEvent pad(uint32_t frame, int32_t number, int32_t x, int32_t y, uint32_t buttons) {
    InputEvent e = event(frame, InputEventKind::kPad);
    e.pad = number;
    e.x = x;
    e.y = y;
    e.buttons = buttons;
    return e;
}

TEST(InputScriptTest, ParsesEveryEvent) {
    struct Case {
        std::string line;
        InputEvent expected;
    };
    const Case cases[] = {
        {"1 down 65", key(1, InputEventKind::kKeyDown, 65)},
        {"2 up 0x26", key(2, InputEventKind::kKeyUp, 38)},
        {"3 down 1", key(3, InputEventKind::kKeyDown, 1)},
        {"4 mouse 320 -12", mouse(4, 320, -12)},
        {"5 pad 1 0 65535 0x80000001", pad(5, 1, 0, 65535, 0x80000001u)},
        {"6 deactivate", event(6, InputEventKind::kDeactivate)},
        {"7 activate", event(7, InputEventKind::kActivate)},
        {"4294967295 close", event(4294967295u, InputEventKind::kClose)},
        {"  \t9\tdown   27  # escape, after a tab  ", key(9, InputEventKind::kKeyDown, 27)},
        {"10 down 13\r", key(10, InputEventKind::kKeyDown, 13)},
    };
    for (const Case& c : cases) {
        InputScriptParse parse = parseInputScript(c.line, "in");
        ASSERT_TRUE(parse.ok) << c.line << ": " << parse.error;
        ASSERT_EQ(parse.events.size(), 1u) << c.line;
        EXPECT_EQ(parse.events[0], c.expected) << c.line;
    }
}

TEST(InputScriptTest, SkipsCommentsAndBlankLinesAndKeepsOrder) {
    InputScriptParse parse =
        parseInputScript("# a whole comment line\n\n3 down 65\r\n   \n1 up 65\n# end", "in");
    ASSERT_TRUE(parse.ok) << parse.error;
    std::vector<InputEvent> expected = {key(3, InputEventKind::kKeyDown, 65),
                                        key(1, InputEventKind::kKeyUp, 65)};
    EXPECT_EQ(parse.events, expected);
}

TEST(InputScriptTest, ReportsTheLineOfABadEvent) {
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"1 jump", "in:1: unknown event 'jump'"},
        {"# ok\n1 down 65\nx down 65",
         "in:3: the frame must be a whole number from 1 to "
         "4294967295, not 'x'"},
        {"0 down 65", "in:1: the frame must be a whole number from 1 to 4294967295, not '0'"},
        {"4294967296 close",
         "in:1: the frame must be a whole number from 1 to 4294967295, not "
         "'4294967296'"},
        {"5", "in:1: an event must follow the frame number"},
        {"1 down", "in:1: 'down' takes 1 value(s), not 0"},
        {"1 close now", "in:1: 'close' takes 0 value(s), not 1"},
        {"1 down 256",
         "in:1: the virtual-key code must be a whole number from 0 to 255, not "
         "'256'"},
        {"1 down -1", "in:1: the virtual-key code must be a whole number from 0 to 255, not '-1'"},
        {"1 down 6S", "in:1: the virtual-key code must be a whole number from 0 to 255, not '6S'"},
        {"1 down 0x", "in:1: the virtual-key code must be a whole number from 0 to 255, not '0x'"},
        {"1 mouse 1 y",
         "in:1: the cursor y must be a whole number from -2147483648 to "
         "2147483647, not 'y'"},
        {"1 pad 2 0 0 0", "in:1: the pad must be a whole number from 0 to 1, not '2'"},
        {"1 pad 0 65536 0 0",
         "in:1: the pad x must be a whole number from 0 to 65535, not "
         "'65536'"},
        {"1 pad 0 0 0 -1",
         "in:1: the button mask must be a whole number from 0 to 4294967295, "
         "not '-1'"},
        {"1 DOWN 65", "in:1: unknown event 'DOWN'"},
    };
    for (const Case& c : cases) {
        InputScriptParse parse = parseInputScript(c.text, "in");
        EXPECT_FALSE(parse.ok) << c.text;
        EXPECT_EQ(parse.error, c.error);
        EXPECT_TRUE(parse.events.empty()) << c.text;
    }
}

TEST(InputScriptTest, ReadsAFileAndNamesItInErrors) {
    TemporaryFolder folder;
    folder.writeFile("good.txt", "2 down 32\n");
    folder.writeFile("bad.txt", "2 down 32\n3 hop\n");
    InputScriptParse good = readInputScript(folder.at("good.txt"));
    ASSERT_TRUE(good.ok) << good.error;
    EXPECT_EQ(good.events.size(), 1u);
    EXPECT_EQ(readInputScript(folder.at("bad.txt")).error,
              folder.at("bad.txt") + ":2: unknown event 'hop'");
    EXPECT_EQ(readInputScript(folder.at("none.txt")).error,
              folder.at("none.txt") + ": cannot read the input file");
}

// Records each event with the number of the frame it arrived before.
class RecordingHandler : public WindowEventHandler {
  public:
    explicit RecordingHandler(const ScriptedInput& input) : input_(input) {}
    void keyDown(int32_t code) override { note("down " + std::to_string(code)); }
    void keyUp(int32_t code) override { note("up " + std::to_string(code)); }
    void activated(bool active) override { note(active ? "activate" : "deactivate"); }
    void closeRequested() override { note("close"); }
    void movedOrResized() override { note("moved"); }

    std::vector<std::string> log;

  private:
    void note(const std::string& what) {
        log.push_back(std::to_string(input_.framesCompleted() + 1) + ": " + what);
    }
    const ScriptedInput& input_;
};

TEST(ScriptedInputTest, DeliversEachEventOnceBeforeItsFrame) {
    InputScriptParse parse = parseInputScript(
        "3 up 65\n1 down 65\n3 down 66\n2 deactivate\n2 activate\n6 close\n5 down 1\n", "in");
    ASSERT_TRUE(parse.ok) << parse.error;
    ScriptedInput input(parse.events);
    RecordingHandler handler(input);
    for (int frame = 1; frame <= 6; ++frame) {
        for (int pump = 0; pump < 17; ++pump) {  // the loop pumps every millisecond
            input.deliverPending(handler);
        }
        input.frameCompleted();
    }
    std::vector<std::string> expected = {"1: down 65", "2: deactivate", "2: activate", "3: up 65",
                                         "3: down 66", "5: down 1",     "6: close"};
    EXPECT_EQ(handler.log, expected);
}

TEST(ScriptedInputTest, EventsForPassedFramesStillArriveInOrder) {
    ScriptedInput input(
        {key(1, InputEventKind::kKeyDown, 10), key(2, InputEventKind::kKeyDown, 20)});
    RecordingHandler handler(input);
    input.frameCompleted();
    input.frameCompleted();
    input.deliverPending(handler);
    EXPECT_EQ(handler.log, (std::vector<std::string>{"3: down 10", "3: down 20"}));
}

TEST(ScriptedInputTest, KeepsTheCursorAndPadReadingsTheEventsLeave) {
    ScriptedInput input(
        {mouse(1, 10, 20), pad(2, 1, 100, 200, 5), mouse(3, -1, 7), pad(3, 1, 300, 400, 0)});
    RecordingHandler handler(input);
    int32_t x = -5, y = -5;
    PadReading reading;

    input.cursorPosition(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    input.deliverPending(handler);
    input.cursorPosition(x, y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
    EXPECT_FALSE(input.readPad(1, reading));

    input.frameCompleted();
    input.deliverPending(handler);
    ASSERT_TRUE(input.readPad(1, reading));
    EXPECT_EQ(reading.x, 100u);
    EXPECT_EQ(reading.y, 200u);
    EXPECT_EQ(reading.buttons, 5u);
    EXPECT_FALSE(input.readPad(0, reading));
    EXPECT_FALSE(input.readPad(2, reading));
    EXPECT_FALSE(input.readPad(-1, reading));

    input.frameCompleted();
    input.deliverPending(handler);
    input.cursorPosition(x, y);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, 7);
    ASSERT_TRUE(input.readPad(1, reading));
    EXPECT_EQ(reading.x, 300u);
    EXPECT_EQ(reading.buttons, 0u);
    EXPECT_TRUE(handler.log.empty());  // cursor and pads are read, not sent
}

}  // namespace
}  // namespace tavro
