#include "host/sdl/sdl_frame_presenter.h"

#include <SDL.h>

#include "host/sdl/frame_layout.h"

namespace tavro {

SdlFramePresenter::SdlFramePresenter(SDL_Window* window) : window_(window) {}

SdlFramePresenter::~SdlFramePresenter() {
    for (SDL_Texture* texture : {frame_, sharp_}) {
        if (texture != nullptr) {
            SDL_DestroyTexture(texture);
        }
    }
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
    }
}

bool SdlFramePresenter::fitTexture(SDL_Texture*& texture, int32_t width, int32_t height,
                                   bool target) {
    int textureWidth = 0, textureHeight = 0;
    if (texture != nullptr &&
        SDL_QueryTexture(texture, nullptr, nullptr, &textureWidth, &textureHeight) == 0 &&
        textureWidth == width && textureHeight == height) {
        return true;
    }
    if (texture != nullptr) {
        SDL_DestroyTexture(texture);
    }
    texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                target ? SDL_TEXTUREACCESS_TARGET : SDL_TEXTUREACCESS_STREAMING,
                                width, height);
    if (texture == nullptr) {
        return false;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture, target ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return true;
}

void SdlFramePresenter::showFrame(const uint32_t* pixels, int32_t width, int32_t height,
                                  int32_t stride) {
    if (window_ == nullptr) {
        return;
    }
    if (renderer_ == nullptr) {
        renderer_ = SDL_CreateRenderer(window_, -1, 0);  // no SDL_RENDERER_PRESENTVSYNC
        if (renderer_ == nullptr) {
            return;
        }
    }
    if (!fitTexture(frame_, width, height, false) ||
        SDL_UpdateTexture(frame_, nullptr, pixels, stride * 4) != 0) {
        return;
    }
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    const FrameLayout layout = LayOutFrame(width, height, outputWidth, outputHeight);
    const SDL_Rect place{layout.x, layout.y, layout.width, layout.height};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    if (layout.exact) {
        SDL_RenderCopy(renderer_, frame_, nullptr, &place);
    } else if (fitTexture(sharp_, width * layout.wholeFactor, height * layout.wholeFactor, true)) {
        SDL_SetRenderTarget(renderer_, sharp_);
        SDL_RenderCopy(renderer_, frame_, nullptr, nullptr);
        SDL_SetRenderTarget(renderer_, nullptr);
        SDL_RenderCopy(renderer_, sharp_, nullptr, &place);
    }
    SDL_RenderPresent(renderer_);
}

}  // namespace tavro
