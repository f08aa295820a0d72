// MainWindowEvents: what the main window's events do to the engine. Keys and mouse buttons
// go to the key table, a close request sets haltRequested (the window stays until
// shut-down), and activation, moves and resizes restart the frame timing so that time spent
// in them does not run as missed frames. Scripts run only while the window is active.
// Keys pass through the player's controls (remapped keys) on their way to the table.
#pragma once

#include <array>
#include <cstdint>

#include "host/clock.h"
#include "host/display.h"
#include "script/engine_state.h"
#include "shell/frame_timing.h"

namespace tavro {

class MainWindowEvents : public WindowEventHandler {
  public:
    MainWindowEvents(EngineState& state, Clock& clock, FrameTiming& timing)
        : state_(state), clock_(clock), timing_(timing) {}

    void keyDown(int32_t virtualKey) override;
    void keyUp(int32_t virtualKey) override;
    void activated(bool active) override;
    void closeRequested() override;
    void movedOrResized() override;

    // Active from the window's creation until it is deactivated.
    bool active() const { return active_; }
    // Whether the key went down since this was last asked, even if it is up again: Tavro's
    // own keys act on a tap shorter than a frame.
    bool takePress(int32_t virtualKey);

  private:
    EngineState& state_;
    Clock& clock_;
    FrameTiming& timing_;
    bool active_ = true;
    std::array<bool, 256> pressed_{};
};

}  // namespace tavro
