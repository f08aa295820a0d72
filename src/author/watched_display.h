// The window of a watched game: the real display, kept open from one run of the game to the
// next (a run's shut-down does not destroy it, the next start-up neither makes another nor
// moves it back from where the player put it), with the files looked at while the events are
// pumped. A good change ends the run as if the host asked it to quit, and is told apart from the
// player's own end.
#pragma once

#include <functional>

#include "host/clock.h"
#include "host/forwarding_display.h"

namespace tavro {

// How often the game's files are looked at, in milliseconds of the session's clock.
inline constexpr uint32_t kWatchInterval = 100;

class WatchedDisplay : public ForwardingDisplay {
  public:
    // goodChange is asked every kWatchInterval milliseconds whether the game changed and
    // checks without error.
    WatchedDisplay(Display& display, Clock& clock, std::function<bool()> goodChange)
        : ForwardingDisplay(display), clock_(clock), goodChange_(std::move(goodChange)) {}

    // Before each run: no restart asked for yet.
    void beginRun() { restart_ = false; }
    bool restartRequested() const { return restart_; }
    // F4, the window closed, or the host asked to quit.
    bool playerEnded() const { return playerEnded_; }
    // The end of the session: the window goes.
    void closeWindow();

    bool createWindow(const char* className) override;
    void destroyWindow() override {}
    void moveWindow(int32_t x, int32_t y) override;
    bool pumpEvents(WindowEventHandler& handler) override;

  private:
    Clock& clock_;
    std::function<bool()> goodChange_;
    uint32_t lastLook_ = 0;
    bool windowMade_ = false;
    bool placed_ = false;
    bool restart_ = false;
    bool playerEnded_ = false;
};

}  // namespace tavro
