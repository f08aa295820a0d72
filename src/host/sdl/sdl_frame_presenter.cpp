#include "host/sdl/sdl_frame_presenter.h"

#include <SDL.h>

#include "host/sdl/frame_layout.h"

namespace tavro {

SdlFramePresenter::SdlFramePresenter(SDL_Window* window, FrameScaling scaling)
    : window_(window), scaling_(scaling) {}

bool SdlFramePresenter::createRenderer() {
    if (renderer_ == nullptr && window_ != nullptr) {
        renderer_ = SDL_CreateRenderer(window_, -1, 0);  // no SDL_RENDERER_PRESENTVSYNC
    }
    return renderer_ != nullptr;
}

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
    if (!createRenderer()) {
        return;
    }
    if (!fitTexture(frame_, width, height, false) ||
        SDL_UpdateTexture(frame_, nullptr, pixels, stride * 4) != 0) {
        return;
    }
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    const FrameLayout layout = LayOutFrame(width, height, outputWidth, outputHeight, scaling_);
    layout_ = layout;
    frameWidth_ = width;
    frameHeight_ = height;
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
    if (keepShown_) {
        shown_.resize(static_cast<size_t>(outputWidth) * static_cast<size_t>(outputHeight));
        const bool read = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                               shown_.data(), outputWidth * 4) == 0;
        shownWidth_ = read ? outputWidth : 0;
        shownHeight_ = read ? outputHeight : 0;
        for (uint32_t& pixel : shown_) {
            pixel |= 0xFF000000u;
        }
    }
    SDL_RenderPresent(renderer_);
}

bool SdlFramePresenter::readShownWindow(std::vector<uint32_t>& pixels, int32_t& width,
                                        int32_t& height) const {
    if (shownWidth_ == 0) {
        return false;
    }
    pixels = shown_;
    width = shownWidth_;
    height = shownHeight_;
    return true;
}

bool SdlFramePresenter::readShownFrame(std::vector<uint32_t>& pixels, int32_t& width,
                                       int32_t& height) const {
    const FrameLayout& place = layout_;
    if (shownWidth_ == 0 || place.x + place.width > shownWidth_ ||
        place.y + place.height > shownHeight_) {
        return false;
    }
    pixels.clear();
    for (int32_t row = place.y; row < place.y + place.height; ++row) {
        const uint32_t* start = shown_.data() + static_cast<size_t>(row) * shownWidth_ + place.x;
        pixels.insert(pixels.end(), start, start + place.width);
    }
    width = place.width;
    height = place.height;
    return true;
}

}  // namespace tavro
