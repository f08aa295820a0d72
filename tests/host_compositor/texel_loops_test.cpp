// The compositor's own loop for rotated quads, sampled nearest or smooth, gives the very
// pixels pixman gives for them: tinted, translucent, scaled, at fractional positions, half outside,
// with texels whose channels exceed their alpha, and with transforms the loop leaves to pixman.
// The quads show the middle cell of a sheet, so a sample that reached past the cell's edge into
// its neighbours would show.
#include <gtest/gtest.h>

#include <pixman.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "host/compositor/pixman_compositor.h"
#include "host/compositor/quad_placement.h"
#include "host/compositor/texel_loops.h"

namespace tavro::testing {
namespace {

constexpr int32_t kWidth = 83;
constexpr int32_t kHeight = 57;
constexpr int32_t kSide = 7;
// A sheet of 3 × 3 cells, each kSide wide; the quads show the middle one.
constexpr int32_t kSheet = 3 * kSide;
constexpr int32_t kCellStart = kSide * kSheet + kSide;

std::vector<uint32_t> Texels(std::mt19937& random) {
    std::vector<uint32_t> texels(kSheet * kSheet);
    for (uint32_t& texel : texels) {
        const uint32_t alpha = random() % 4 == 0 ? 0xFF : random() % 256;
        // Mostly premultiplied; one in eight with channels past the alpha.
        const uint32_t ceiling = random() % 8 == 0 ? 256 : alpha + 1;
        texel =
            alpha << 24 | random() % ceiling << 16 | random() % ceiling << 8 | random() % ceiling;
    }
    return texels;
}

// What the compositor drew before it had its own loop: pixman alone, tinting a copy of the
// texels first (SRC through a solid component-alpha mask) or multiplying by a solid alpha.
void PixmanDraw(pixman_image_t* back, std::vector<uint32_t>& texels, const CompositorItem& item,
                Sampling sampling) {
    QuadPlacement placement;
    if (!PlaceQuad(item, kSide, kSide, kWidth, kHeight, sampling, placement)) {
        return;
    }
    pixman_image_t* source = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide,
                                                      texels.data() + kCellStart, kSheet * 4);
    const uint32_t a = item.colour >> 24;
    auto premultiplied = [&](uint32_t shift) {
        return static_cast<uint16_t>(((item.colour >> shift & 0xFF) * a + 127) / 255 * 0x101);
    };
    const pixman_color_t colour{premultiplied(16), premultiplied(8), premultiplied(0),
                                static_cast<uint16_t>(a * 0x101)};
    pixman_image_t* mask = pixman_image_create_solid_fill(&colour);
    std::vector<uint32_t> tinted(kSide * kSide);
    if ((item.colour & 0xFFFFFF) != 0xFFFFFF) {
        pixman_image_t* copy =
            pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, tinted.data(), kSide * 4);
        pixman_image_set_component_alpha(mask, 1);
        pixman_image_composite32(PIXMAN_OP_SRC, source, mask, copy, 0, 0, 0, 0, 0, 0, kSide, kSide);
        pixman_image_unref(source);
        pixman_image_unref(mask);
        source = copy;
        mask = nullptr;
    }
    pixman_image_set_transform(source, &placement.transform);
    pixman_image_set_filter(
        source, sampling == Sampling::kSmooth ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST,
        nullptr, 0);
    pixman_image_set_repeat(
        source, placement.kind == QuadKind::kAxisAligned ? PIXMAN_REPEAT_PAD : PIXMAN_REPEAT_NONE);
    if (placement.kind == QuadKind::kWholePixels) {
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, back, placement.sourceX,
                                 placement.sourceY, 0, 0, placement.x, placement.y, placement.width,
                                 placement.height);
    } else {
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, back, placement.x, placement.y, 0, 0,
                                 placement.x, placement.y, placement.width, placement.height);
    }
    if (mask != nullptr) {
        pixman_image_unref(mask);
    }
    pixman_image_unref(source);
}

class TexelLoopsTest : public ::testing::TestWithParam<Sampling> {};

TEST_P(TexelLoopsTest, RotatedQuadsGetPixmansPixels) {
    ASSERT_TRUE(kOwnLoopBuilt);
    std::mt19937 random(11);
    std::vector<uint32_t> texels = Texels(random);
    PixmanCompositor compositor(nullptr, 2);
    ASSERT_TRUE(compositor.createBackBuffer(kWidth, kHeight));
    const TextureHandle texture = compositor.createTextureFromPixels(texels.data(), kSheet, kSheet);
    std::vector<uint32_t> expected(kWidth * kHeight, 0xFF302010);
    pixman_image_t* back =
        pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, expected.data(), kWidth * 4);
    compositor.clear(0xFF302010);
    compositor.setSampling(GetParam());
    const uint32_t colours[] = {0xFFFFFFFF, 0x80FFFFFF, 0xFFFF8040, 0xC040C0FF, 0x01FFFFFF};
    // Scales from tiny (steps the loop leaves to pixman) to large, and mirrored.
    const float scales[] = {1.0f, 0.37f, 2.6f, -1.3f, 9.0f, 3e-5f};
    for (int i = 0; i < 3000; ++i) {
        const double angle = (random() % 3600) * 0.00174533;
        const float scale = scales[random() % 6];
        CompositorItem item;
        item.texture = texture;
        item.source = TexelRect{kSide, kSide, 2 * kSide, 2 * kSide};
        item.centreX = static_cast<float>(random() % 80) / 10;
        item.centreY = static_cast<float>(random() % 80) / 10;
        item.matrix = AffineMatrix{scale * static_cast<float>(std::cos(angle)),
                                   scale * static_cast<float>(std::sin(angle)),
                                   -static_cast<float>(std::sin(angle)),
                                   static_cast<float>(std::cos(angle)),
                                   static_cast<float>(random() % ((kWidth + 20) * 8)) / 8 - 10,
                                   static_cast<float>(random() % ((kHeight + 20) * 8)) / 8 - 10};
        if (i % 4 == 0) {
            // Quarter turns at half-pixel steps put sample points exactly on texel edges.
            const float sign = random() % 2 == 0 ? 1.0f : -1.0f;
            const float size = static_cast<float>(1 + random() % 2);
            item.matrix =
                AffineMatrix{0,
                             sign * size,
                             -sign * size,
                             0,
                             static_cast<float>(random() % ((kWidth + 20) * 2)) / 2 - 10,
                             static_cast<float>(random() % ((kHeight + 20) * 2)) / 2 - 10};
            item.centreX = static_cast<float>(random() % 16) / 2;
            item.centreY = static_cast<float>(random() % 16) / 2;
        }
        item.colour = colours[random() % 5];
        compositor.draw(item);
        PixmanDraw(back, texels, item, GetParam());
    }
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(compositor.readBackBuffer(pixels));
    for (uint32_t& pixel : expected) {
        pixel |= 0xFF000000;
    }
    EXPECT_EQ(pixels, expected);
    pixman_image_unref(back);
}

INSTANTIATE_TEST_SUITE_P(Samplings, TexelLoopsTest,
                         ::testing::Values(Sampling::kPoint, Sampling::kSmooth));

}  // namespace
}  // namespace tavro::testing
