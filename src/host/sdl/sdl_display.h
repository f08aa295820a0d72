// The real window through SDL: one resizable-by-code top-level window whose events are turned
// into the Windows-style events the engine expects, and the two joysticks.
#pragma once

#include "host/display.h"

struct SDL_Window;
struct _SDL_Joystick;

namespace tavro {

class SdlDisplay : public Display {
  public:
    SdlDisplay();
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    // Creates the window hidden; className becomes the application name the desktop sees.
    bool createWindow(const char* className) override;
    void destroyWindow() override;
    // x, y is the outer top-left corner, frame included.
    void moveWindow(int32_t x, int32_t y) override;
    void setClientSize(int32_t width, int32_t height) override;
    void setTitle(const char* title) override;
    void showWindow(bool visible) override;
    int32_t windowX() override;
    int32_t windowY() override;
    bool pumpEvents(WindowEventHandler& handler) override;
    void cursorPosition(int32_t& x, int32_t& y) override;
    bool readPad(int32_t pad, PadReading& reading) override;
    void frameCompleted() override {}

    // For the renderer, which draws into this window.
    SDL_Window* window() const { return window_; }

  private:
    void frameBorders(int32_t& left, int32_t& top) const;
    void outerPosition(int32_t& x, int32_t& y) const;
    void handleKey(WindowEventHandler& handler, bool down, int32_t keycode, uint16_t modifiers);

    SDL_Window* window_ = nullptr;
    bool videoStarted_ = false;
    bool joysticksStarted_ = false;
    _SDL_Joystick* pads_[2] = {nullptr, nullptr};
};

}  // namespace tavro
