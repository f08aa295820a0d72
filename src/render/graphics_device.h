// GraphicsDevice: the back buffer the frame is drawn into, its clear colour and its texture
// sampling. For now a stand-in that always succeeds and draws nothing; it counts presented
// frames so the frame loop's skip rule can be observed.
#pragma once

#include <cstdint>

namespace tavro {

class GraphicsDevice {
  public:
    bool create(int32_t width, int32_t height, bool fullScreen) {
        width_ = width;
        height_ = height;
        fullScreen_ = fullScreen;
        ready_ = true;
        return true;
    }
    void release() { ready_ = false; }
    bool ready() const { return ready_; }
    bool fullScreen() const { return fullScreen_; }
    int32_t backBufferWidth() const { return width_; }
    int32_t backBufferHeight() const { return height_; }

    void beginFrame() {}
    // Smooth filtering with anti-aliasing, otherwise point sampling with clamped addresses.
    void setSmoothSampling(bool smooth) { smoothSampling_ = smooth; }
    bool smoothSampling() const { return smoothSampling_; }
    void endFrame() {}
    void presentFrame() { ++presentedFrames_; }
    void clearBackBuffer() {}
    // 0xAARRGGBB; takes effect at the next clearBackBuffer.
    void setClearColour(uint32_t colour) { clearColour_ = colour; }
    uint32_t clearColour() const { return clearColour_; }
    uint64_t presentedFrames() const { return presentedFrames_; }

  private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool fullScreen_ = false;
    bool ready_ = false;
    bool smoothSampling_ = false;
    uint32_t clearColour_ = 0;
    uint64_t presentedFrames_ = 0;
};

}  // namespace tavro
