// PlayerControls: what the player's own settings do to the keys a game sees. Remapped keys
// press their target instead of themselves, and pad 1 can drive keys (a keyboard game played
// with a pad). A key is held while any of its sources holds it, so a pad button and the key
// it stands for can be pressed together and the key goes up only when both are released;
// held, once-per-press and "any input" tests then see it exactly as a keyboard press.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "platform/key_state.h"
#include "platform/pad_state.h"

namespace tavro {

// When pad 1 drives keys: only for a game whose scripts test no pad, always, or never.
enum class PadToKeys { kWhenGameReadsNoPad, kAlways, kNever };

struct ControlSettings {
    // The key each key code presses; a code maps to itself unless remapped.
    std::array<uint8_t, kKeyCodeCount> keyTargets;
    // The key each pad input of pad 1 presses (0: none), by input number.
    std::array<uint8_t, kPadInputCount> padKeys;
    PadToKeys padToKeys = PadToKeys::kWhenGameReadsNoPad;

    // No key remapped; the pad's D-pad and left stick press the arrow keys, A Z, B X, X C,
    // Y V, the shoulders Shift and Control, Back Escape and Start Enter.
    constexpr ControlSettings() : keyTargets{}, padKeys{} {
        for (size_t code = 0; code < keyTargets.size(); ++code) {
            keyTargets[code] = static_cast<uint8_t>(code);
        }
        constexpr uint8_t kShift = 16, kControl = 17, kEscape = 27, kEnter = 13;
        constexpr uint8_t kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
        constexpr uint8_t kButtonKeys[] = {'Z', 'X', 'C', 'V', kShift, kControl, kEscape, kEnter};
        for (size_t button = 0; button < std::size(kButtonKeys); ++button) {
            padKeys[button + 1] = kButtonKeys[button];
        }
        padKeys[kPadInputLeft] = kLeft;
        padKeys[kPadInputUp] = kUp;
        padKeys[kPadInputRight] = kRight;
        padKeys[kPadInputDown] = kDown;
    }
};

class PlayerControls {
  public:
    explicit PlayerControls(const ControlSettings& settings = {}) : settings_(settings) {}

    // A key (or mouse button) going down or up, as the window reports it.
    void keyDown(int32_t code, KeyState& keys);
    void keyUp(int32_t code, KeyState& keys);
    // Pad 1 after its frame's reading: its held inputs hold their keys. With `driving`
    // false every key the pad holds is let go.
    void padRead(const PadState& pad, bool driving, KeyState& keys);
    // Whether pad 1 drives keys, given whether the game's scripts test a pad.
    bool padDrivesKeys(bool gameReadsPads) const;

  private:
    void hold(int32_t key, KeyState& keys);
    void letGo(int32_t key, KeyState& keys);

    ControlSettings settings_;
    std::bitset<kKeyCodeCount> keysDown_;            // the keys the window reports down
    std::bitset<kPadInputCount> padInputsDown_;      // the pad inputs holding their keys
    std::array<uint16_t, kKeyCodeCount> holders_{};  // how many sources hold each key
};

}  // namespace tavro
