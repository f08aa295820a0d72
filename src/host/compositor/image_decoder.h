// Decoding an image file's bytes (BMP, PNG, JPEG) into a premultiplied ARGB pixman image of
// the image's own size.
#pragma once

#include <cstdint>
#include <string_view>

#include <pixman.h>

namespace tavro {

// The decoded image, or null when the bytes do not decode, when the decoded size is not
// expectedWidth × expectedHeight, or when a side lies outside 1..maxSide (checked before
// decoding, so an absurd size allocates nothing).
pixman_image_t* DecodeImage(std::string_view fileBytes, int32_t expectedWidth,
                            int32_t expectedHeight, int32_t maxSide);

}  // namespace tavro
