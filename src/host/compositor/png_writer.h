// Writing a composed frame to a PNG file (screenshots).
#pragma once

#include <cstdint>

namespace tavro {

// Writes opaque ARGB pixels, row after row, as an RGB PNG at a disk path. False on failure.
bool WritePng(const char* diskPath, const uint32_t* pixels, int32_t width, int32_t height);

}  // namespace tavro
