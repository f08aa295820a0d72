#include "render/texture_cache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/graphics_device.h"
#include "render/image_ref.h"
#include "render/recording_compositor.h"
#include "support/file_bytes.h"
#include "support/game_folder.h"
#include "support/log_sink.h"
#include "text/messages.h"

namespace tavro {
namespace {

using namespace testing;

class TextureCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        files_.files["a.png"] = pngHeader(4, 2);
        files_.files["b.bmp"] = pngHeader(8, 8);  // the header decides, not the name
        files_.files["c.jpg"] = pngHeader(16, 1);
        ASSERT_TRUE(device_.create(64, 48, false));
    }

    // Which file the texture now at the index was made from.
    std::string fileAt(int32_t index) {
        const TextureHandle handle = cache_.texture(index, device_);
        return handle == kNoTexture ? "" : compositor_.texturesFrom[static_cast<size_t>(handle)];
    }

    testing::RecordingCompositor compositor_;
    testing::GameFolder files_;
    testing::RecordingSink log_;
    GraphicsDevice device_{compositor_, log_};
    TextureCache cache_{files_, log_};
};

TEST_F(TextureCacheTest, GivesEachNameOneStableIndexAndOneTexture) {
    EXPECT_EQ(cache_.loadTexture("a.png", device_), 0);
    EXPECT_EQ(cache_.loadTexture("b.bmp", device_), 1);
    EXPECT_EQ(cache_.loadTexture("a.png", device_), 0);
    EXPECT_EQ(cache_.loadTexture("A.png", device_), -1);  // names compare byte for byte
    EXPECT_EQ(cache_.nameCount(), 3);
    EXPECT_EQ(compositor_.texturesFrom.size(), 2u);
    EXPECT_EQ(cache_.imageInfo(0, device_).width, 4u);
    EXPECT_EQ(cache_.imageInfo(1, device_).height, 8u);
    EXPECT_EQ(compositor_.sizes[1], std::make_pair(8, 8));
}

// A failed load keeps the name's index and logs which step failed; every later request for
// the index tries the file again.
TEST_F(TextureCacheTest, FailedLoadsAreLoggedAndTriedAgain) {
    struct Case {
        const char* name;
        const char* file;  // null: missing
        bool refuse;       // the compositor cannot make the texture
        const char* logged;
    };
    const Case cases[] = {
        {"missing.png", nullptr, false, "ImageInfo"},
        {"text.png", "not an image", false, "ImageInfo"},
        {"huge.png", "", true, "CreateTexture"},
    };
    for (const Case& c : cases) {
        if (c.file != nullptr) {
            files_.files[c.name] = *c.file ? std::string(c.file) : pngHeader(9000, 9000);
        }
        compositor_.refuseTextures = c.refuse;
        log_.reports.clear();
        EXPECT_EQ(cache_.loadTexture(c.name, device_), -1) << c.name;
        const int32_t index = cache_.nameCount() - 1;
        EXPECT_EQ(cache_.name(index), c.name);
        EXPECT_EQ(cache_.texture(index, device_), kNoTexture) << c.name;
        EXPECT_EQ(cache_.imageInfo(index, device_).width, 0u) << c.name;
        EXPECT_EQ(log_.reports, Reports(3, {c.logged, Severity::kError})) << c.name;

        files_.files[c.name] = pngHeader(2, 2);
        compositor_.refuseTextures = false;
        EXPECT_NE(cache_.texture(index, device_), kNoTexture) << c.name;
        EXPECT_EQ(cache_.loadTexture(c.name, device_), index) << c.name;
    }
}

TEST_F(TextureCacheTest, ReleaseAndReloadKeepEveryIndexOnItsFile) {
    const char* names[] = {"a.png", "b.bmp", "c.jpg"};
    for (const char* name : names) {
        cache_.loadTexture(name, device_);
    }
    cache_.releaseAllTextures();
    EXPECT_EQ(compositor_.liveTextures(), 0);
    ASSERT_TRUE(cache_.reloadAllTextures(device_));
    EXPECT_EQ(compositor_.liveTextures(), 3);
    cache_.releaseAllTextures();
    // Lazily, in another order this time.
    for (const int32_t index : {2, 0, 1}) {
        EXPECT_EQ(fileAt(index), files_.files[names[index]]) << index;
        EXPECT_EQ(cache_.name(index), names[index]);
    }
    cache_.freeTextureCache();
    EXPECT_EQ(compositor_.liveTextures(), 0);
}

