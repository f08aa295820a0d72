#include "host/recorded_input/input_script.h"

#include <gtest/gtest.h>

#include "support/event_recorder.h"
#include "support/temporary_folder.h"

namespace tavro {
namespace {

using Kind = InputEventKind;

InputEvent ev(uint32_t frame, Kind kind, int32_t key = 0, int32_t x = 0, int32_t y = 0,
              int32_t pad = 0, uint32_t buttons = 0) {
    return InputEvent{frame, kind, key, x, y, pad, buttons};
}

TEST(InputScriptTest, ParsesEventsInWrittenOrder) {
    InputScriptParse parse = parseInputScript(
        "# a comment line\n\n3 up 0x26\r\n   \n1 down 65\n4 mouse 320 -12\n"
        "5 pad 1 0 65535 0x80000001\n6 deactivate\n4294967295 close\n"
        "  \t9\tdown   27  # escape, after a tab  ",
        "in");
    ASSERT_TRUE(parse.ok) << parse.error;
    const std::vector<InputEvent> expected = {
        ev(3, Kind::kKeyUp, 38),          ev(1, Kind::kKeyDown, 65),
        ev(4, Kind::kMouse, 0, 320, -12), ev(5, Kind::kPad, 0, 0, 65535, 1, 0x80000001u),
        ev(6, Kind::kDeactivate),         ev(4294967295u, Kind::kClose),
        ev(9, Kind::kKeyDown, 27)};
    EXPECT_EQ(parse.events, expected);
}

// What --record writes reads back as the same events.
TEST(InputScriptTest, FormattedEventsParseBackUnchanged) {
    const InputEvent events[] = {ev(0, Kind::kPad, 0, 65535, 0, 1, 0xFFFFFFFFu),
                                 ev(1, Kind::kKeyDown, 255),
                                 ev(2, Kind::kKeyUp, 1),
                                 ev(3, Kind::kMouse, 0, -2147483647 - 1, 2147483647),
                                 ev(4, Kind::kDeactivate),
                                 ev(5, Kind::kActivate),
                                 ev(4294967295u, Kind::kClose)};
    std::string text;
    for (const InputEvent& event : events) {
        text += formatInputEvent(event) + "\n";
    }
    EXPECT_EQ(formatInputEvent(events[0]), "0 pad 1 65535 0 4294967295");
    InputScriptParse parse = parseInputScript(text, "recorded");
    ASSERT_TRUE(parse.ok) << parse.error;
    EXPECT_EQ(parse.events, std::vector<InputEvent>(std::begin(events), std::end(events)));
}

TEST(InputScriptTest, ReportsTheLineOfABadEvent) {
    const std::string frame = "the frame must be a whole number from 0 to 4294967295, not ";
    const std::string keyCode = "the virtual-key code must be a whole number from 0 to 255, not ";
    const std::pair<std::string, std::string> cases[] = {
        {"1 DOWN 65", "in:1: unknown event 'DOWN'"},
        {"# ok\n1 down 65\n-1 down 65", "in:3: " + frame + "'-1'"},
        {"4294967296 close", "in:1: " + frame + "'4294967296'"},
        {"5", "in:1: an event must follow the frame number"},
        {"1 down", "in:1: 'down' takes 1 value(s), not 0"},
        {"1 down 256", "in:1: " + keyCode + "'256'"},
        {"1 mouse 1 y",
         "in:1: the cursor y must be a whole number from -2147483648 to 2147483647, not 'y'"},
        {"1 pad 0 65536 0 0",
         "in:1: the pad x must be a whole number from 0 to 65535, not '65536'"},
    };
    for (const auto& [text, error] : cases) {
        InputScriptParse parse = parseInputScript(text, "in");
        EXPECT_FALSE(parse.ok) << text;
        EXPECT_EQ(parse.error, error);
        EXPECT_TRUE(parse.events.empty()) << text;
    }
}

TEST(InputScriptTest, ReadsAFileAndNamesItInErrors) {
    TemporaryFolder folder;
    folder.writeFile("bad.txt", "2 down 32\n3 hop\n");
    EXPECT_EQ(readInputScript(folder.at("bad.txt")).error,
              folder.at("bad.txt") + ":2: unknown event 'hop'");
    EXPECT_EQ(readInputScript(folder.at("none.txt")).error,
              folder.at("none.txt") + ": cannot read the input file");
}

// Records each event with the number of the frame it arrived before.
testing::EventRecorder recorderFor(const ScriptedInput& input) {
    testing::EventRecorder recorder;
    recorder.prefix = [&input] { return std::to_string(input.framesCompleted() + 1) + ": "; };
    return recorder;
}

TEST(ScriptedInputTest, DeliversEachEventOnceBeforeItsFrame) {
    InputScriptParse parse = parseInputScript(
        "3 up 65\n1 down 65\n3 down 66\n2 deactivate\n2 activate\n6 close\n", "in");
    ASSERT_TRUE(parse.ok) << parse.error;
    ScriptedInput input(parse.events);
    testing::EventRecorder handler = recorderFor(input);
    for (int frame = 1; frame <= 6; ++frame) {
        for (int pump = 0; pump < 17; ++pump) {  // the loop pumps every millisecond
            input.deliverPending(handler);
        }
        input.frameCompleted();
    }
    EXPECT_EQ(handler.log, (std::vector<std::string>{"1: down 65", "2: deactivate", "2: activate",
                                                     "3: up 65", "3: down 66", "6: close"}));

    // Events for frames already passed still arrive, in order.
    ScriptedInput late({ev(1, Kind::kKeyDown, 10), ev(2, Kind::kKeyDown, 20)});
    testing::EventRecorder lateHandler = recorderFor(late);
    late.frameCompleted();
    late.frameCompleted();
    late.deliverPending(lateHandler);
    EXPECT_EQ(lateHandler.log, (std::vector<std::string>{"3: down 10", "3: down 20"}));
}

TEST(ScriptedInputTest, KeepsTheCursorAndPadReadingsTheEventsLeave) {
    ScriptedInput input({ev(1, Kind::kMouse, 0, 10, -20), ev(2, Kind::kPad, 0, 100, 200, 1, 5)});
    testing::EventRecorder handler = recorderFor(input);
    int32_t x = -5, y = -5;
    PadReading pad;
    input.cursorPosition(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(0, 0));
    input.deliverPending(handler);
    input.cursorPosition(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(10, -20));
    EXPECT_FALSE(input.readPad(1, pad)) << "no reading before the pad's event";
    input.frameCompleted();
    input.deliverPending(handler);
    ASSERT_TRUE(input.readPad(1, pad));
    EXPECT_EQ(std::vector<uint32_t>({pad.x, pad.y, pad.buttons}),
              std::vector<uint32_t>({100, 200, 5}));
    EXPECT_FALSE(input.readPad(0, pad));
    EXPECT_FALSE(input.readPad(2, pad));
    EXPECT_FALSE(input.readPad(-1, pad));
    EXPECT_TRUE(handler.log.empty());  // cursor and pads are read, not sent
}

// Frame 0's readings hold before anything is pumped, so start-up opens the pads on them; its
// other events arrive with frame 1's, and no reading is taken twice.
TEST(ScriptedInputTest, FrameZeroReadingsHoldFromTheStart) {
    ScriptedInput input({ev(1, Kind::kPad, 0, 0, 0, 0, 0), ev(0, Kind::kKeyDown, 65),
                         ev(0, Kind::kPad, 0, 32768, 32768, 0, 1), ev(0, Kind::kMouse, 0, 4, 5)});
    PadReading pad;
    ASSERT_TRUE(input.readPad(0, pad));
    EXPECT_EQ(std::vector<uint32_t>({pad.x, pad.y, pad.buttons}),
              std::vector<uint32_t>({32768, 32768, 1}));
    int32_t x = 0, y = 0;
    input.cursorPosition(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(4, 5));
    testing::EventRecorder handler = recorderFor(input);
    input.deliverPending(handler);
    EXPECT_EQ(handler.log, (std::vector<std::string>{"1: down 65"}));
    ASSERT_TRUE(input.readPad(0, pad));
    EXPECT_EQ(pad.x, 0u) << "frame 1's reading follows";
}

}  // namespace
}  // namespace tavro
