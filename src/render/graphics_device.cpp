#include "render/graphics_device.h"

#include "text/messages.h"

namespace tavro {

GraphicsDevice::GraphicsDevice(Compositor& compositor, ErrorSink& log)
    : compositor_(compositor), log_(log) {}

bool GraphicsDevice::create(int32_t width, int32_t height, bool fullScreen) {
    if (ready_) {
        return false;
    }
    const bool sizeFits =
        width >= 1 && height >= 1 && width <= kMaxCompositorSide && height <= kMaxCompositorSide;
    if (!sizeFits || !compositor_.createBackBuffer(width, height)) {
        log_.record(kDeviceLabel, Severity::kError);
        return false;
    }
    width_ = width;
    height_ = height;
    fullScreen_ = fullScreen;
    ready_ = true;
    clearBackBuffer();
    return true;
}

void GraphicsDevice::release() {
    if (ready_) {
        compositor_.releaseBackBuffer();
    }
    ready_ = false;
    width_ = 0;
    height_ = 0;
    clearColour_ = 0;
}

void GraphicsDevice::setSmoothSampling(bool smooth) {
    smoothSampling_ = smooth;
    if (Compositor* target = compositor()) {
        target->setSampling(smooth ? Sampling::kSmooth : Sampling::kPoint);
    }
}

void GraphicsDevice::presentFrame() {
    if (!ready_) {
        return;
    }
    ++presentedFrames_;
    compositor_.present();
}

void GraphicsDevice::clearBackBuffer() {
    if (Compositor* target = compositor()) {
        target->clear(clearColour_);
    }
}

}  // namespace tavro
