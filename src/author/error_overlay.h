// The errors of a watched game over its picture: a compositor that passes everything on to
// the real one and, while there are errors to show, draws them on a dark band at the top of
// each frame just before it is presented.
#pragma once

#include <string>
#include <vector>

#include "host/compositor.h"
#include "host/font_renderer.h"

namespace tavro {

class ErrorOverlay : public Compositor {
  public:
    // fonts may be null: then only the band is drawn.
    ErrorOverlay(Compositor& compositor, FontRenderer* fonts)
        : compositor_(compositor), fonts_(fonts) {}
    ~ErrorOverlay() override;

    // The lines to show (Shift-JIS); none hides the overlay.
    void show(std::vector<std::string> lines);
    bool showing() const { return !lines_.empty(); }
    // The size of the last back buffer, for a frame drawn while no game runs.
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }

    bool createBackBuffer(int32_t width, int32_t height) override;
    void releaseBackBuffer() override { compositor_.releaseBackBuffer(); }
    bool hasBackBuffer() const override { return compositor_.hasBackBuffer(); }
    void clear(uint32_t argb) override { compositor_.clear(argb); }
    void setSampling(Sampling sampling) override;
    TextureHandle createTexture(std::string_view fileBytes, int32_t expectedWidth,
                                int32_t expectedHeight) override {
        return compositor_.createTexture(fileBytes, expectedWidth, expectedHeight);
    }
    TextureHandle createTextureFromPixels(const uint32_t* premultipliedArgb, int32_t width,
                                          int32_t height) override {
        return compositor_.createTextureFromPixels(premultipliedArgb, width, height);
    }
    void releaseTexture(TextureHandle texture) override { compositor_.releaseTexture(texture); }
    void draw(const CompositorItem& item) override { compositor_.draw(item); }
    void present() override;
    bool readPresentedFrame(std::vector<uint32_t>& pixels, int32_t& width,
                            int32_t& height) const override {
        return compositor_.readPresentedFrame(pixels, width, height);
    }
    bool readBackBuffer(std::vector<uint32_t>& pixels) const override {
        return compositor_.readBackBuffer(pixels);
    }

  private:
    void drawOverlay();
    void makeTextures();
    void releaseTextures();

    Compositor& compositor_;
    FontRenderer* fonts_;
    std::vector<std::string> lines_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    Sampling sampling_ = Sampling::kPoint;
    FontHandle font_ = kNoFont;
    TextureHandle band_ = kNoTexture;
    TextureHandle text_ = kNoTexture;
    int32_t textWidth_ = 0;
    int32_t textHeight_ = 0;
};

}  // namespace tavro
