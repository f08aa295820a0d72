#include "author/watched_display.h"

#include "shell/engine.h"

namespace tavro {

namespace {

// Passes the events on, noting the ones with which the player ends the session.
class PlayerEnds : public WindowEventHandler {
  public:
    PlayerEnds(WindowEventHandler& handler, bool& ended) : handler_(handler), ended_(ended) {}
    void keyDown(int32_t virtualKey) override {
        ended_ = ended_ || virtualKey == kEndKey;
        handler_.keyDown(virtualKey);
    }
    void keyUp(int32_t virtualKey) override { handler_.keyUp(virtualKey); }
    void activated(bool active) override { handler_.activated(active); }
    void closeRequested() override {
        ended_ = true;
        handler_.closeRequested();
    }
    void movedOrResized() override { handler_.movedOrResized(); }

  private:
    WindowEventHandler& handler_;
    bool& ended_;
};

}  // namespace

void WatchedDisplay::closeWindow() {
    if (windowMade_) {
        display_.destroyWindow();
        windowMade_ = false;
    }
}

bool WatchedDisplay::createWindow(const char* className) {
    windowMade_ = windowMade_ || display_.createWindow(className);
    return windowMade_;
}

void WatchedDisplay::moveWindow(int32_t x, int32_t y) {
    if (!placed_) {
        display_.moveWindow(x, y);
        placed_ = true;
    }
}

bool WatchedDisplay::pumpEvents(WindowEventHandler& handler) {
    PlayerEnds noting(handler, playerEnded_);
    if (!display_.pumpEvents(noting)) {
        playerEnded_ = true;
        return false;
    }
    const uint32_t now = clock_.milliseconds();
    if (now - lastLook_ >= kWatchInterval) {
        lastLook_ = now;
        if (!playerEnded_ && goodChange_()) {
            restart_ = true;
            return false;
        }
    }
    return true;
}

}  // namespace tavro
