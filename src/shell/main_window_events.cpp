#include "shell/main_window_events.h"

namespace tavro {

void MainWindowEvents::keyDown(int32_t virtualKey) {
    state_.controls.keyDown(virtualKey, state_.keys);
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
