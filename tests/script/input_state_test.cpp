// Key table, joystick state and key names: what "ifkey(", "ifstamp(" and "ifinput(" see,
// and the player's controls that feed the key table.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "platform/key_names.h"
#include "platform/key_state.h"
#include "platform/pad_state.h"
#include "platform/player_controls.h"

namespace tavro {
namespace {

TEST(KeyState, OncePerPressIsTakenByTheFirstAskAfterAPress) {
    KeyState keys;
    EXPECT_FALSE(keys.takeKeyPress(65));  // asking while up marks nothing
    keys.onInputMessage(kMessageKeyDown, 65);
    EXPECT_TRUE(keys.takeKeyPress(65));
    keys.onInputMessage(kMessageKeyDown, 65);  // a repeat changes nothing
    EXPECT_FALSE(keys.takeKeyPress(65));
    keys.onInputMessage(kMessageKeyUp, 65);
    EXPECT_FALSE(keys.isKeyDown(65));
    keys.onInputMessage(kMessageKeyDown, 65);
    EXPECT_TRUE(keys.takeKeyPress(65));
    keys.onInputMessage(kMessageRightButtonDown, 0);  // mouse buttons are keys 1 and 2
    EXPECT_TRUE(keys.takeKeyPress(kRightButtonCode));
    keys.onInputMessage(0x0104, 66);  // a system-key message is not fed in
    EXPECT_FALSE(keys.isKeyDown(66));
    keys.releaseAllKeys();
    EXPECT_FALSE(keys.anyKeyDown());
    keys.onInputMessage(kMessageRightButtonDown, 0);
    EXPECT_TRUE(keys.takeKeyPress(kRightButtonCode));
    keys.releaseAllKeys();
    // Codes outside the table test false and store nothing.
    for (int64_t code : {int64_t{0}, int64_t{-1}, int64_t{256}, INT64_MIN, INT64_MAX}) {
        keys.onInputMessage(kMessageKeyDown, code);
        keys.pressKey(code);
        EXPECT_FALSE(keys.isKeyDown(code)) << code;
        EXPECT_FALSE(keys.takeKeyPress(code)) << code;
    }
    EXPECT_FALSE(keys.anyKeyDown());
    keys.pressKey(255);
    EXPECT_FALSE(keys.isKeyDown(255 - 256));
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
    bool setFullScreen(bool) override { return true; }
    int32_t windowX() override { return 0; }
    int32_t windowY() override { return 0; }
    bool pumpEvents(WindowEventHandler&) override { return true; }
    void cursorPosition(int32_t& x, int32_t& y) override { x = y = 0; }
    bool readPad(int32_t, PadReading& out) override {
        if (present) {
            out = reading;
        }
        return present;
    }
    void frameCompleted() override {}

    bool present = true;
    PadReading reading{32767, 32767, 0};
};

TEST(PadState, DirectionsAreAnyDeflectionFromTheCentreAndButtonsStopAtThirtyOne) {
    PadDisplay display;
    PadState pad;
    pad.openPad(display, 1);
    const struct {
        PadReading reading;
        uint64_t held;  // bit n: input n
    } cases[] = {
        {{32768, 32767, 0}, 1ull << kPadInputRight},
        {{0, 65535, 0}, 1ull << kPadInputLeft | 1ull << kPadInputDown},
        {{32767, 0, 0}, 1ull << kPadInputUp},
        {{32767, 32767, 0xFFFFFFFFu}, 0xFFFFFFFEull},  // bit 31 would be input 32: not a button
        {{32767, 32767, 0}, 0},
    };
    for (const auto& c : cases) {
        display.reading = c.reading;
        pad.pollPad(display);
        for (int32_t input = 0; input < 40; ++input) {
            EXPECT_EQ(pad.isPadInputDown(input), (c.held >> input & 1) != 0) << input;
        }
        for (int64_t input : {int64_t{-32}, int64_t{1} << 40, INT64_MIN}) {
            EXPECT_FALSE(pad.isPadInputDown(input) || pad.takePadPress(input)) << input;
        }
        EXPECT_EQ(pad.anyPadInput(), c.held != 0);
    }
}

TEST(PadState, OncePerPressMarksClearAtThePollThatNoLongerFindsTheInput) {
    PadDisplay display;
    PadState pad;
    pad.openPad(display, 0);
    for (const PadReading held : {PadReading{32767, 32767, 1u << 2}, PadReading{40000, 32767, 0}}) {
        const int32_t input = held.buttons != 0 ? 3 : kPadInputRight;
        display.reading = held;
        pad.pollPad(display);
        EXPECT_TRUE(pad.takePadPress(input));
        pad.pollPad(display);  // still held: the mark stays
        EXPECT_FALSE(pad.takePadPress(input));
        display.reading = {32767, 32767, 0};
        pad.pollPad(display);
        display.reading = held;
        pad.pollPad(display);
        EXPECT_TRUE(pad.takePadPress(input));
    }
}

// A pad plugged in after start-up is centred where it first reads, not at (0, 0).
TEST(PadState, APadPluggedInLaterTakesItsCentreFromItsFirstReading) {
    PadDisplay display;
    display.present = false;
    PadState pad;
    pad.openPad(display, 0);
    pad.pollPad(display);
    EXPECT_FALSE(pad.anyPadInput());
    display.present = true;
    display.reading = {32768, 32768, 0};
    pad.pollPad(display);
    EXPECT_FALSE(pad.anyPadInput());
    display.reading = {10, 32768, 0};
    pad.pollPad(display);
    EXPECT_TRUE(pad.isPadInputDown(kPadInputLeft));
    display.present = false;  // unplugged: the last reading stays
    pad.pollPad(display);
    EXPECT_EQ(pad.reading().x, 10u);
    EXPECT_TRUE(pad.isPadInputDown(kPadInputLeft));
}

TEST(KeyNames, NamesAndFirstBytesGiveCodes) {
    constexpr int32_t kNone = INT32_MIN;
    const struct {
        const char* name;
        int32_t code;
    } cases[] = {
        {"lbutton", 1},       {"space", 32},     {"b", 98},          {"a", kNone},
        {"spaces", kNone},    {"Left", 76},      {"\x82\xa0", -126}, {"pad1.upper", 0x1021},
        {"pad1.3.7", 0x1003}, {"pad1.", 0x1000}, {"pad3.1", kNone},
    };
    for (const auto& c : cases) {
        const KeyNameValue value = keyValueForName(c.name);
        EXPECT_EQ(value.hasCode, c.code != kNone) << c.name;
        EXPECT_EQ(value.hasCode ? value.code : kNone, c.code) << c.name;
        EXPECT_EQ(value.inputExpression, "") << c.name;
    }
    const KeyNameValue variable = keyValueForName("pad2.k+1");
    EXPECT_EQ(variable.code, 0x2000);
    EXPECT_EQ(variable.inputExpression, "k+1");
}

// The player's controls between the window and the key table: a key held by two sources (a
// remapped key and its target, a pad button and its key) goes up when the last one lets go.
TEST(PlayerControls, AKeyHeldByTwoSourcesGoesUpWithTheLast) {
    ControlSettings settings;
    settings.keyTargets['J'] = 'Z';
    PlayerControls controls(settings);
    KeyState keys;
    PadDisplay display;
    PadState pad;
    pad.openPad(display, 0);

    controls.keyDown('J', keys);
    EXPECT_TRUE(keys.isKeyDown('Z'));
    EXPECT_FALSE(keys.isKeyDown('J'));
    EXPECT_TRUE(keys.takeKeyPress('Z'));
    controls.keyDown('Z', keys);
    controls.keyDown('J', keys);  // a repeat
    EXPECT_FALSE(keys.takeKeyPress('Z'));
    controls.keyUp('J', keys);
    EXPECT_TRUE(keys.isKeyDown('Z'));
    display.reading = {0, 32768, 1};  // pad A and left
    pad.pollPad(display);
    controls.padRead(pad, true, keys);
    controls.keyUp('Z', keys);
    EXPECT_TRUE(keys.isKeyDown('Z'));
    EXPECT_TRUE(keys.isKeyDown(37));
    controls.padRead(pad, false, keys);  // the game turned out to read pads
    EXPECT_FALSE(keys.anyKeyDown());
    controls.keyUp('Z', keys);  // unmatched ups change nothing
    controls.keyUp(0, keys);
    controls.keyDown(256, keys);
    EXPECT_FALSE(keys.anyKeyDown());
}

TEST(PlayerControls, ThePadDrivesKeysAsTheSettingSays) {
    using enum PadToKeys;
    for (const auto& [mode, readsPads, drives] :
         {std::tuple{kWhenGameReadsNoPad, false, true},
          std::tuple{kWhenGameReadsNoPad, true, false}, std::tuple{kAlways, true, true},
          std::tuple{kNever, false, false}}) {
        ControlSettings settings;
        settings.padToKeys = mode;
        EXPECT_EQ(PlayerControls(settings).padDrivesKeys(readsPads), drives);
    }
}

}  // namespace
}  // namespace tavro
