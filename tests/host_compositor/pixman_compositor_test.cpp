#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host_compositor/compositor_fixture.h"

namespace tavro {
namespace {

using testing::CloseColour;
using testing::CompositorTest;
using testing::EncodeImage;
using testing::ImageFormat;

TEST(PixmanCompositorBackBufferTest, AcceptsOnlySidesItCanHold) {
    struct Case {
        int32_t width, height;
        bool created;
    };
    const Case cases[] = {{1, 1, true},         {8192, 1, true},  {0, 10, false},
                          {10, -1, false},      {8193, 1, false}, {1, 1 << 30, false},
                          {INT32_MIN, 1, false}};
    for (const Case& c : cases) {
        PixmanCompositor compositor;
        EXPECT_EQ(compositor.createBackBuffer(c.width, c.height), c.created)
            << c.width << "x" << c.height;
        EXPECT_EQ(compositor.hasBackBuffer(), c.created);
    }
    PixmanCompositor compositor;
    ASSERT_TRUE(compositor.createBackBuffer(4, 4));
    EXPECT_FALSE(compositor.createBackBuffer(4, 4));
    compositor.releaseBackBuffer();
    EXPECT_TRUE(compositor.createBackBuffer(4, 4));
}

// Each format decodes at its own size; the colours survive (JPEG within its loss), and a
// file's alpha channel is the only transparency.
TEST_F(CompositorTest, DecodesEachImageFormatAtItsOwnSize) {
    struct Case {
        ImageFormat format;
        uint32_t colour;
        uint32_t expected;  // over grey
        int tolerance;
    };
    const Case cases[] = {
        {ImageFormat::kBmp, 0xFF00FF00, 0xFF00FF00, 0},
        {ImageFormat::kBmp, 0xFF000000, 0xFF000000, 0},  // black is no colour key
        {ImageFormat::kPng, 0x00FF0000, 0xFF808080, 0},
        {ImageFormat::kPng, 0xFF00FFFF, 0xFF00FFFF, 0},
        {ImageFormat::kJpeg, 0xFF3080C0, 0xFF3080C0, 6},
    };
    for (const Case& c : cases) {
        compositor_.clear(0xFF808080);
        const std::string bytes =
            EncodeImage(std::vector<uint32_t>(6 * 4, c.colour), 6, 4, c.format);
        const TextureHandle handle = compositor_.createTexture(bytes, 6, 4);
        ASSERT_NE(handle, kNoTexture) << static_cast<int>(c.format);
        draw(handle, 6, 4, AffineMatrix{1, 0, 0, 1, 5, 5});
        EXPECT_TRUE(CloseColour(pixel(2, 3), c.expected, c.tolerance))
            << static_cast<int>(c.format) << " " << std::hex << pixel(2, 3);
        EXPECT_EQ(pixel(8, 7), 0xFF808080u);
        compositor_.releaseTexture(handle);
    }
}

TEST_F(CompositorTest, RefusesBytesThatDoNotMakeTheExpectedImage) {
    const std::string png =
        EncodeImage(std::vector<uint32_t>(6, 0xFFFFFFFF), 3, 2, ImageFormat::kPng);
    struct Case {
        const char* name;
        std::string bytes;
        int32_t width, height;
    };
    const Case cases[] = {
        {"another size", png, 2, 3},
        {"truncated", png.substr(0, png.size() / 2), 3, 2},
        {"empty", "", 3, 2},
        {"no image", "just some text, no image at all", 3, 2},
        {"beyond the largest texture", png, 9000, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compositor_.createTexture(c.bytes, c.width, c.height), kNoTexture) << c.name;
    }
    EXPECT_NE(compositor_.createTexture(png, 3, 2), kNoTexture);
}

// A released handle is reused by the next texture; drawing it before that draws nothing.
TEST_F(CompositorTest, ReusesReleasedTextureHandles) {
    const std::string png =
        EncodeImage(std::vector<uint32_t>(4, 0xFFFFFFFF), 2, 2, ImageFormat::kPng);
    const TextureHandle first = compositor_.createTexture(png, 2, 2);
    const TextureHandle second = compositor_.createTexture(png, 2, 2);
    EXPECT_NE(first, second);
    compositor_.releaseTexture(first);
    draw(first, 2, 2, AffineMatrix{1, 0, 0, 1, 5, 5});
    EXPECT_EQ(pixel(4, 4), 0xFF000000u);
    EXPECT_EQ(compositor_.createTexture(png, 2, 2), first);
}

class RecordingFrameSink : public FrameSink {
  public:
    void showFrame(const uint32_t* pixels, int32_t width, int32_t height, int32_t stride) override {
        ++frames;
        firstPixel = pixels[0];
        lastPixel = pixels[static_cast<size_t>(height - 1) * stride + width - 1];
    }
    int frames = 0;
    uint32_t firstPixel = 0;
    uint32_t lastPixel = 0;
};

// Presenting hands the frame to the sink and keeps it; the back buffer goes on changing.
TEST(PixmanCompositorPresentTest, KeepsThePresentedFrame) {
    RecordingFrameSink sink;
    PixmanCompositor compositor(&sink);
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    EXPECT_FALSE(compositor.readPresentedFrame(pixels, width, height));
    ASSERT_TRUE(compositor.createBackBuffer(3, 2));
    compositor.clear(0x00123456);  // the back buffer is opaque whatever the alpha
    compositor.present();
    compositor.clear(0xFFFFFFFF);
    EXPECT_EQ(sink.frames, 1);
    EXPECT_EQ(sink.firstPixel, 0xFF123456u);
    EXPECT_EQ(sink.lastPixel, 0xFF123456u);
    ASSERT_TRUE(compositor.readPresentedFrame(pixels, width, height));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(pixels, std::vector<uint32_t>(6, 0xFF123456u));
}

}  // namespace
}  // namespace tavro
