// The real window through SDL: one top-level window whose events are turned into the
// Windows-style events the engine expects, and the two joysticks. The player may resize the
// window; the frame is scaled to fit it and letterboxed, and the cursor position the engine
// reads stays in frame pixels.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "host/compositor.h"
#include "host/display.h"
#include "host/sdl/frame_layout.h"
#include "host/sdl/sdl_frame_presenter.h"
#include "host/sdl/sdl_pads.h"

struct SDL_Window;

namespace tavro {

// How the player wants the window shown.
struct WindowScaling {
    // The window opens at this many times the game's size, held to the largest whole factor
    // that fits the display's usable area; 0: that largest factor.
    int32_t factor = 0;
    FrameScaling frame = FrameScaling::kFit;
};

// Also the compositor's frame sink: composed frames are shown in the window while it exists.
class SdlDisplay : public Display, public FrameSink {
  public:
    explicit SdlDisplay(WindowScaling scaling = {});
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    // Creates the window hidden and resizable; className becomes the application name the
    // desktop sees.
    bool createWindow(const char* className) override;
    void destroyWindow() override;
    // x, y is the outer top-left corner, frame included.
    void moveWindow(int32_t x, int32_t y) override;
    // The window becomes the scaling factor times the size (see WindowScaling).
    void setClientSize(int32_t width, int32_t height) override;
    void setTitle(const char* title) override;
    // Showing moves a window that lies outside every display onto the primary one.
    void showWindow(bool visible) override;
    bool setFullScreen(bool fullScreen) override;
    int32_t windowX() override;
    int32_t windowY() override;
    bool pumpEvents(WindowEventHandler& handler) override;
    void cursorPosition(int32_t& x, int32_t& y) override;
    bool readPad(int32_t pad, PadReading& reading) override;
    void frameCompleted() override {}

    void showFrame(const uint32_t* pixels, int32_t width, int32_t height, int32_t stride) override;
    // Screenshots of the window itself: each frame is read back as the window shows it; the
    // last one stays readable after the window is gone.
    void keepShownFrames();
    bool readShownFrame(std::vector<uint32_t>& pixels, int32_t& width, int32_t& height) const;
    // The Print Screen key runs the action instead of reaching the engine as a key.
    void onPrintScreen(std::function<void()> action) { printScreen_ = std::move(action); }

  private:
    void frameBorders(int32_t& left, int32_t& top) const;
    void outerPosition(int32_t& x, int32_t& y) const;
    // As the window shows, and once shown: a window off every display moves to the primary
    // one, and one grown past the game's size moves back inside its display's usable area.
    void keepOnDisplays();
    int32_t windowFactor(int32_t width, int32_t height);
    void handleKey(WindowEventHandler& handler, bool down, int32_t keycode, uint16_t modifiers);

    WindowScaling scaling_;
    int32_t gameWidth_ = 0;  // the client size the engine asked for, unscaled
    int32_t gameHeight_ = 0;
    SDL_Window* window_ = nullptr;
    std::unique_ptr<SdlFramePresenter> presenter_;  // while the window exists
    bool keepShown_ = false;
    std::vector<uint32_t> lastShown_;
    int32_t lastShownWidth_ = 0;
    int32_t lastShownHeight_ = 0;
    bool videoStarted_ = false;
    bool toldScaleHeld_ = false;
    SdlPads pads_;
    std::function<void()> printScreen_;
};

}  // namespace tavro
