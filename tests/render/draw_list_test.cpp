#include "render/draw_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/recording_compositor.h"
#include "support/file_bytes.h"
#include "support/game_folder.h"
#include "support/log_sink.h"

namespace tavro {
namespace {

using namespace testing;

class DrawListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        files_.files["wide.png"] = pngHeader(6, 4);
        ASSERT_TRUE(device_.create(64, 48, false));
        wide_.textureIndex = textures_.loadTexture("wide.png", device_);
        ASSERT_EQ(wide_.textureIndex, 0);
    }

    // Adds an item whose colour tells it apart.
    void add(uint32_t priority, uint32_t tag, bool halted = false) {
        AddImageItem(list_, wide_, Translation(0, 0), tag, priority, Translation(0, 0), halted);
    }

    std::vector<uint32_t> renderedTags() {
        compositor_.draws.clear();
        RenderDrawList(list_, context_, false);
        std::vector<uint32_t> tags;
        for (const CompositorItem& item : compositor_.draws) {
            tags.push_back(item.colour);
        }
        return tags;
    }

    testing::RecordingCompositor compositor_;
    testing::GameFolder files_;
    testing::RecordingSink log_;
    GraphicsDevice device_{compositor_, log_};
    TextureCache textures_{files_, log_};
    AnimationTable animations_{[this](const TextString& name, TextString& text) {
        std::string bytes;
        return files_.readFile(name.view(), bytes) && (text = bytes.c_str(), true);
    }};
    RenderContext context_{device_, textures_, animations_, ScreenScale{}};
    DrawList list_;
    ImageRef wide_;
};

// Once a halt is requested nothing is added and rendering keeps the list undrawn.
TEST_F(DrawListTest, HaltStopsAddingAndRendering) {
    add(1, 1);
    add(2, 2, true);
    AddTextItem(list_, "hello", Translation(0, 0), 0, 0, Translation(0, 0), 0, true);
    AddTextItem(list_, "", Translation(0, 0), 0, 0, Translation(0, 0), 0, false);
    EXPECT_EQ(list_.count(), 1);
    RenderDrawList(list_, context_, true);
    EXPECT_TRUE(compositor_.draws.empty());
    EXPECT_EQ(list_.count(), 1);
    DiscardDrawList(list_);
    EXPECT_EQ(list_.count(), 0);
    EXPECT_TRUE(compositor_.draws.empty());
}

// Items without a texture draw nothing and the pass goes on; text items are not drawn by
// the sprite path.
TEST_F(DrawListTest, SkipsItemsItCannotDraw) {
    ImageRef none;
    ImageRef missing;
    missing.textureIndex = 7;
    AddImageItem(list_, none, Translation(0, 0), 1, 0, Translation(0, 0), false);
    AddImageItem(list_, missing, Translation(0, 0), 2, 0, Translation(0, 0), false);
    AddTextItem(list_, "score", Translation(0, 0), 3, 0, Translation(0, 0), 1, false);
    add(0, 4);
    EXPECT_EQ(renderedTags(), std::vector<uint32_t>{4});
    EXPECT_FALSE(DrawImageItem(none, Translation(0, 0), 5, context_));
    EXPECT_TRUE(DrawImageItem(wide_, Translation(0, 0), 5, context_));
}

// A still image is drawn whole at its file's size, centred on the final matrix's origin,
// which is object × screen scale × view.
TEST_F(DrawListTest, DrawsAStillImageCentredOnItsFinalMatrix) {
    context_.screenScale = ScreenScale{2, 0.5};
    AddImageItem(list_, wide_, ObjectTransform(100, 50, 1, 1, 0), 0x80FF0000, 3,
                 Translation(-10, 20), false);
    RenderDrawList(list_, context_, false);
    ASSERT_EQ(compositor_.draws.size(), 1u);
    const CompositorItem& item = compositor_.draws[0];
    EXPECT_EQ(item.texture, textures_.texture(0, device_));
    EXPECT_EQ(item.source.right, 6);
    EXPECT_EQ(item.source.bottom, 4);
    EXPECT_FLOAT_EQ(item.centreX, 3);
    EXPECT_FLOAT_EQ(item.centreY, 2);
    EXPECT_FLOAT_EQ(item.matrix.dx, 190);
    EXPECT_FLOAT_EQ(item.matrix.dy, 45);
    EXPECT_FLOAT_EQ(item.matrix.m11, 2);
    EXPECT_FLOAT_EQ(item.matrix.m22, 0.5);
    EXPECT_EQ(item.colour, 0x80FF0000u);
}

