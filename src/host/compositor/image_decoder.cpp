#include "host/compositor/image_decoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>
#include <memory>

namespace tavro {

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

SDL_Surface* DecodeSurface(std::string_view fileBytes) {
    if (fileBytes.empty() || fileBytes.size() > INT_MAX) {
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(fileBytes.data(), static_cast<int>(fileBytes.size()));
    if (stream == nullptr) {
        return nullptr;
    }
    return IMG_Load_RW(stream, 1);
}

}  // namespace

pixman_image_t* DecodeImage(std::string_view fileBytes, int32_t expectedWidth,
                            int32_t expectedHeight, int32_t maxSide) {
    if (expectedWidth < 1 || expectedHeight < 1 || expectedWidth > maxSide ||
        expectedHeight > maxSide) {
        return nullptr;
    }
    std::unique_ptr<SDL_Surface, SurfaceDeleter> decoded(DecodeSurface(fileBytes));
    if (!decoded || decoded->w != expectedWidth || decoded->h != expectedHeight) {
        return nullptr;
    }
    // A palette entry the file marks transparent becomes alpha 0 in the conversion; no other
    // colour is ever made transparent.
    std::unique_ptr<SDL_Surface, SurfaceDeleter> argb(
        SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb) {
        return nullptr;
    }
    pixman_image_t* image =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, expectedWidth, expectedHeight, nullptr, 0);
    if (image == nullptr) {
        return nullptr;
    }
    if (SDL_PremultiplyAlpha(expectedWidth, expectedHeight, SDL_PIXELFORMAT_ARGB8888, argb->pixels,
                             argb->pitch, SDL_PIXELFORMAT_ARGB8888, pixman_image_get_data(image),
                             pixman_image_get_stride(image)) != 0) {
        pixman_image_unref(image);
        return nullptr;
    }
    return image;
}

}  // namespace tavro
