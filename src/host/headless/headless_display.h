// The headless window: window calls only record their state, and the message pump plays the
// scripted input. Frames are counted through frameCompleted, which the frame loop calls after
// every frame period, active or not, so scripted events keep their frame numbers.
#pragma once

#include <string>

#include "host/display.h"
#include "host/headless/headless_faults.h"
#include "host/recorded_input/input_script.h"

namespace tavro {

class HeadlessDisplay : public Display {
  public:
    // faults, when given, can make the window or full screen fail.
    explicit HeadlessDisplay(ScriptedInput input = ScriptedInput(),
                             HeadlessFaults* faults = nullptr);

    bool createWindow(const char* className) override;
    void destroyWindow() override;
    void moveWindow(int32_t x, int32_t y) override;
    void setClientSize(int32_t width, int32_t height) override;
    void setTitle(const char* title) override;
    void showWindow(bool visible) override;
    bool setFullScreen(bool fullScreen) override;
    int32_t windowX() override { return x_; }
    int32_t windowY() override { return y_; }
    // Reports a move or resize made since the last pump, then the scripted events due.
    bool pumpEvents(WindowEventHandler& handler) override;
    void cursorPosition(int32_t& x, int32_t& y) override { input_.cursorPosition(x, y); }
    bool readPad(int32_t pad, PadReading& reading) override { return input_.readPad(pad, reading); }
    void frameCompleted() override { input_.frameCompleted(); }

    // The recorded window state; it outlives the window, so a run can be inspected after
    // shut-down.
    bool windowExists() const { return exists_; }
    const std::string& className() const { return className_; }
    const std::string& title() const { return title_; }  // Shift-JIS
    bool visible() const { return visible_; }
    bool fullScreen() const { return fullScreen_; }
    int32_t clientWidth() const { return width_; }
    int32_t clientHeight() const { return height_; }
    uint32_t framesCompleted() const { return input_.framesCompleted(); }

  private:
    ScriptedInput input_;
    HeadlessFaults* faults_;
    bool exists_ = false;
    bool fullScreen_ = false;
    bool geometryChanged_ = false;
    bool visible_ = false;
    bool closeSent_ = false;  // a stop signal was passed on as a close request
    std::string className_;
    std::string title_;
    int32_t x_ = 0;
    int32_t y_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace tavro
