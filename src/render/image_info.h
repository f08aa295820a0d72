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

// No PNG or JPEG file packs more pixels into a byte than this (deflate's 1032:1 over pixels of
// one bit); a BMP may be run-length coded and end early, so it is not bounded this way.
inline constexpr uint64_t kMaxPixelsPerFileByte = 8 * 1032;

// Whether a file of this size can hold the pixels its header claims, checked before anything
// of that size is allocated.
bool HeaderFitsFile(const ImageInfo& info, uint64_t fileSize);

}  // namespace tavro
