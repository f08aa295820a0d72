#include "shell/main_window_events.h"

#include "platform/key_state.h"
#include "script/halt.h"

namespace tavro {

void MainWindowEvents::keyDown(int32_t virtualKey) {
    keyState().pressKey(virtualKey);
}

void MainWindowEvents::keyUp(int32_t virtualKey) {
    keyState().releaseKey(virtualKey);
}

void MainWindowEvents::activated(bool active) {
    active_ = active;
    if (active) {
        timing_.resynchronise(clock_.milliseconds());
    }
}

void MainWindowEvents::closeRequested() {
    requestHalt();
}

void MainWindowEvents::movedOrResized() {
    timing_.resynchronise(clock_.milliseconds());
}

}  // namespace tavro
