#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "host_compositor/compositor_fixture.h"

namespace tavro {
namespace {

using testing::CloseColour;
using testing::CompositorTest;
using testing::kBackHeight;
using testing::kBackWidth;

std::string Hex(uint32_t value) {
    std::ostringstream text;
    text << std::hex << std::setw(8) << std::setfill('0') << value;
    return text.str();
}

AffineMatrix At(float x, float y, float scaleX = 1, float scaleY = 1) {
    return AffineMatrix{scaleX, 0, 0, scaleY, x, y};
}

// Texels are multiplied by the colour channel by channel and blended by texel alpha × colour
// alpha alone: a tinted opaque sprite hides the background completely.
TEST_F(CompositorTest, ModulatesTexelsByTheItemColour) {
    struct Case {
        uint32_t texel;  // straight alpha, as stored in the file
        uint32_t colour;
        uint32_t background;
        uint32_t expected;
    };
    const Case cases[] = {
        {0xFFFFFFFF, 0xFFFF0000, 0xFF808080, 0xFFFF0000},  // red tint over grey keeps no grey
        {0xFFC86432, 0xFF80FF00, 0xFF808080, 0xFF646400},  // channel by channel
        {0xFFFFFFFF, 0x80FFFFFF, 0xFF808080, 0xFFC0C0C0},  // colour alpha alone
        {0xFFFFFFFF, 0x80FF0000, 0xFF000000, 0xFF800000},  // tint and colour alpha
        {0x80FF0000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF7F7F},  // the file's own alpha
        {0x80FFFFFF, 0x800000FF, 0xFF000000, 0xFF000040},  // texel alpha × colour alpha
        {0xFFFFFFFF, 0x00FFFFFF, 0xFF123456, 0xFF123456},  // colour alpha 0 draws nothing
        {0x00FFFFFF, 0xFFFF0000, 0xFF123456, 0xFF123456},  // transparent texels stay so
    };
    for (const Case& c : cases) {
        compositor_.clear(c.background);
        const TextureHandle handle = texture(std::vector<uint32_t>(4, c.texel), 2, 2);
        draw(handle, 2, 2, At(5, 5), c.colour);
        EXPECT_TRUE(CloseColour(pixel(4, 4), c.expected, 1))
            << Hex(c.texel) << " × " << Hex(c.colour) << " over " << Hex(c.background) << " gave "
            << Hex(pixel(4, 4));
        compositor_.releaseTexture(handle);
    }
}

// A still image at a whole-pixel offset lands texel for pixel in both samplings, whatever
// its size; the offset is that of its top-left corner after centring.
TEST_F(CompositorTest, UnrotatedUnscaledImagesLandTexelForPixel) {
    struct Case {
        int32_t width, height;
        float x, y;  // where the centre goes
        int32_t left, top;
    };
    const Case cases[] = {
        {4, 2, 10, 10, 8, 9}, {3, 3, 10.5f, 4.5f, 9, 3}, {5, 1, 2.5f, 0.5f, 0, 0}};
    for (const Sampling sampling : {Sampling::kPoint, Sampling::kSmooth}) {
        for (const Case& c : cases) {
            compositor_.clear(0xFF000000);
            compositor_.setSampling(sampling);
            std::vector<uint32_t> texels;
            for (int32_t i = 0; i < c.width * c.height; ++i) {
                texels.push_back(0xFF000000u | static_cast<uint32_t>(0x102030 * (i + 1)));
            }
            const TextureHandle handle = texture(texels, c.width, c.height);
            draw(handle, c.width, c.height, At(c.x, c.y));
            for (int32_t v = 0; v < c.height; ++v) {
                for (int32_t u = 0; u < c.width; ++u) {
                    EXPECT_EQ(Hex(pixel(c.left + u, c.top + v)),
                              Hex(texels[static_cast<size_t>(v * c.width + u)]))
                        << c.width << "x" << c.height << " texel " << u << "," << v;
                }
            }
            EXPECT_EQ(pixel(c.left + c.width, c.top), 0xFF000000u);
            compositor_.releaseTexture(handle);
        }
    }
}

// A two-texel ramp stretched four times: point sampling repeats texels, smooth sampling
// interpolates between texel centres and clamps at the edges.
TEST_F(CompositorTest, PointSamplingRepeatsTexelsAndSmoothSamplingBlends) {
    struct Case {
        Sampling sampling;
        uint32_t expected[8];  // red channel along the row
    };
    const Case cases[] = {
        {Sampling::kPoint, {0, 0, 0, 0, 255, 255, 255, 255}},
        {Sampling::kSmooth, {0, 0, 32, 96, 159, 223, 255, 255}},
    };
    for (const Case& c : cases) {
        compositor_.clear(0xFF000000);
        compositor_.setSampling(c.sampling);
        const TextureHandle handle = texture({0xFF000000, 0xFFFF0000}, 2, 1);
        draw(handle, 2, 1, At(8, 4.5f, 4, 1));  // spans x 4..12, row 4
        for (int32_t i = 0; i < 8; ++i) {
            EXPECT_NEAR((pixel(4 + i, 4) >> 16) & 0xFF, c.expected[i], 1)
                << (c.sampling == Sampling::kSmooth ? "smooth" : "point") << " pixel " << i;
        }
        EXPECT_EQ(pixel(3, 4), 0xFF000000u);
        compositor_.releaseTexture(handle);
    }
}

// A 4×2 image turned 90° clockwise about its centre stands 2 wide and 4 tall: texel (u, v)
// lands on pixel (10 - v, 8 + u). The cosine of a float 90° is not exactly 0.
TEST_F(CompositorTest, RotatesANonSquareImageAboutItsCentre) {
    const std::vector<uint32_t> texels = {0xFF110000, 0xFF220000, 0xFF330000, 0xFF440000,
                                          0xFF005500, 0xFF006600, 0xFF007700, 0xFF008800};
    const float nearZero = -4.371139e-08f;
    for (const Sampling sampling : {Sampling::kPoint, Sampling::kSmooth}) {
        compositor_.clear(0xFF000000);
        compositor_.setSampling(sampling);
        const TextureHandle handle = texture(texels, 4, 2);
        draw(handle, 4, 2, AffineMatrix{nearZero, 1, -1, nearZero, 10, 10});
        for (int32_t v = 0; v < 2; ++v) {
            for (int32_t u = 0; u < 4; ++u) {
                EXPECT_EQ(Hex(pixel(10 - v, 8 + u)), Hex(texels[static_cast<size_t>(v * 4 + u)]))
                    << "texel " << u << "," << v;
            }
        }
        for (const auto& [x, y] : {std::pair{11, 10}, {8, 10}, {9, 7}, {10, 12}}) {
            EXPECT_EQ(pixel(x, y), 0xFF000000u) << x << "," << y;
        }
        compositor_.releaseTexture(handle);
    }
}

// Only the source rectangle is drawn, and smooth sampling never reaches the texels around it.
TEST_F(CompositorTest, DrawsOnlyTheSourceRectangle) {
    compositor_.setSampling(Sampling::kSmooth);
    const TextureHandle handle = texture({0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}, 4, 1);
    CompositorItem item;
    item.texture = handle;
    item.source = TexelRect{1, 0, 2, 1};
    item.centreX = 0.5f;
    item.centreY = 0.5f;
    item.matrix = At(6, 6, 4, 4);
    compositor_.draw(item);
    for (int32_t x = 4; x < 8; ++x) {
        EXPECT_EQ(Hex(pixel(x, 6)), Hex(0xFF00FF00)) << x;
    }
    EXPECT_EQ(pixel(3, 6), 0xFF000000u);
    EXPECT_EQ(pixel(8, 6), 0xFF000000u);
}

// Items that cannot be drawn leave the back buffer as it was.
TEST_F(CompositorTest, DrawsNothingForUnusableItems) {
    const TextureHandle handle = texture(std::vector<uint32_t>(4, 0xFFFFFFFF), 2, 2);
    struct Case {
        const char* name;
        TextureHandle texture;
        TexelRect source;
        AffineMatrix matrix;
    };
    const float infinite = std::numeric_limits<float>::infinity();
    const float notANumber = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"unknown texture", handle + 1, {0, 0, 2, 2}, At(5, 5)},
        {"empty rectangle", handle, {1, 0, 1, 2}, At(5, 5)},
        {"rectangle outside", handle, {2, 2, 4, 4}, At(5, 5)},
        {"zero scale", handle, {0, 0, 2, 2}, At(5, 5, 0, 1)},
        {"infinite scale", handle, {0, 0, 2, 2}, At(5, 5, infinite, infinite)},
        {"rotation by NaN", handle, {0, 0, 2, 2}, AffineMatrix{notANumber, 1, -1, 0, 5, 5}},
        {"position NaN", handle, {0, 0, 2, 2}, AffineMatrix{0, 1, -1, 0, notANumber, 5}},
        {"off screen", handle, {0, 0, 2, 2}, At(-100, 5)},
    };
    for (const Case& c : cases) {
        CompositorItem item;
        item.texture = c.texture;
        item.source = c.source;
        item.centreX = item.centreY = 1;
        item.matrix = c.matrix;
        compositor_.draw(item);
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(compositor_.readBackBuffer(pixels));
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0xFF000000u), kBackWidth * kBackHeight)
            << c.name;
    }
}

}  // namespace
}  // namespace tavro
