#include "host/headless/headless_display.h"
#include "host/headless/stop_signals.h"

namespace tavro {

HeadlessDisplay::HeadlessDisplay(ScriptedInput input, HeadlessFaults* faults)
    : input_(std::move(input)), faults_(faults) {}

bool HeadlessDisplay::createWindow(const char* className) {
    if (exists_ || (faults_ != nullptr && faults_->failAttempt(HeadlessStep::kWindow))) {
        return false;
    }
    exists_ = true;
    className_ = className != nullptr ? className : "";
    return true;
}

void HeadlessDisplay::destroyWindow() {
    exists_ = false;
    geometryChanged_ = false;
}

void HeadlessDisplay::moveWindow(int32_t x, int32_t y) {
    x_ = x;
    y_ = y;
    geometryChanged_ = exists_;
}

void HeadlessDisplay::setClientSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    geometryChanged_ = exists_;
}

void HeadlessDisplay::setTitle(const char* title) {
    title_ = title != nullptr ? title : "";
}

void HeadlessDisplay::showWindow(bool visible) {
    visible_ = visible;
}

bool HeadlessDisplay::setFullScreen(bool fullScreen) {
    if (fullScreen && faults_ != nullptr && faults_->failAttempt(HeadlessStep::kFullScreen)) {
        return false;
    }
    fullScreen_ = fullScreen;
    return true;
}

bool HeadlessDisplay::pumpEvents(WindowEventHandler& handler) {
    if (geometryChanged_) {
        geometryChanged_ = false;
        handler.movedOrResized();
    }
    input_.deliverPending(handler);
    if (!closeSent_ && stopSignalCaught()) {
        closeSent_ = true;
        handler.closeRequested();
    }
    return true;
}

}  // namespace tavro
