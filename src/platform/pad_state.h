// PadState: one joystick as the scripts see it. Input numbers: 1..31 the buttons, 32 left,
// 33 up, 34 right, 35 down (any deflection from the centre: the pad's first reading, at
// start-up or, for a pad plugged in later, when it first answers); 0 and every number
// outside 1..35 are never held.
#pragma once

#include <cstdint>

#include "host/display.h"

namespace tavro {

inline constexpr int32_t kPadInputLeft = 32;
inline constexpr int32_t kPadInputUp = 33;
inline constexpr int32_t kPadInputRight = 34;
inline constexpr int32_t kPadInputDown = 35;
inline constexpr int32_t kPadInputCount = 36;
inline constexpr int32_t kPadCount = 2;

class PadState {
  public:
    // Reads the pad once and takes that position as its centre for the rest of the run; an
    // absent pad takes its centre from its first successful reading instead.
    void openPad(Display& display, int32_t padNumber);
    // Once per frame: a new reading (the last one stays when the pad is absent), and the
    // once-per-press marks of inputs that are no longer held are cleared.
    void pollPad(Display& display);

    bool isPadInputDown(int64_t input) const;
    // True once per press of a button or direction, like KeyState::takeKeyPress.
    bool takePadPress(int64_t input);
    bool anyPadInput() const;

    const PadReading& reading() const { return reading_; }

  private:
    static bool isPadInput(int64_t input) { return input > 0 && input < kPadInputCount; }
    void read(Display& display);

    PadReading reading_;
    int32_t padNumber_ = 0;
    uint32_t centreX_ = 0;
    uint32_t centreY_ = 0;
    bool centred_ = false;  // the centre has been read
    uint32_t takenButtons_ = 0;
    uint32_t takenDirections_ = 0;
};

}  // namespace tavro
