// The main window and its events, as the engine sees them.
#pragma once

#include <cstdint>

namespace tavro {

// Receives the window's events while the display pumps them.
class WindowEventHandler {
  public:
    virtual ~WindowEventHandler() = default;
    virtual void keyDown(int32_t virtualKey) = 0;  // 1 and 2 are the mouse buttons
    virtual void keyUp(int32_t virtualKey) = 0;
    virtual void activated(bool active) = 0;
    virtual void closeRequested() = 0;
    virtual void movedOrResized() = 0;
};

struct PadReading {
    uint32_t x = 0;  // 0..65535
    uint32_t y = 0;
    uint32_t buttons = 0;
};

class Display {
  public:
    virtual ~Display() = default;
    virtual bool createWindow(const char* className) = 0;
    virtual void destroyWindow() = 0;
    virtual void moveWindow(int32_t x, int32_t y) = 0;
    virtual void setClientSize(int32_t width, int32_t height) = 0;
    virtual void setTitle(const char* title) = 0;  // Shift-JIS
    virtual void showWindow(bool visible) = 0;
    // Desktop full screen, the frame scaled to fit and letterboxed, or back to a window;
    // false when the mode cannot be entered.
    virtual bool setFullScreen(bool fullScreen) = 0;
    virtual int32_t windowX() = 0;
    virtual int32_t windowY() = 0;
    // Delivers pending events to the handler; false when the host asks the program to quit.
    virtual bool pumpEvents(WindowEventHandler& handler) = 0;
    // Cursor position in back-buffer pixels (client-area pixels in a window).
    virtual void cursorPosition(int32_t& x, int32_t& y) = 0;
    // Reads joystick 0 or 1; false when absent.
    virtual bool readPad(int32_t pad, PadReading& reading) = 0;
    // Called by the frame loop after each frame has run (scripted input counts frames).
    virtual void frameCompleted() = 0;
};

}  // namespace tavro
