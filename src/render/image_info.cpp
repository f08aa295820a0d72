#include "render/image_info.h"

#include <cstdlib>

namespace tavro {

namespace {

uint32_t Byte(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

uint32_t BigEndian16(std::string_view bytes, size_t at) {
    return Byte(bytes, at) << 8 | Byte(bytes, at + 1);
}

uint32_t BigEndian32(std::string_view bytes, size_t at) {
    return BigEndian16(bytes, at) << 16 | BigEndian16(bytes, at + 2);
}

uint32_t LittleEndian16(std::string_view bytes, size_t at) {
    return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}

uint32_t LittleEndian32(std::string_view bytes, size_t at) {
    return LittleEndian16(bytes, at) | LittleEndian16(bytes, at + 2) << 16;
}

bool ReadPng(std::string_view bytes, ImageInfo& info) {
    constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.size() < 24 || bytes.substr(0, 8) != kSignature || bytes.substr(12, 4) != "IHDR") {
        return false;
    }
    info = ImageInfo{BigEndian32(bytes, 16), BigEndian32(bytes, 20), ImageFileFormat::kPng};
    return true;
}

// A 12-byte core header holds 16-bit sides; every later header 32-bit signed ones, the
// height negative for rows stored top-down.
bool ReadBmp(std::string_view bytes, ImageInfo& info) {
    if (bytes.size() < 26 || bytes.substr(0, 2) != "BM") {
        return false;
    }
    if (LittleEndian32(bytes, 14) == 12) {
        info =
            ImageInfo{LittleEndian16(bytes, 18), LittleEndian16(bytes, 20), ImageFileFormat::kBmp};
        return true;
    }
    const auto width = static_cast<int32_t>(LittleEndian32(bytes, 18));
    const auto height = static_cast<int32_t>(LittleEndian32(bytes, 22));
    if (width <= 0 || height == INT32_MIN) {
        return false;
    }
    info = ImageInfo{static_cast<uint32_t>(width), static_cast<uint32_t>(std::abs(height)),
                     ImageFileFormat::kBmp};
    return true;
}

bool IsStartOfFrame(uint32_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments up to the first start-of-frame, which holds the size.
bool ReadJpeg(std::string_view bytes, ImageInfo& info) {
    if (bytes.size() < 4 || Byte(bytes, 0) != 0xFF || Byte(bytes, 1) != 0xD8) {
        return false;
    }
    size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (Byte(bytes, at) != 0xFF) {
            return false;
        }
        const uint32_t marker = Byte(bytes, at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
            at += 2;
            continue;
        }
        if (IsStartOfFrame(marker)) {
            if (at + 9 > bytes.size()) {
                return false;
            }
            info = ImageInfo{BigEndian16(bytes, at + 7), BigEndian16(bytes, at + 5),
                             ImageFileFormat::kJpeg};
            return true;
        }
        at += 2 + BigEndian16(bytes, at + 2);
    }
    return false;
}

}  // namespace

bool HeaderFitsFile(const ImageInfo& info, uint64_t fileSize) {
    const uint64_t pixels = uint64_t{info.width} * info.height;
    return info.fileFormat == ImageFileFormat::kBmp || pixels <= fileSize * kMaxPixelsPerFileByte;
}

bool ReadImageInfo(std::string_view fileBytes, ImageInfo& info) {
    ImageInfo read;
    if (!ReadPng(fileBytes, read) && !ReadBmp(fileBytes, read) && !ReadJpeg(fileBytes, read)) {
        return false;
    }
    if (read.width == 0 || read.height == 0) {
        return false;
    }
    info = read;
    return true;
}

}  // namespace tavro
