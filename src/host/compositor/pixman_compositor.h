// The compositor both hosts share: the back buffer and every texture are pixman images, and an
// item is composited OVER through the inverse of its matrix, with a nearest or bilinear
// filter. A colour other than opaque white first tints the source rectangle into a scratch
// image (texels × premultiplied colour, channel by channel), so the blend is weighted by
// texel alpha × colour alpha alone. Draws are queued and composed together on every core
// (BandedComposition) before anything reads or changes the back buffer.
#pragma once

#include <vector>

#include <pixman.h>

#include "host/compositor.h"
#include "host/compositor/banded_composition.h"

namespace tavro {

class PixmanCompositor : public Compositor {
  public:
    // frameSink, when given, receives every presented frame; threads is how many threads
    // compose a frame.
    explicit PixmanCompositor(FrameSink* frameSink = nullptr,
                              int32_t threads = DefaultThreadCount());
    ~PixmanCompositor() override;
    PixmanCompositor(const PixmanCompositor&) = delete;
    PixmanCompositor& operator=(const PixmanCompositor&) = delete;

    bool createBackBuffer(int32_t width, int32_t height) override;
    void releaseBackBuffer() override;
    bool hasBackBuffer() const override { return backBuffer_ != nullptr; }
    void clear(uint32_t argb) override;
    void setSampling(Sampling sampling) override { sampling_ = sampling; }
    TextureHandle createTexture(std::string_view fileBytes, int32_t expectedWidth,
                                int32_t expectedHeight) override;
    TextureHandle createTextureFromPixels(const uint32_t* premultipliedArgb, int32_t width,
                                          int32_t height) override;
    void releaseTexture(TextureHandle texture) override;
    void draw(const CompositorItem& item) override;
    void present() override;
    bool readPresentedFrame(std::vector<uint32_t>& pixels, int32_t& width,
                            int32_t& height) const override;
    bool readBackBuffer(std::vector<uint32_t>& pixels) const override;

  private:
    pixman_image_t* texture(TextureHandle handle) const;
    TextureHandle addTexture(pixman_image_t* image);
    // Composes the queued draws; const for the readers of the back buffer.
    void flush() const;

    FrameSink* frameSink_;
    pixman_image_t* backBuffer_ = nullptr;
    Sampling sampling_ = Sampling::kPoint;
    std::vector<pixman_image_t*> textures_;  // by handle; null for a free slot
    mutable BandedComposition queued_;
    std::vector<uint32_t> presented_;
    int32_t presentedWidth_ = 0;
    int32_t presentedHeight_ = 0;
};

}  // namespace tavro
