// Recording a session's input: a display that passes everything through to the real one and
// writes what the engine received from it as an input script (see input_script.h) with the
// frame numbers at which the engine saw it, so the session replays headless. Key, button,
// activation and close events are written as they arrive; the cursor and the pads as their
// readings change. Readings taken before the frame loop (the pads' centres) are frame 0's.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>

#include "host/forwarding_display.h"
#include "host/recorded_input/input_script.h"

namespace tavro {

class InputRecorder : public ForwardingDisplay {
  public:
    InputRecorder(Display& display, std::ostream& out) : ForwardingDisplay(display), out_(out) {}

    // The comment line naming the random seed the session ran with.
    void writeSeed(uint32_t seed);
    // The closing comment line: how many frames ran (a replay of a session that was ended by
    // a frame limit needs the same limit).
    void writeEnd();

    bool pumpEvents(WindowEventHandler& handler) override;
    void cursorPosition(int32_t& x, int32_t& y) override;
    bool readPad(int32_t pad, PadReading& reading) override;
    void frameCompleted() override;

  private:
    // Passes each event on to the engine's handler and records it.
    class Relay : public WindowEventHandler {
      public:
        Relay(InputRecorder& recorder, WindowEventHandler& handler)
            : recorder_(recorder), handler_(handler) {}
        void keyDown(int32_t virtualKey) override;
        void keyUp(int32_t virtualKey) override;
        void activated(bool active) override;
        void closeRequested() override;
        void movedOrResized() override { handler_.movedOrResized(); }

      private:
        InputRecorder& recorder_;
        WindowEventHandler& handler_;
    };

    // The frame that will see what arrives now.
    uint32_t frame() const { return looping_ ? framesCompleted_ + 1 : 0; }
    void write(InputEvent event);

    std::ostream& out_;
    bool looping_ = false;  // the frame loop has pumped events
    uint32_t framesCompleted_ = 0;
    std::optional<InputEvent> lastCursor_;
    std::optional<InputEvent> lastPads_[2];
};

}  // namespace tavro
