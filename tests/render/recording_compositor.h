// A compositor that records what it is asked to do, and minimal image headers whose size it
// takes as the texture's, for tests of the render layer and of the commands that draw.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/compositor.h"

namespace tavro::testing {

class RecordingCompositor : public Compositor {
  public:
    bool createBackBuffer(int32_t width, int32_t height) override {
        (void)width;
        (void)height;
        return !hasBackBuffer_ && (hasBackBuffer_ = true);
    }
    void releaseBackBuffer() override { hasBackBuffer_ = false; }
    bool hasBackBuffer() const override { return hasBackBuffer_; }
    void clear(uint32_t argb) override { clears.push_back(argb); }
    void setSampling(Sampling value) override { sampling = value; }
    // The handle is the number of textures created so far; texturesFrom tells which bytes.
    TextureHandle createTexture(std::string_view fileBytes, int32_t width,
                                int32_t height) override {
        if (refuseTextures) {
            return kNoTexture;
        }
        const auto handle = static_cast<TextureHandle>(texturesFrom.size());
        texturesFrom.emplace_back(fileBytes);
        sizes.emplace_back(width, height);
        live.push_back(true);
        return handle;
    }
    // Recorded as a texture from the bytes "pixels".
    TextureHandle createTextureFromPixels(const uint32_t*, int32_t width, int32_t height) override {
        return createTexture("pixels", width, height);
    }
    void releaseTexture(TextureHandle texture) override {
        live[static_cast<size_t>(texture)] = false;
    }
    void draw(const CompositorItem& item) override { draws.push_back(item); }
    void present() override { ++presents; }
    bool readPresentedFrame(std::vector<uint32_t>&, int32_t&, int32_t&) const override {
        return false;
    }
    bool readBackBuffer(std::vector<uint32_t>&) const override { return false; }

    int liveTextures() const {
        int count = 0;
        for (const bool alive : live) {
            count += alive ? 1 : 0;
        }
        return count;
    }

    bool hasBackBuffer_ = false;
    bool refuseTextures = false;
    Sampling sampling = Sampling::kPoint;
    std::vector<uint32_t> clears;
    std::vector<std::string> texturesFrom;
    std::vector<std::pair<int32_t, int32_t>> sizes;
    std::vector<bool> live;
    std::vector<CompositorItem> draws;
    int presents = 0;
};

}  // namespace tavro::testing
