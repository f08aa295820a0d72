// The pads through SDL's virtual joysticks, without a video subsystem.
#include "host/sdl/sdl_pads.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "host/sdl/sdl_display.h"
#include "platform/pad_state.h"

namespace tavro {
namespace {

class SdlPadsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0); }
    void TearDown() override {
        for (SDL_Joystick* handle : handles_) {
            SDL_JoystickClose(handle);
        }
        while (SDL_NumJoysticks() > 0) {
            SDL_JoystickDetachVirtual(0);
        }
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    // Plugs in a virtual pad and returns the handle its state is set through.
    SDL_Joystick* plugIn(SDL_JoystickType type, int axes, int buttons) {
        const int index = SDL_JoystickAttachVirtual(type, axes, buttons, 0);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* handle = SDL_JoystickOpen(index);
        EXPECT_NE(handle, nullptr) << SDL_GetError();
        handles_.push_back(handle);
        return handle;
    }

    std::vector<SDL_Joystick*> handles_;
};

struct PadCase {
    int axisX, axisY;
    std::initializer_list<int> down;
    PadReading expected;
};

void expectReadings(SdlPads& pads, SDL_Joystick* handle, int buttonCount,
                    std::initializer_list<PadCase> cases) {
    for (const PadCase& c : cases) {
        SDL_JoystickSetVirtualAxis(handle, 0, static_cast<int16_t>(c.axisX));
        SDL_JoystickSetVirtualAxis(handle, 1, static_cast<int16_t>(c.axisY));
        for (int button = 0; button < buttonCount; ++button) {
            SDL_JoystickSetVirtualButton(handle, button, 0);
        }
        for (int button : c.down) {
            SDL_JoystickSetVirtualButton(handle, button, 1);
        }
        PadReading reading;
        ASSERT_TRUE(pads.read(0, reading));
        EXPECT_EQ(reading.x, c.expected.x) << c.axisX << "," << c.axisY;
        EXPECT_EQ(reading.y, c.expected.y) << c.axisX << "," << c.axisY;
        EXPECT_EQ(reading.buttons, c.expected.buttons) << c.axisX << "," << c.axisY;
    }
}

TEST_F(SdlPadsTest, AMappedPadNumbersItsButtonsLikeCommonPadsAndItsDpadMovesTheStick) {
    SDL_Joystick* handle = plugIn(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                  SDL_CONTROLLER_BUTTON_MAX);
    ASSERT_TRUE(SDL_IsGameController(0)) << "SDL maps its virtual game controllers";
    SdlPads pads;
    using B = SDL_GameControllerButton;
    expectReadings(pads, handle, SDL_CONTROLLER_BUTTON_MAX,
                   {
                       {0, 0, {}, {32768, 32768, 0}},
                       {kPadDeadBand, -kPadDeadBand, {}, {32768, 32768, 0}},  // resting noise
                       {-20000, 32767, {}, {12768, 65535, 0}},
                       {0, 0, {B::SDL_CONTROLLER_BUTTON_A}, {32768, 32768, 1u << 0}},
                       {0,
                        0,
                        {B::SDL_CONTROLLER_BUTTON_Y, B::SDL_CONTROLLER_BUTTON_LEFTSHOULDER},
                        {32768, 32768, 1u << 3 | 1u << 4}},
                       {0,
                        0,
                        {B::SDL_CONTROLLER_BUTTON_BACK, B::SDL_CONTROLLER_BUTTON_START},
                        {32768, 32768, 1u << 6 | 1u << 7}},
                       {0,
                        0,
                        {B::SDL_CONTROLLER_BUTTON_B, B::SDL_CONTROLLER_BUTTON_X,
                         B::SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, B::SDL_CONTROLLER_BUTTON_LEFTSTICK,
                         B::SDL_CONTROLLER_BUTTON_RIGHTSTICK, B::SDL_CONTROLLER_BUTTON_GUIDE},
                        {32768, 32768, 1u << 1 | 1u << 2 | 1u << 5 | 1u << 8 | 1u << 9}},
                       {0,
                        0,
                        {B::SDL_CONTROLLER_BUTTON_DPAD_LEFT, B::SDL_CONTROLLER_BUTTON_DPAD_UP},
                        {0, 0, 0}},
                       {0, 0, {B::SDL_CONTROLLER_BUTTON_DPAD_DOWN}, {32768, 65535, 0}},
                       {0,
                        0,
                        {B::SDL_CONTROLLER_BUTTON_DPAD_LEFT, B::SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
                        {32768, 32768, 0}},
                       // the stick, held, wins over the D-pad
                       {20000, 0, {B::SDL_CONTROLLER_BUTTON_DPAD_LEFT}, {52768, 32768, 0}},
                   });
}

TEST_F(SdlPadsTest, AnUnmappedPadReadsItsRawAxesAndButtons) {
    SDL_Joystick* handle = plugIn(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 12);
    ASSERT_FALSE(SDL_IsGameController(0));
    SdlPads pads;
    expectReadings(pads, handle, 12,
                   {
                       {1000, -1000, {}, {32768, 32768, 0}},
                       {-32768, 32767, {0, 11}, {0, 65535, 1u << 0 | 1u << 11}},
                   });
}

// Start-up finds no pad; one plugged in later, resting, reads centred, then pushed, right.
TEST_F(SdlPadsTest, APadPluggedInAfterStartUpIsCentredWhereItRests) {
    SdlDisplay display;
    PadState pad;
    pad.openPad(display, 0);
    SDL_Joystick* handle = plugIn(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                  SDL_CONTROLLER_BUTTON_MAX);
    SDL_JoystickSetVirtualAxis(handle, 0, 3000);  // noise
    pad.pollPad(display);
    EXPECT_EQ(pad.reading().x, 32768u);
    EXPECT_FALSE(pad.anyPadInput());
    SDL_JoystickSetVirtualAxis(handle, 0, 30000);
    pad.pollPad(display);
    EXPECT_TRUE(pad.isPadInputDown(kPadInputRight));
    EXPECT_FALSE(pad.isPadInputDown(kPadInputDown));
}

}  // namespace
}  // namespace tavro
