// The two joysticks through SDL, read as pads: X and Y in 0..65535 with the centre at 32768,
// and a button mask. A pad SDL knows a game-controller mapping for reads as common pads
// numbered their buttons (A 1, B 2, X 3, Y 4, left shoulder 5, right shoulder 6, back 7,
// start 8, left stick 9, right stick 10), with the left stick as X and Y and the D-pad driving
// them to their ends while the stick rests; any other pad reads its raw first two axes and
// buttons. A stick inside a small band around its rest reads exactly centred, so the noise
// of a resting stick never reads as a held direction.
#pragma once

#include <cstdint>

#include "host/display.h"

struct _SDL_Joystick;
struct _SDL_GameController;

namespace tavro {

// How far from rest (of 32768 each way) an axis reads as centred.
inline constexpr int32_t kPadDeadBand = 8000;

class SdlPads {
  public:
    SdlPads() = default;
    ~SdlPads();
    SdlPads(const SdlPads&) = delete;
    SdlPads& operator=(const SdlPads&) = delete;

    // Reads pad 0 or 1 (SDL's joystick of that index, opened on first use and again after it
    // was unplugged); false when it is absent.
    bool read(int32_t pad, PadReading& reading);

  private:
    struct Pad {
        _SDL_Joystick* joystick = nullptr;          // always, while open
        _SDL_GameController* controller = nullptr;  // when SDL has a mapping for it
    };

    bool open(int32_t index, Pad& pad);
    static void close(Pad& pad);
    static void readController(_SDL_GameController* controller, PadReading& reading);
    static void readJoystick(_SDL_Joystick* joystick, PadReading& reading);

    bool started_ = false;
    Pad pads_[2];
};

}  // namespace tavro
