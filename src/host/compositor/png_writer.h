// Writing a composed frame to a PNG file (screenshots).
#pragma once

#include <cstdint>

namespace tavro {

// Writes ARGB pixels, row after row, as a PNG at a disk path: RGB (the alpha ignored), or
// RGBA with keepAlpha. False on failure.
bool WritePng(const char* diskPath, const uint32_t* pixels, int32_t width, int32_t height,
              bool keepAlpha = false);

}  // namespace tavro
