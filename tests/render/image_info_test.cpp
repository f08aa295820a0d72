#include "render/image_info.h"

#include <gtest/gtest.h>

#include <string>

#include "render/render_test_support.h"

namespace tavro {
namespace {

std::string LittleEndian(uint32_t value, int bytes) {
    std::string text;
    for (int i = 0; i < bytes; ++i) {
        text += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return text;
}

std::string BmpHeader(uint32_t headerSize, int32_t width, int32_t height) {
    std::string bytes = "BM" + std::string(12, '\0') + LittleEndian(headerSize, 4);
    if (headerSize == 12) {
        return bytes + LittleEndian(static_cast<uint32_t>(width), 2) +
               LittleEndian(static_cast<uint32_t>(height), 2) + std::string(4, '\0');
    }
    return bytes + LittleEndian(static_cast<uint32_t>(width), 4) +
           LittleEndian(static_cast<uint32_t>(height), 4) + std::string(28, '\0');
}

// Start of image, an APP0 segment, then a start-of-frame marker with 8-bit samples.
std::string JpegHeader(unsigned char frameMarker, uint32_t width, uint32_t height) {
    std::string bytes("\xFF\xD8\xFF\xE0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 20);
    bytes += std::string("\xFF\xFF", 2);  // a fill byte before the next marker
    bytes += static_cast<char>(frameMarker);
    bytes += std::string("\x00\x11\x08", 3);
    for (const uint32_t side : {height, width}) {
        bytes += static_cast<char>(side >> 8);
        bytes += static_cast<char>(side & 0xFF);
    }
    return bytes + std::string(12, '\0');
}

TEST(ImageInfoTest, ReadsTheSizeFromEachHeader) {
    struct Case {
        const char* name;
        std::string bytes;
        bool read;
        uint32_t width, height;
    };
    const std::string png = testing::PngHeader(640, 3);
    const Case cases[] = {
        {"png", png, true, 640, 3},
        {"png cut short", png.substr(0, 20), false, 0, 0},
        {"png of width 0", testing::PngHeader(0, 3), false, 0, 0},
        {"bmp", BmpHeader(40, 33, 17), true, 33, 17},
        {"bmp stored top-down", BmpHeader(124, 8, -9), true, 8, 9},
        {"bmp with a core header", BmpHeader(12, 300, 2), true, 300, 2},
        {"bmp of negative width", BmpHeader(40, -8, 9), false, 0, 0},
        {"jpeg", JpegHeader(0xC0, 1024, 768), true, 1024, 768},
        {"progressive jpeg", JpegHeader(0xC2, 5, 7), true, 5, 7},
        {"jpeg without a frame", JpegHeader(0xC4, 5, 7), false, 0, 0},
        {"jpeg cut short", JpegHeader(0xC0, 5, 7).substr(0, 24), false, 0, 0},
        {"text", "hello, this is no image", false, 0, 0},
        {"empty", "", false, 0, 0},
    };
    for (const Case& c : cases) {
        ImageInfo info;
        ASSERT_EQ(ReadImageInfo(c.bytes, info), c.read) << c.name;
        if (c.read) {
            EXPECT_EQ(info.width, c.width) << c.name;
            EXPECT_EQ(info.height, c.height) << c.name;
        }
    }
}

}  // namespace
}  // namespace tavro
