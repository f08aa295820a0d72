// Shows composed frames in the SDL window: each frame is uploaded once into one streaming
// texture and presented without waiting for the vertical retrace, letterboxed with sharp
// pixels when the window's drawable area is not the frame's size (full screen).
#pragma once

#include "host/compositor.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace tavro {

class SdlFramePresenter : public FrameSink {
  public:
    explicit SdlFramePresenter(SDL_Window* window);
    ~SdlFramePresenter() override;
    SdlFramePresenter(const SdlFramePresenter&) = delete;
    SdlFramePresenter& operator=(const SdlFramePresenter&) = delete;

    void showFrame(const uint32_t* pixels, int32_t width, int32_t height, int32_t stride) override;

  private:
    // Makes a texture of the given size and role unless the current one fits.
    bool fitTexture(SDL_Texture*& texture, int32_t width, int32_t height, bool target);

    SDL_Window* window_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* frame_ = nullptr;  // streaming, the frame's size
    SDL_Texture* sharp_ = nullptr;  // render target, the frame times the whole factor
};

}  // namespace tavro
