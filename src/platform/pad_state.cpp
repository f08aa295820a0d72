#include "platform/pad_state.h"

namespace tavro {

void PadState::read(Display& display) {
    PadReading fresh;
    if (!display.readPad(padNumber_, fresh)) {
        return;
    }
    reading_ = fresh;
    if (!centred_) {
        centreX_ = fresh.x;
        centreY_ = fresh.y;
        centred_ = true;
    }
}

void PadState::openPad(Display& display, int32_t padNumber) {
    padNumber_ = padNumber;
    centred_ = false;
    read(display);
}

void PadState::pollPad(Display& display) {
    read(display);
    takenButtons_ &= reading_.buttons;
    for (int32_t input = kPadInputLeft; input <= kPadInputDown; ++input) {
        if (!isPadInputDown(input)) {
            takenDirections_ &= ~(1u << (input - kPadInputLeft));
        }
    }
}

bool PadState::isPadInputDown(int64_t input) const {
    if (!isPadInput(input)) {
        return false;
    }
    switch (input) {
        case kPadInputLeft:
            return reading_.x < centreX_;
        case kPadInputUp:
            return reading_.y < centreY_;
        case kPadInputRight:
            return reading_.x > centreX_;
        case kPadInputDown:
            return reading_.y > centreY_;
        default:
            return (reading_.buttons >> (input - 1)) & 1u;
    }
}

bool PadState::takePadPress(int64_t input) {
    if (!isPadInputDown(input)) {
        return false;
    }
    const bool direction = input >= kPadInputLeft;
    uint32_t& taken = direction ? takenDirections_ : takenButtons_;
    const uint32_t bit = direction ? 1u << (input - kPadInputLeft) : 1u << (input - 1);
    if (taken & bit) {
        return false;
    }
    taken |= bit;
    return true;
}

bool PadState::anyPadInput() const {
    return reading_.buttons != 0 || reading_.x != centreX_ || reading_.y != centreY_;
}

}  // namespace tavro
