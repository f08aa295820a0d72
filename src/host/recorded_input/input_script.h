// Scripted input for the headless host. One event a line, "FRAME EVENT ARGS", '#' starting a
// comment:
//   down VK | up VK          virtual-key code 0..255 (1 and 2 are the mouse buttons)
//   mouse X Y                cursor position in client pixels
//   pad P X Y BUTTONS        joystick P (0 or 1) reads X, Y (0..65535) and the button mask
//   deactivate | activate | close
// Numbers are decimal or 0x-prefixed hexadecimal. Events listed for frame N are delivered
// before frame N runs; frames count from 1. Events of frame 0 are there from the start: its
// cursor and pad readings are what start-up reads (a pad's centre), its other events arrive
// before frame 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/display.h"

namespace tavro {

enum class InputEventKind { kKeyDown, kKeyUp, kMouse, kPad, kDeactivate, kActivate, kClose };

struct InputEvent {
    uint32_t frame = 1;
    InputEventKind kind = InputEventKind::kKeyDown;
    int32_t key = 0;       // kKeyDown, kKeyUp
    int32_t x = 0;         // kMouse, kPad
    int32_t y = 0;         // kMouse, kPad
    int32_t pad = 0;       // kPad
    uint32_t buttons = 0;  // kPad

    friend bool operator==(const InputEvent&, const InputEvent&) = default;
};

struct InputScriptParse {
    bool ok = false;
    std::vector<InputEvent> events;  // in the order written
    std::string error;               // "SOURCE:LINE: what is wrong", set when not ok
};

// Parses a script's text; sourceName prefixes error messages.
InputScriptParse parseInputScript(std::string_view text, std::string_view sourceName);
// Reads and parses a script file.
InputScriptParse readInputScript(const std::string& path);
// One event as a script line, without the line feed; parsing it gives the event back.
std::string formatInputEvent(const InputEvent& event);

// Plays a parsed script to a window event handler frame by frame, and keeps what the
// events leave behind: the cursor position and the pads' readings.
class ScriptedInput {
  public:
    explicit ScriptedInput(std::vector<InputEvent> events = {});

    // Delivers every event not yet delivered whose frame is at most the next frame to run.
    void deliverPending(WindowEventHandler& handler);
    // Counts a frame as run.
    void frameCompleted() { ++framesCompleted_; }
    uint32_t framesCompleted() const { return framesCompleted_; }

    void cursorPosition(int32_t& x, int32_t& y) const;
    // The last reading of the pad's events; false before its first event.
    bool readPad(int32_t pad, PadReading& reading) const;

  private:
    void takeReading(const InputEvent& event);

    std::vector<InputEvent> events_;  // sorted by frame, written order kept within a frame
    size_t nextEvent_ = 0;
    uint32_t framesCompleted_ = 0;
    int32_t cursorX_ = 0;
    int32_t cursorY_ = 0;
    bool padSeen_[2] = {false, false};
    PadReading pads_[2];
};

}  // namespace tavro
