#include "host/recorded_input/input_recorder.h"

namespace tavro {

void InputRecorder::writeSeed(uint32_t seed) {
    out_ << "# seed " << seed << "\n";
}

void InputRecorder::writeEnd() {
    out_ << "# " << framesCompleted_ << " frames ran\n";
}

void InputRecorder::write(InputEvent event) {
    event.frame = frame();
    out_ << formatInputEvent(event) << "\n";
}

bool InputRecorder::pumpEvents(WindowEventHandler& handler) {
    looping_ = true;
    Relay relay(*this, handler);
    return display_.pumpEvents(relay);
}

void InputRecorder::cursorPosition(int32_t& x, int32_t& y) {
    display_.cursorPosition(x, y);
    InputEvent cursor{.kind = InputEventKind::kMouse, .x = x, .y = y};
    if (!lastCursor_ || lastCursor_->x != x || lastCursor_->y != y) {
        write(cursor);
        lastCursor_ = cursor;
    }
}

bool InputRecorder::readPad(int32_t pad, PadReading& reading) {
    if (!display_.readPad(pad, reading)) {
        return false;
    }
    if (pad == 0 || pad == 1) {
        InputEvent event{.kind = InputEventKind::kPad,
                         .x = static_cast<int32_t>(reading.x),
                         .y = static_cast<int32_t>(reading.y),
                         .pad = pad,
                         .buttons = reading.buttons};
        std::optional<InputEvent>& last = lastPads_[pad];
        if (!last || last->x != event.x || last->y != event.y || last->buttons != event.buttons) {
            write(event);
            last = event;
        }
    }
    return true;
}

void InputRecorder::frameCompleted() {
    ++framesCompleted_;
    display_.frameCompleted();
}

void InputRecorder::Relay::keyDown(int32_t virtualKey) {
    recorder_.write({.kind = InputEventKind::kKeyDown, .key = virtualKey});
    handler_.keyDown(virtualKey);
}

void InputRecorder::Relay::keyUp(int32_t virtualKey) {
    recorder_.write({.kind = InputEventKind::kKeyUp, .key = virtualKey});
    handler_.keyUp(virtualKey);
}

void InputRecorder::Relay::activated(bool active) {
    recorder_.write({.kind = active ? InputEventKind::kActivate : InputEventKind::kDeactivate});
    handler_.activated(active);
}

void InputRecorder::Relay::closeRequested() {
    recorder_.write({.kind = InputEventKind::kClose});
    handler_.closeRequested();
}

}  // namespace tavro
