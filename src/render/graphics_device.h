// GraphicsDevice: the back buffer the frame is drawn into, its clear colour and its texture
// sampling, over the host's compositor. Every per-frame call on an absent device does nothing.
#pragma once

#include <cstdint>

#include "host/compositor.h"
#include "text/error_report.h"

namespace tavro {

class GraphicsDevice {
  public:
    GraphicsDevice(Compositor& compositor, ErrorSink& log);
    GraphicsDevice(const GraphicsDevice&) = delete;
    GraphicsDevice& operator=(const GraphicsDevice&) = delete;

    // False, nothing logged, when a device exists. A size the compositor cannot hold (a side
    // below 1 or above kMaxCompositorSide) logs "D3DDevice" and leaves no device.
    bool create(int32_t width, int32_t height, bool fullScreen);
    // Zeroes the size and the clear colour. Release the textures first.
    void release();
    bool ready() const { return ready_; }
    bool fullScreen() const { return fullScreen_; }
    int32_t backBufferWidth() const { return width_; }
    int32_t backBufferHeight() const { return height_; }
    // The compositor to draw and load textures with; null when no device exists.
    Compositor* compositor() const { return ready_ ? &compositor_ : nullptr; }

    void beginFrame() {}
    // Smooth filtering with anti-aliasing, otherwise point sampling with clamped addresses.
    void setSmoothSampling(bool smooth);
    bool smoothSampling() const { return smoothSampling_; }
    void endFrame() {}
    void presentFrame();
    void clearBackBuffer();
    // 0xAARRGGBB; takes effect at the next clearBackBuffer.
    void setClearColour(uint32_t colour) { clearColour_ = colour; }
    uint32_t clearColour() const { return clearColour_; }
    uint64_t presentedFrames() const { return presentedFrames_; }

  private:
    Compositor& compositor_;
    ErrorSink& log_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool fullScreen_ = false;
    bool ready_ = false;
    bool smoothSampling_ = false;
    uint32_t clearColour_ = 0;
    uint64_t presentedFrames_ = 0;
};

}  // namespace tavro
