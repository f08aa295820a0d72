#include "render/image_info.h"

#include <gtest/gtest.h>

#include <string>

#include "support/file_bytes.h"

namespace tavro {
namespace {

using namespace testing;

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
    const std::string png = testing::pngHeader(640, 3);
    const Case cases[] = {
        {"png", png, true, 640, 3},
        {"png cut short", png.substr(0, 20), false, 0, 0},
        {"png of width 0", testing::pngHeader(0, 3), false, 0, 0},
        {"bmp", bmpHeader(40, 33, 17), true, 33, 17},
        {"bmp stored top-down", bmpHeader(124, 8, -9), true, 8, 9},
        {"bmp with a core header", bmpHeader(12, 300, 2), true, 300, 2},
        {"bmp of negative width", bmpHeader(40, -8, 9), false, 0, 0},
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
