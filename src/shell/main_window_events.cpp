#include "shell/main_window_events.h"

#include <utility>

namespace tavro {

void MainWindowEvents::keyDown(int32_t virtualKey) {
    state_.controls.keyDown(virtualKey, state_.keys);
    if (virtualKey >= 0 && virtualKey < static_cast<int32_t>(pressed_.size())) {
        pressed_[static_cast<size_t>(virtualKey)] = true;
    }
}

bool MainWindowEvents::takePress(int32_t virtualKey) {
    if (virtualKey < 0 || virtualKey >= static_cast<int32_t>(pressed_.size())) {
        return false;
    }
    return std::exchange(pressed_[static_cast<size_t>(virtualKey)], false);
}

void MainWindowEvents::keyUp(int32_t virtualKey) {
    state_.controls.keyUp(virtualKey, state_.keys);
}

void MainWindowEvents::activated(bool active) {
    active_ = active;
    if (active) {
        timing_.resynchronise(clock_.milliseconds());
    }
}

void MainWindowEvents::closeRequested() {
    state_.haltRequested = true;
}

void MainWindowEvents::movedOrResized() {
    timing_.resynchronise(clock_.milliseconds());
}

}  // namespace tavro
