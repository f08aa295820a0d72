// Test images made on the spot: ARGB pixels (straight alpha) encoded as a BMP, PNG or JPEG
// file's bytes through SDL2 and SDL2_image.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavro::testing {

enum class ImageFormat { kBmp, kPng, kJpeg };

inline std::string EncodeImage(const std::vector<uint32_t>& argb, int32_t width, int32_t height,
                               ImageFormat format) {
    std::vector<uint32_t> pixels(argb);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        pixels.data(), width, height, 32, width * 4,
        format == ImageFormat::kPng ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB888);
    // Tests run in parallel processes: each writes its own file.
    const std::string path =
        ::testing::TempDir() + "tavro_test_image_" + std::to_string(::getpid());
    const int failed = format == ImageFormat::kBmp   ? SDL_SaveBMP(surface, path.c_str())
                       : format == ImageFormat::kPng ? IMG_SavePNG(surface, path.c_str())
                                                     : IMG_SaveJPG(surface, path.c_str(), 100);
    SDL_FreeSurface(surface);
    if (failed != 0) {
        return {};
    }
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::remove(path.c_str());
    return bytes.str();
}

}  // namespace tavro::testing
