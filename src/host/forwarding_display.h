// A display that passes every call to another one: the base of the displays that stand
// between the engine and the real one and change only some of what it does (recording the
// input, keeping a watched game's window open).
#pragma once

#include "host/display.h"

namespace tavro {

class ForwardingDisplay : public Display {
  public:
    explicit ForwardingDisplay(Display& display) : display_(display) {}

    bool createWindow(const char* className) override { return display_.createWindow(className); }
    void destroyWindow() override { display_.destroyWindow(); }
    void moveWindow(int32_t x, int32_t y) override { display_.moveWindow(x, y); }
    void setClientSize(int32_t width, int32_t height) override {
        display_.setClientSize(width, height);
    }
    void setTitle(const char* title) override { display_.setTitle(title); }
    void showWindow(bool visible) override { display_.showWindow(visible); }
    bool setFullScreen(bool fullScreen) override { return display_.setFullScreen(fullScreen); }
    int32_t windowX() override { return display_.windowX(); }
    int32_t windowY() override { return display_.windowY(); }
    bool pumpEvents(WindowEventHandler& handler) override { return display_.pumpEvents(handler); }
    void cursorPosition(int32_t& x, int32_t& y) override { display_.cursorPosition(x, y); }
    bool readPad(int32_t pad, PadReading& reading) override {
        return display_.readPad(pad, reading);
    }
    void frameCompleted() override { display_.frameCompleted(); }

  protected:
    Display& display_;
};

}  // namespace tavro