// A header claiming more pixels than its file can hold is refused before the compositor
// decodes (and allocates) anything; one within what the file can hold goes on to it.
TEST_F(TextureCacheTest, HeadersClaimingMoreThanTheFileHoldsAreRefused) {
    files_.files["claims.png"] = pngHeader(8192, 8192);
    EXPECT_EQ(cache_.loadTexture("claims.png", device_), -1);
    EXPECT_EQ(compositor_.liveTextures(), 0);
    EXPECT_TRUE(compositor_.texturesFrom.empty()) << "never handed to the compositor";
    EXPECT_EQ(log_.reports, (Reports{{"ImageInfo", Severity::kError}}));

    std::string padded = pngHeader(8192, 8192);
    padded.resize(8192 * 8192 / kMaxPixelsPerFileByte + 1);
    files_.files["holds.png"] = padded;
    EXPECT_NE(cache_.loadTexture("holds.png", device_), -1);
}

// a.png takes 32 bytes, b.bmp 256 and c.jpg 64; the budget holds a and b but not all three.
TEST_F(TextureCacheTest, PastTheBudgetTexturesNotDrawnInThisFrameMakeRoom) {
    TextureCache cache(files_, log_, 300);
    const int32_t a = cache.loadTexture("a.png", device_);
    const int32_t b = cache.loadTexture("b.bmp", device_);
    EXPECT_EQ(compositor_.liveTextures(), 2);

    cache.beginFrame();
    cache.texture(b, device_);  // drawn in this frame: kept, though the budget is passed
    const int32_t c = cache.loadTexture("c.jpg", device_);
    EXPECT_EQ(compositor_.liveTextures(), 2) << "a, never drawn, made room for c";

    cache.beginFrame();
    const TextureHandle again = cache.texture(a, device_);
    ASSERT_NE(again, kNoTexture);
    EXPECT_EQ(compositor_.texturesFrom[static_cast<size_t>(again)], files_.files["a.png"]);
    EXPECT_EQ(cache.imageInfo(a, device_).width, 4u) << "loaded again when drawn";
    EXPECT_EQ(compositor_.liveTextures(), 2) << "c, never drawn, made room for a";
    EXPECT_NE(cache.texture(c, device_), kNoTexture);
    EXPECT_EQ(compositor_.liveTextures(), 2) << "then b, drawn longest ago, for c";
    EXPECT_TRUE(log_.reports.empty());
}

TEST_F(TextureCacheTest, LoadsNothingWithoutADeviceOrAName) {
    EXPECT_EQ(cache_.loadTexture("", device_), -1);
    cache_.loadTexture("a.png", device_);
    cache_.releaseAllTextures();
    device_.release();
    EXPECT_EQ(cache_.loadTexture("a.png", device_), -1);
    EXPECT_EQ(cache_.texture(0, device_), kNoTexture);
    EXPECT_FALSE(cache_.reloadAllTextures(device_));
    EXPECT_EQ(compositor_.texturesFrom.size(), 1u);
    EXPECT_TRUE(log_.reports.empty());
}

TEST_F(TextureCacheTest, ANegativeIndexIsReportedAndAnIndexPastTheNamesFailsQuietly) {
    EXPECT_EQ(cache_.texture(-1, device_), kNoTexture);
    EXPECT_EQ(log_.reports, (Reports{{kNegativeArrayIndexMessage, Severity::kError}}));
    EXPECT_EQ(cache_.texture(1 << 30, device_), kNoTexture);
    EXPECT_EQ(cache_.imageInfo(7, device_).width, 0u);
    EXPECT_EQ(log_.reports.size(), 1u);
    EXPECT_EQ(cache_.nameCount(), 0);
}

