#include "platform/player_controls.h"

namespace tavro {

void PlayerControls::keyDown(int32_t code, KeyState& keys) {
    if (code <= 0 || code >= kKeyCodeCount || keysDown_.test(static_cast<size_t>(code))) {
        return;
    }
    keysDown_.set(static_cast<size_t>(code));
    hold(settings_.keyTargets[static_cast<size_t>(code)], keys);
}

void PlayerControls::keyUp(int32_t code, KeyState& keys) {
    if (code <= 0 || code >= kKeyCodeCount || !keysDown_.test(static_cast<size_t>(code))) {
        return;
    }
    keysDown_.reset(static_cast<size_t>(code));
    letGo(settings_.keyTargets[static_cast<size_t>(code)], keys);
}

void PlayerControls::padRead(const PadState& pad, bool driving, KeyState& keys) {
    for (int32_t input = 1; input < kPadInputCount; ++input) {
        const int32_t key = settings_.padKeys[static_cast<size_t>(input)];
        const bool down = driving && key != 0 && pad.isPadInputDown(input);
        if (down == padInputsDown_.test(static_cast<size_t>(input))) {
            continue;
        }
        padInputsDown_.set(static_cast<size_t>(input), down);
        if (down) {
            hold(key, keys);
        } else {
            letGo(key, keys);
        }
    }
}

bool PlayerControls::padDrivesKeys(bool gameReadsPads) const {
    switch (settings_.padToKeys) {
        case PadToKeys::kAlways:
            return true;
        case PadToKeys::kNever:
            return false;
        case PadToKeys::kWhenGameReadsNoPad:
            break;
    }
    return !gameReadsPads;
}

void PlayerControls::hold(int32_t key, KeyState& keys) {
    if (holders_[static_cast<size_t>(key)]++ == 0) {
        keys.pressKey(key);
    }
}

void PlayerControls::letGo(int32_t key, KeyState& keys) {
    uint16_t& holders = holders_[static_cast<size_t>(key)];
    if (holders > 0 && --holders == 0) {
        keys.releaseKey(key);
    }
}

}  // namespace tavro
