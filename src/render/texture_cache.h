// TextureCache: every image file a game shows, by a stable index. A name keeps its index for
// the whole run; its texture is created on first use, dropped before the device goes away and
// re-created lazily (or all at once) from the name. A failed load is tried again whenever the
// index is asked for. Files are read through the game's file system; "ImageInfo" is logged
// when a file cannot be read or is no image, "CreateTexture" when its pixels cannot be made
// into a texture.
//
// Texture memory is bounded: once the loaded textures take more than the budget (4 bytes a
// texel), textures not drawn in the frame being drawn are released, least recently drawn
// first, and loaded again when they are drawn, as after a display-mode switch.
#pragma once

#include <cstdint>
#include <vector>

#include "host/compositor.h"
#include "host/file_system.h"
#include "render/graphics_device.h"
#include "render/image_info.h"
#include "text/error_report.h"
#include "text/text_string.h"

namespace tavro {

inline constexpr int64_t kTextureBudgetBytes = int64_t{1} << 30;  // 1 GB

class TextureCache {
  public:
    TextureCache(FileSystem& files, ErrorSink& log, int64_t budgetBytes = kTextureBudgetBytes);
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;

    // The name's index with its texture loaded; -1 for an empty name, no device, or a failed
    // load (the name keeps its index all the same).
    int32_t loadTexture(const TextString& fileName, GraphicsDevice& device);
    // A frame's items are about to be drawn: textures used from now on are kept through it.
    void beginFrame() { ++frame_; }
    // The texture at the index, loading it again when it is absent; kNoTexture when that fails.
    // It counts as drawn in the current frame.
    TextureHandle texture(int32_t index, GraphicsDevice& device);
    // The image's own size at the index, after the same lazy load; zeroes when it fails.
    ImageInfo imageInfo(int32_t index, GraphicsDevice& device);

    // Releases every texture and keeps the names. Call before the device is released.
    void releaseAllTextures();
    // Releases and re-creates every texture from its name; false only without a device.
    bool reloadAllTextures(GraphicsDevice& device);
    // Shut-down: every texture released, as before a device change.
    void freeTextureCache() { releaseAllTextures(); }

    int32_t nameCount() const { return static_cast<int32_t>(entries_.size()); }
    const TextString& name(int32_t index) const {
        return entries_[static_cast<size_t>(index)].name;
    }

  private:
    struct Entry {
        TextString name;
        TextureHandle texture = kNoTexture;
        ImageInfo info;
        int64_t lastDrawn = -1;  // the frame
    };

    int32_t indexOf(const TextString& fileName);
    // Null, after logging, for a negative index; null without a log past the last name.
    Entry* entryAt(int32_t index);
    bool load(Entry& entry, Compositor& compositor);
    TextureHandle ensureLoaded(Entry& entry, GraphicsDevice& device);
    void release(Entry& entry);
    // Releases textures not drawn in this frame, least recently drawn first, until the loaded
    // ones fit the budget or none is left to release; `kept` stays.
    void keepWithinBudget(const Entry& kept);

    FileSystem& files_;
    ErrorSink& log_;
    std::vector<Entry> entries_;
    Compositor* owner_ = nullptr;  // holds the loaded textures
    int64_t budgetBytes_;
    int64_t loadedBytes_ = 0;
    int64_t frame_ = 0;
};

}  // namespace tavro