// Only a name ending exactly in ".jpg", ".png" or ".bmp" is a still image; any other is an
// animation file, loaded first, then its sheet. When either fails the reference stays empty.
TEST_F(TextureCacheTest, LoadImageRefTellsStillImagesByTheirLowerCaseExtension) {
    AnimationTable animations([this](const TextString& name, TextString& text) {
        std::string bytes;
        return files_.readFile(name.view(), bytes) && (text = bytes.c_str(), true);
    });
    files_.files["A.PNG"] = pngHeader(2, 2);  // read as an animation file without a texture
    files_.files["walk.ani"] = "texture=a.png;animation={0,0,1}";
    files_.files["lost.ani"] = "texture=lost.png;";
    struct Case {
        const char* name;
        bool loaded;
        int32_t textureIndex, animationIndex;
    };
    const Case cases[] = {
        {"c.jpg", true, 0, -1},      {"a.png", true, 1, -1},      {"b.bmp", true, 2, -1},
        {"A.PNG", false, -1, -1},    {"png", false, -1, -1},      {"x.png.ani", false, -1, -1},
        {"", false, -1, -1},         {"gone.png", false, -1, -1}, {"walk.ani", true, 1, 4},
        {"lost.ani", false, -1, -1},
    };
    for (const Case& c : cases) {
        ImageRef image;
        image.frameCounter = 5;
        EXPECT_EQ(LoadImageRef(image, c.name, cache_, animations, device_), c.loaded) << c.name;
        EXPECT_EQ(image.textureIndex, c.textureIndex) << c.name;
        EXPECT_EQ(image.animationIndex, c.animationIndex) << c.name;
        EXPECT_EQ(image.frameCounter, 0) << c.name;
    }
    EXPECT_EQ(cache_.nameCount(), 5);  // the three images, the missing one and the lost sheet
}

TEST(GraphicsDeviceTest, CreatesOnlyBackBuffersTheCompositorCanHold) {
    struct Case {
        int32_t width, height;
        bool created;
    };
    const Case cases[] = {{640, 480, true}, {0, 480, false}, {640, -1, false},
                          {8193, 8, false}, {8192, 8, true}, {INT32_MAX, INT32_MAX, false}};
    for (const Case& c : cases) {
        testing::RecordingCompositor compositor;
        testing::RecordingSink log;
        GraphicsDevice device(compositor, log);
        EXPECT_EQ(device.create(c.width, c.height, false), c.created) << c.width;
        EXPECT_EQ(device.ready(), c.created);
        EXPECT_EQ(device.backBufferWidth(), c.created ? c.width : 0);
        EXPECT_EQ(log.reports, Reports(c.created ? 0 : 1, {"D3DDevice", Severity::kError}));
    }
}

TEST(GraphicsDeviceTest, ForwardsFramesToTheCompositorOnlyWhileItExists) {
    testing::RecordingCompositor compositor;
    testing::RecordingSink log;
    GraphicsDevice device(compositor, log);
    device.presentFrame();
    device.clearBackBuffer();
    EXPECT_EQ(compositor.presents, 0);
    ASSERT_TRUE(device.create(32, 16, true));
    EXPECT_FALSE(device.create(64, 64, false));  // one exists: refused, nothing logged
    EXPECT_EQ(device.backBufferWidth(), 32);
    EXPECT_TRUE(device.fullScreen());
    device.setClearColour(0xFF102030);
    device.setSmoothSampling(true);
    device.clearBackBuffer();
    device.presentFrame();
    EXPECT_EQ(compositor.clears, (std::vector<uint32_t>{0, 0xFF102030}));
    EXPECT_EQ(compositor.sampling, Sampling::kSmooth);
    EXPECT_EQ(compositor.presents, 1);
    device.release();
    EXPECT_FALSE(compositor.hasBackBuffer());
    EXPECT_EQ(device.backBufferWidth(), 0);
    EXPECT_EQ(device.backBufferHeight(), 0);
    EXPECT_EQ(device.compositor(), nullptr);
    EXPECT_TRUE(log.reports.empty());
}

}  // namespace
}  // namespace tavro
