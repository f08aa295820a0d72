#include "platform/key_state.h"

namespace tavro {

void KeyState::onInputMessage(uint32_t message, int64_t wParam) {
    switch (message) {
        case kMessageKeyDown:
            pressKey(wParam);
            break;
        case kMessageKeyUp:
            releaseKey(wParam);
            break;
        case kMessageLeftButtonDown:
            pressKey(kLeftButtonCode);
            break;
        case kMessageLeftButtonUp:
            releaseKey(kLeftButtonCode);
            break;
        case kMessageRightButtonDown:
            pressKey(kRightButtonCode);
            break;
        case kMessageRightButtonUp:
            releaseKey(kRightButtonCode);
            break;
        default:
            break;
    }
}

void KeyState::pressKey(int64_t code) {
    if (isKeyCode(code)) {
        held_.set(static_cast<size_t>(code));
    }
}

void KeyState::releaseKey(int64_t code) {
    if (isKeyCode(code)) {
        held_.reset(static_cast<size_t>(code));
        taken_.reset(static_cast<size_t>(code));
    }
}

bool KeyState::isKeyDown(int64_t code) const {
    return isKeyCode(code) && held_.test(static_cast<size_t>(code));
}

bool KeyState::takeKeyPress(int64_t code) {
    if (!isKeyDown(code) || taken_.test(static_cast<size_t>(code))) {
        return false;
    }
    taken_.set(static_cast<size_t>(code));
    return true;
}

bool KeyState::anyKeyDown() const {
    return held_.any();
}

void KeyState::releaseAllKeys() {
    held_.reset();
    taken_.reset();
}

}  // namespace tavro
