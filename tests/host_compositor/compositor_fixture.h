// A compositor with a small back buffer, textures made from pixel lists, and pixel read-back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "host/compositor/pixman_compositor.h"
#include "host_compositor/test_images.h"

namespace tavro::testing {

inline constexpr int32_t kBackWidth = 24;
inline constexpr int32_t kBackHeight = 16;

// True when every channel differs by at most `tolerance`.
inline bool CloseColour(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(difference) > tolerance) {
            return false;
        }
    }
    return true;
}

class CompositorTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(compositor_.createBackBuffer(kBackWidth, kBackHeight)); }

    TextureHandle texture(const std::vector<uint32_t>& argb, int32_t width, int32_t height) {
        const TextureHandle handle = compositor_.createTexture(
            EncodeImage(argb, width, height, ImageFormat::kPng), width, height);
        EXPECT_NE(handle, kNoTexture);
        return handle;
    }

    // The whole texture, its centre placed by the matrix.
    void draw(TextureHandle handle, int32_t width, int32_t height, AffineMatrix matrix,
              uint32_t colour = 0xFFFFFFFF) {
        CompositorItem item;
        item.texture = handle;
        item.source = TexelRect{0, 0, width, height};
        item.centreX = 0.5f * width;
        item.centreY = 0.5f * height;
        item.matrix = matrix;
        item.colour = colour;
        compositor_.draw(item);
    }

    uint32_t pixel(int32_t x, int32_t y) {
        std::vector<uint32_t> pixels;
        EXPECT_TRUE(compositor_.readBackBuffer(pixels));
        return pixels[static_cast<size_t>(y) * kBackWidth + x];
    }

    PixmanCompositor compositor_;
};

}  // namespace tavro::testing
