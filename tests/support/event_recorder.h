// A window event handler that writes down each event it receives ("down 65", "up 65",
// "activate", "deactivate", "close", "moved"), each after an optional prefix such as the frame.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/display.h"

namespace tavro::testing {

class EventRecorder : public WindowEventHandler {
  public:
    void keyDown(int32_t code) override { note("down " + std::to_string(code)); }
    void keyUp(int32_t code) override { note("up " + std::to_string(code)); }
    void activated(bool active) override { note(active ? "activate" : "deactivate"); }
    void closeRequested() override { note("close"); }
    void movedOrResized() override { note("moved"); }

    std::vector<std::string> log;
    std::function<std::string()> prefix;

  private:
    void note(const std::string& what) { log.push_back(prefix ? prefix() + what : what); }
};

}  // namespace tavro::testing
