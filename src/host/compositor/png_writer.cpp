#include "host/compositor/png_writer.h"

#include <SDL.h>
#include <SDL_image.h>

namespace tavro {

bool WritePng(const char* diskPath, const uint32_t* pixels, int32_t width, int32_t height,
              bool keepAlpha) {
    if (width < 1 || height < 1) {
        return false;
    }
    // The surface only borrows the pixels; RGB888 reads them as XRGB, ignoring alpha.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(pixels), width, height, 32, width * 4,
        keepAlpha ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB888);
    if (surface == nullptr) {
        return false;
    }
    const bool written = IMG_SavePNG(surface, diskPath) == 0;
    SDL_FreeSurface(surface);
    return written;
}

}  // namespace tavro
