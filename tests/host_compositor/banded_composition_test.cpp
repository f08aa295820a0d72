// A frame composed in bands on several threads is the frame one thread gives, pixel for pixel,
// and queued draws see the textures and sampling they were drawn with.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "host/compositor/pixman_compositor.h"
#include "host_compositor/test_images.h"

namespace tavro::testing {
namespace {

constexpr int32_t kWidth = 97;  // bands of unequal heights
constexpr int32_t kHeight = 61;
constexpr int32_t kSide = 9;

std::vector<uint32_t> SoftDisc() {
    std::vector<uint32_t> argb(kSide * kSide);
    for (int32_t y = 0; y < kSide; ++y) {
        for (int32_t x = 0; x < kSide; ++x) {
            const double edge = 4.5 - std::hypot(x - 4.0, y - 4.0);
            const auto alpha = static_cast<uint32_t>(std::clamp(edge, 0.0, 1.0) * 255);
            argb[y * kSide + x] = alpha << 24 | static_cast<uint32_t>(x * 28) << 16 |
                                  static_cast<uint32_t>(y * 28) << 8 | 0x60;
        }
    }
    return argb;
}

// A scene of every kind of placement: whole pixels, scaled, rotated, tinted, translucent,
// half outside, switching sampling part-way; drawn on a compositor of `threads` threads.
std::vector<uint32_t> Scene(int32_t threads) {
    PixmanCompositor compositor(nullptr, threads);
    EXPECT_TRUE(compositor.createBackBuffer(kWidth, kHeight));
    const TextureHandle disc = compositor.createTexture(
        EncodeImage(SoftDisc(), kSide, kSide, ImageFormat::kPng), kSide, kSide);
    compositor.clear(0xFF203040);
    std::mt19937 random(7);
    const uint32_t colours[] = {0xFFFFFFFF, 0x80FFFFFF, 0xFFFF8040, 0xC040C0FF};
    for (int i = 0; i < 400; ++i) {
        if (i == 200) {
            compositor.setSampling(Sampling::kSmooth);
        }
        const double angle = i % 3 == 0 ? 0 : (random() % 360) * 0.0174533;
        const float scale = i % 5 == 0 ? 1.0f : 0.5f + static_cast<float>(random() % 30) / 10;
        CompositorItem item;
        item.texture = disc;
        item.source = TexelRect{0, 0, kSide, kSide};
        item.centreX = item.centreY = kSide / 2.0f;
        item.matrix = AffineMatrix{scale * static_cast<float>(std::cos(angle)),
                                   scale * static_cast<float>(std::sin(angle)),
                                   -scale * static_cast<float>(std::sin(angle)),
                                   scale * static_cast<float>(std::cos(angle)),
                                   static_cast<float>(random() % (kWidth + 20)) - 10.5f,
                                   static_cast<float>(random() % (kHeight + 20)) - 10.0f};
        item.colour = colours[random() % 4];
        compositor.draw(item);
    }
    compositor.present();
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    EXPECT_TRUE(compositor.readPresentedFrame(pixels, width, height));
    return pixels;
}

TEST(BandedCompositionTest, EveryThreadCountGivesTheSameFrame) {
    const std::vector<uint32_t> one = Scene(1);
    for (const int32_t threads : {2, 3, 8}) {
        EXPECT_EQ(Scene(threads), one) << threads << " threads";
    }
}

// A texture released, or the sampling changed, after a draw and before the frame is composed
// still gives what the draw saw.
TEST(BandedCompositionTest, QueuedDrawsKeepTheirTextureAndSampling) {
    for (const int32_t threads : {1, 2}) {
        PixmanCompositor compositor(nullptr, threads);
        ASSERT_TRUE(compositor.createBackBuffer(8, 8));
        const TextureHandle texture = compositor.createTexture(
            EncodeImage({0xFFFF0000, 0xFF0000FF}, 2, 1, ImageFormat::kPng), 2, 1);
        CompositorItem item;
        item.texture = texture;
        item.source = TexelRect{0, 0, 2, 1};
        item.matrix = AffineMatrix{4, 0, 0, 4, 0, 0};  // point sampled: two 4×4 squares
        compositor.draw(item);
        compositor.releaseTexture(texture);
        compositor.setSampling(Sampling::kSmooth);
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(compositor.readBackBuffer(pixels));
        EXPECT_EQ(pixels[3 * 8 + 3], 0xFFFF0000u) << threads;
        EXPECT_EQ(pixels[3 * 8 + 4], 0xFF0000FFu) << threads;
    }
}

}  // namespace
}  // namespace tavro::testing