// A frame reaching past the 6 x 4 sheet is cut to it and its visible part stays where it would
// have been (top-left of the uncut frame at the origin); a frame with nothing inside is
// skipped. The frame counter of the item itself is wrapped for the lookup only.
TEST_F(DrawListTest, CutsAnimationFramesToTheSheet) {
    struct Case {
        const char* animation;
        int32_t counter;
        bool drawn;
        TexelRect source;
        float dx, dy;  // where the source's top-left corner lands
    };
    const Case cases[] = {
        {"width=2;height=2;animation={1,0,1}{2,1,1}", 0, true, {2, 0, 4, 2}, 0, 0},
        {"width=2;height=2;animation={1,0,1}{2,1,1}", 4, true, {4, 2, 6, 4}, 0, 0},
        {"x=4;y=2;width=4;height=4;", 0, true, {4, 2, 6, 4}, 0, 0},
        {"x=-2;y=-1;width=4;height=4;", 0, true, {0, 0, 2, 3}, 2, 1},
        {"x=-1000000;width=2000000;height=4;animation={0,0,1}", -1, true, {0, 0, 6, 4}, 1e6f, 0},
        {"x=100;width=4;height=4;", 0, false, {}, 0, 0},
        {"width=-4;height=4;animation={1,0,1}", 0, false, {}, 0, 0},
        {"width=0;height=4;", 0, false, {}, 0, 0},
        {"x=2147483647;width=2147483647;height=4;animation={9,0,1}", 0, false, {}, 0, 0},
    };
    int32_t n = 0;
    for (const Case& c : cases) {
        const std::string name = "a" + std::to_string(n++) + ".ani";
        files_.files[name] = std::string("texture=wide.png;") + c.animation;
        ImageRef image;
        ASSERT_TRUE(LoadImageRef(image, name.c_str(), textures_, animations_, device_));
        image.frameCounter = c.counter;
        compositor_.draws.clear();
        EXPECT_EQ(DrawImageItem(image, Translation(0, 0), 0, context_), c.drawn) << c.animation;
        if (!c.drawn) {
            EXPECT_TRUE(compositor_.draws.empty()) << c.animation;
            continue;
        }
        ASSERT_EQ(compositor_.draws.size(), 1u);
        const CompositorItem& item = compositor_.draws[0];
        EXPECT_EQ(item.source.left, c.source.left) << c.animation;
        EXPECT_EQ(item.source.top, c.source.top) << c.animation;
        EXPECT_EQ(item.source.right, c.source.right) << c.animation;
        EXPECT_EQ(item.source.bottom, c.source.bottom) << c.animation;
        EXPECT_FLOAT_EQ(item.matrix.dx - item.centreX, c.dx) << c.animation;
        EXPECT_FLOAT_EQ(item.matrix.dy - item.centreY, c.dy) << c.animation;
        EXPECT_EQ(image.frameCounter, c.counter);
    }
}

// The texture of a released cache is made again when an item needs it.
TEST_F(DrawListTest, ReloadsAReleasedTextureWhenDrawn) {
    textures_.releaseAllTextures();
    add(0, 1);
    EXPECT_EQ(renderedTags(), std::vector<uint32_t>{1});
    EXPECT_EQ(compositor_.liveTextures(), 1);
}

}  // namespace
}  // namespace tavro
