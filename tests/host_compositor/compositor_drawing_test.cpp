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

// Whole-pixel, scaled and rotated placement in both samplings are pinned by the games
// screen_transform and screen_smooth.

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
