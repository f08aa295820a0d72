// Key table, joystick state and key names: what "ifkey(", "ifstamp(" and "ifinput(" see.
#include <gtest/gtest.h>

#include <vector>

#include "platform/key_names.h"
#include "platform/key_state.h"
#include "platform/pad_state.h"

namespace tavro {
namespace {

TEST(KeyState, OncePerPressIsTakenByTheFirstAsk) {
    KeyState keys;
    keys.onInputMessage(kMessageKeyDown, 65);
    EXPECT_TRUE(keys.isKeyDown(65));
    EXPECT_TRUE(keys.takeKeyPress(65));
    EXPECT_FALSE(keys.takeKeyPress(65));
    keys.onInputMessage(kMessageKeyDown, 65);  // a repeat changes nothing
    EXPECT_FALSE(keys.takeKeyPress(65));
    keys.onInputMessage(kMessageKeyUp, 65);
    EXPECT_FALSE(keys.isKeyDown(65));
    keys.onInputMessage(kMessageKeyDown, 65);
    EXPECT_TRUE(keys.takeKeyPress(65));
}

TEST(KeyState, AskingWhileUpMarksNothing) {
    KeyState keys;
    EXPECT_FALSE(keys.takeKeyPress(66));
    keys.pressKey(66);
    EXPECT_TRUE(keys.takeKeyPress(66));
}

TEST(KeyState, MouseButtonsAreKeysOneAndTwo) {
    KeyState keys;
    keys.onInputMessage(kMessageLeftButtonDown, 0);
    keys.onInputMessage(kMessageRightButtonDown, 0);
    EXPECT_TRUE(keys.isKeyDown(kLeftButtonCode));
    EXPECT_TRUE(keys.takeKeyPress(kRightButtonCode));
    keys.onInputMessage(kMessageRightButtonUp, 0);
    keys.onInputMessage(kMessageRightButtonDown, 0);
    EXPECT_TRUE(keys.takeKeyPress(kRightButtonCode));
    keys.onInputMessage(kMessageLeftButtonUp, 0);
    EXPECT_FALSE(keys.isKeyDown(kLeftButtonCode));
    keys.onInputMessage(0x0104, 65);  // a system-key message is not fed in
    EXPECT_FALSE(keys.isKeyDown(65));
}

TEST(KeyState, CodesOutsideTheTableTestFalseAndStoreNothing) {
    KeyState keys;
    const int64_t outside[] = {0, -1, -62, 256, 257, 1 << 20, INT64_MIN, INT64_MAX};
    for (int64_t code : outside) {
        keys.onInputMessage(kMessageKeyDown, code);
        keys.pressKey(code);
        EXPECT_FALSE(keys.isKeyDown(code)) << code;
        EXPECT_FALSE(keys.takeKeyPress(code)) << code;
    }
    EXPECT_FALSE(keys.anyKeyDown());
    keys.pressKey(255);
    EXPECT_TRUE(keys.anyKeyDown());
    EXPECT_FALSE(keys.isKeyDown(255 - 256));
}

TEST(KeyState, ReleaseAllKeysForgetsHeldKeysUntilPressedAgain) {
    KeyState keys;
    keys.pressKey(32);
    keys.takeKeyPress(32);
    keys.releaseAllKeys();
    EXPECT_FALSE(keys.isKeyDown(32));
    EXPECT_FALSE(keys.anyKeyDown());
    keys.pressKey(32);
    EXPECT_TRUE(keys.takeKeyPress(32));
}

// A display whose only working part is a scripted joystick.
class PadDisplay : public Display {
  public:
    bool createWindow(const char*) override { return true; }
    void destroyWindow() override {}
    void moveWindow(int32_t, int32_t) override {}
    void setClientSize(int32_t, int32_t) override {}
    void setTitle(const char*) override {}
    void showWindow(bool) override {}
    int32_t windowX() override { return 0; }
    int32_t windowY() override { return 0; }
    bool pumpEvents(WindowEventHandler&) override { return true; }
    void cursorPosition(int32_t& x, int32_t& y) override { x = y = 0; }
    bool readPad(int32_t pad, PadReading& out) override {
        lastPad = pad;
        if (present) {
            out = reading;
        }
        return present;
    }
    void frameCompleted() override {}

