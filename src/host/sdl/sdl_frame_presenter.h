// Shows composed frames in the SDL window: each frame is uploaded once into one streaming
// texture and presented without waiting for the vertical retrace, letterboxed with sharp
// pixels when the window's drawable area is not the frame's size (a scaled or resized
// window, full screen).
#pragma once

#include <vector>

#include "host/compositor.h"
#include "host/sdl/frame_layout.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace tavro {

class SdlFramePresenter : public FrameSink {
  public:
    explicit SdlFramePresenter(SDL_Window* window, FrameScaling scaling = FrameScaling::kFit);
    ~SdlFramePresenter() override;
    SdlFramePresenter(const SdlFramePresenter&) = delete;
    SdlFramePresenter& operator=(const SdlFramePresenter&) = delete;

    void showFrame(const uint32_t* pixels, int32_t width, int32_t height, int32_t stride) override;

    // Where the last frame went in the window, and its size; a zero width before any frame.
    const FrameLayout& layout() const { return layout_; }
    int32_t frameWidth() const { return frameWidth_; }
    int32_t frameHeight() const { return frameHeight_; }
    // From now on each shown frame is read back from the window before it is presented, as it
    // was drawn there (for screenshots of the real window).
    void keepShownFrames() { keepShown_ = true; }
    // The last frame read back from the window, at its size in the window; false when none.
    bool readShownFrame(std::vector<uint32_t>& pixels, int32_t& width, int32_t& height) const;
    // The whole drawable area as last shown, borders included; false when none.
    bool readShownWindow(std::vector<uint32_t>& pixels, int32_t& width, int32_t& height) const;

    // The window's renderer, made unless it is there; false when none can be made. Made
    // while the window is hidden, as a renderer may have SDL make the window anew, which once
    // shown would flicker and, under a window manager, land lower by its title bar.
    bool createRenderer();

  private:
    // Makes a texture of the given size and role unless the current one fits.
    bool fitTexture(SDL_Texture*& texture, int32_t width, int32_t height, bool target);

    SDL_Window* window_;
    FrameScaling scaling_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* frame_ = nullptr;  // streaming, the frame's size
    SDL_Texture* sharp_ = nullptr;  // render target, the frame times the whole factor
    FrameLayout layout_;
    int32_t frameWidth_ = 0;
    int32_t frameHeight_ = 0;
    bool keepShown_ = false;
    std::vector<uint32_t> shown_;
    int32_t shownWidth_ = 0;
    int32_t shownHeight_ = 0;
};

}  // namespace tavro
