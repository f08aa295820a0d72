#include "host/sdl/sdl_pads.h"

#include <SDL.h>

#include <iterator>

namespace tavro {
namespace {

constexpr uint32_t kCentre = 32768;  // SDL axes are signed, pad readings are not
constexpr uint32_t kAxisEnd = 65535;

// The mapped buttons in the order of the pad's button numbers, from 1.
constexpr SDL_GameControllerButton kButtonOrder[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
};

uint32_t axisPosition(int16_t value) {
    if (value >= -kPadDeadBand && value <= kPadDeadBand) {
        return kCentre;
    }
    return static_cast<uint32_t>(int32_t{value} + static_cast<int32_t>(kCentre));
}

// The D-pad's position on one axis: the low end, the high end, or none when neither or both
// of its buttons are down.
bool dpadPosition(SDL_GameController* controller, SDL_GameControllerButton low,
                  SDL_GameControllerButton high, uint32_t& position) {
    const bool lowDown = SDL_GameControllerGetButton(controller, low) != 0;
    const bool highDown = SDL_GameControllerGetButton(controller, high) != 0;
    if (lowDown == highDown) {
        return false;
    }
    position = lowDown ? 0 : kAxisEnd;
    return true;
}

}  // namespace

SdlPads::~SdlPads() {
    for (Pad& pad : pads_) {
        close(pad);
    }
    if (started_) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

void SdlPads::close(Pad& pad) {
    if (pad.controller != nullptr) {
        SDL_GameControllerClose(pad.controller);  // closes its joystick too
    } else if (pad.joystick != nullptr) {
        SDL_JoystickClose(pad.joystick);
    }
    pad = Pad{};
}

bool SdlPads::open(int32_t index, Pad& pad) {
    if (index >= SDL_NumJoysticks()) {
        return false;
    }
    if (SDL_IsGameController(index)) {
        pad.controller = SDL_GameControllerOpen(index);
        pad.joystick =
            pad.controller != nullptr ? SDL_GameControllerGetJoystick(pad.controller) : nullptr;
    }
    if (pad.joystick == nullptr) {
        pad.controller = nullptr;
        pad.joystick = SDL_JoystickOpen(index);
    }
    return pad.joystick != nullptr;
}

bool SdlPads::read(int32_t pad, PadReading& reading) {
    if (pad < 0 || pad > 1) {
        return false;
    }
    if (!started_) {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
            return false;
        }
        started_ = true;
    }
    SDL_JoystickUpdate();  // also notices pads plugged in or out
    Pad& opened = pads_[pad];
    if (opened.joystick != nullptr && !SDL_JoystickGetAttached(opened.joystick)) {
        close(opened);
    }
    if (opened.joystick == nullptr && !open(pad, opened)) {
        return false;
    }
    if (opened.controller != nullptr) {
        readController(opened.controller, reading);
    } else {
        readJoystick(opened.joystick, reading);
    }
    return true;
}

void SdlPads::readController(SDL_GameController* controller, PadReading& reading) {
    reading.x = axisPosition(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX));
    reading.y = axisPosition(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
    if (reading.x == kCentre && reading.y == kCentre) {
        dpadPosition(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                     reading.x);
        dpadPosition(controller, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                     reading.y);
    }
    reading.buttons = 0;
    for (uint32_t bit = 0; bit < std::size(kButtonOrder); ++bit) {
        if (SDL_GameControllerGetButton(controller, kButtonOrder[bit]) != 0) {
            reading.buttons |= 1u << bit;
        }
    }
}

void SdlPads::readJoystick(SDL_Joystick* joystick, PadReading& reading) {
    reading.x = axisPosition(SDL_JoystickGetAxis(joystick, 0));
    reading.y = axisPosition(SDL_JoystickGetAxis(joystick, 1));
    reading.buttons = 0;
    const int buttons = SDL_JoystickNumButtons(joystick);
    for (int button = 0; button < buttons && button < 32; ++button) {
        if (SDL_JoystickGetButton(joystick, button) != 0) {
            reading.buttons |= 1u << button;
        }
    }
}

}  // namespace tavro