    bool present = true;
    PadReading reading;
    int32_t lastPad = -1;
};

TEST(PadState, DirectionsAreAnyDeflectionFromTheCentre) {
    PadDisplay display;
    display.reading = {32767, 32767, 0};
    PadState pad;
    pad.openPad(display, 1);
    EXPECT_EQ(display.lastPad, 1);
    EXPECT_FALSE(pad.anyPadInput());

    struct Case {
        uint32_t x, y;
        std::vector<int32_t> held;
    };
    const Case cases[] = {
        {32768, 32767, {kPadInputRight}},
        {32766, 32767, {kPadInputLeft}},
        {32767, 0, {kPadInputUp}},
        {32767, 65535, {kPadInputDown}},
        {0, 65535, {kPadInputLeft, kPadInputDown}},
        {32767, 32767, {}},
    };
    for (const Case& c : cases) {
        display.reading = {c.x, c.y, 0};
        pad.pollPad(display);
        for (int32_t input = 0; input < 40; ++input) {
            const bool expected = std::find(c.held.begin(), c.held.end(), input) != c.held.end();
            EXPECT_EQ(pad.isPadInputDown(input), expected) << c.x << "," << c.y << " " << input;
        }
        EXPECT_EQ(pad.anyPadInput(), !c.held.empty());
    }
}

TEST(PadState, ButtonsAndTheirOncePerPressMarks) {
    PadDisplay display;
    PadState pad;
    pad.openPad(display, 0);
    display.reading.buttons = 1u << 2;  // button 3
    pad.pollPad(display);
    EXPECT_TRUE(pad.isPadInputDown(3));
    EXPECT_FALSE(pad.isPadInputDown(2));
    EXPECT_TRUE(pad.takePadPress(3));
    EXPECT_FALSE(pad.takePadPress(3));
    pad.pollPad(display);  // still held: the mark stays
    EXPECT_FALSE(pad.takePadPress(3));
    display.reading.buttons = 0;
    pad.pollPad(display);
    display.reading.buttons = 1u << 2;
    pad.pollPad(display);
    EXPECT_TRUE(pad.takePadPress(3));

    display.reading.buttons = 0x80000000u;  // bit 31 would be input 32: not a button
    pad.pollPad(display);
    EXPECT_FALSE(pad.isPadInputDown(31));
    EXPECT_TRUE(pad.anyPadInput());
}

TEST(PadState, DirectionMarkClearsAtThePollThatNoLongerFindsIt) {
    PadDisplay display;
    display.reading = {32767, 32767, 0};
    PadState pad;
    pad.openPad(display, 0);
    display.reading.x = 32768;
    pad.pollPad(display);
    EXPECT_TRUE(pad.takePadPress(kPadInputRight));
    EXPECT_FALSE(pad.takePadPress(kPadInputRight));
    display.reading.x = 32767;
    pad.pollPad(display);
    display.reading.x = 40000;
    pad.pollPad(display);
    EXPECT_TRUE(pad.takePadPress(kPadInputRight));
}

TEST(PadState, InputsOutsideOneToThirtyFiveAreNeverHeld) {
    PadDisplay display;
    display.reading = {100, 100, 0xFFFFFFFFu};
    PadState pad;
    pad.openPad(display, 0);
    display.reading = {0, 0, 0xFFFFFFFFu};
    pad.pollPad(display);
    for (int64_t input : {int64_t{0}, int64_t{-1}, int64_t{36}, int64_t{37}, int64_t{-32},
                          int64_t{1} << 40, INT64_MIN}) {
        EXPECT_FALSE(pad.isPadInputDown(input)) << input;
        EXPECT_FALSE(pad.takePadPress(input)) << input;
    }
}

TEST(PadState, AnAbsentPadKeepsItsLastReading) {
    PadDisplay display;
    display.present = false;
    PadState pad;
    pad.openPad(display, 0);  // centre stays (0, 0)
    display.present = true;
    display.reading = {10, 20, 0};
    pad.pollPad(display);
    EXPECT_TRUE(pad.isPadInputDown(kPadInputRight));
    EXPECT_TRUE(pad.isPadInputDown(kPadInputDown));
    display.present = false;
    display.reading = {0, 0, 0};
    pad.pollPad(display);
    EXPECT_EQ(pad.reading().x, 10u);
}

TEST(KeyNames, NamesAndFirstBytesGiveCodes) {
    struct Case {
        const char* name;
        bool hasCode;
        int32_t code;
        const char* input;
    };
    const Case cases[] = {
        {"lbutton", true, 1, ""},
        {"rbutton", true, 2, ""},
        {"tab", true, 9, ""},
        {"enter", true, 13, ""},
        {"shift", true, 16, ""},
        {"control", true, 17, ""},
        {"alt", true, 18, ""},
        {"escape", true, 27, ""},
        {"space", true, 32, ""},
        {"left", true, 37, ""},
        {"up", true, 38, ""},
        {"right", true, 39, ""},
        {"down", true, 40, ""},
        {"A", true, 65, ""},
        {"Z", true, 90, ""},
        {"7", true, 55, ""},
        {"x", true, 120, ""},
        {"b", true, 98, ""},
        {"l", false, 0, ""},
        {"a", false, 0, ""},
        {"spaces", false, 0, ""},
        {"upper", false, 0, ""},
        {"Left", true, 76, ""},
        {"\x82\xa0", true, -126, ""},
        {"pad1.right", true, 4130, ""},
        {"pad2.7", true, 8199, ""},
        {"pad1.left", true, 0x1020, ""},
        {"pad1.up", true, 0x1021, ""},
        {"pad1.upper", true, 0x1021, ""},
        {"pad2.down", true, 0x2023, ""},
        {"pad1.3", true, 0x1003, ""},
        {"pad1.3.7", true, 0x1003, ""},
        {"pad1.n", true, 0x1000, "n"},
        {"pad2.k+1", true, 0x2000, "k+1"},
        {"pad1.", true, 0x1000, ""},
        {"pad3.1", false, 0, ""},
    };
    for (const Case& c : cases) {
        const KeyNameValue value = keyValueForName(c.name);
        EXPECT_EQ(value.hasCode, c.hasCode) << c.name;
        if (c.hasCode) {
            EXPECT_EQ(value.code, c.code) << c.name;
        }
        EXPECT_EQ(value.inputExpression, c.input) << c.name;
    }
}

}  // namespace
}  // namespace tavro
