// ImageInfo: what an image file's header says, read without decoding the pixels. The texture
// cache keeps it beside each texture; a still image is drawn at this size.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavro {

enum class ImageFileFormat : uint32_t { kBmp = 0, kJpeg = 1, kPng = 3 };

struct ImageInfo {
    uint32_t width = 0;
    uint32_t height = 0;
    ImageFileFormat fileFormat = ImageFileFormat::kBmp;
};

// Reads the size of a BMP, PNG or JPEG file from its bytes. False when the bytes are not one
// of these or the header is cut short or gives a zero size.
bool ReadImageInfo(std::string_view fileBytes, ImageInfo& info);

}  // namespace tavro
