#include "render/texture_cache.h"

#include <string>

#include "text/messages.h"

namespace tavro {

TextureCache::TextureCache(FileSystem& files, ErrorSink& log) : files_(files), log_(log) {}

int32_t TextureCache::indexOf(const TextString& fileName) {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].name == fileName) {
            return static_cast<int32_t>(i);
        }
    }
    entries_.push_back(Entry{fileName, kNoTexture, {}});
    return static_cast<int32_t>(entries_.size() - 1);
}

TextureCache::Entry* TextureCache::entryAt(int32_t index) {
    if (index < 0) {
        log_.record(kNegativeArrayIndexMessage, Severity::kError);
        return nullptr;
    }
    return static_cast<size_t>(index) < entries_.size() ? &entries_[static_cast<size_t>(index)]
                                                        : nullptr;
}

bool TextureCache::load(Entry& entry, Compositor& compositor) {
    std::string bytes;
    if (!files_.readFile(entry.name.view(), bytes, FileKind::kImage) || !ReadImageInfo(bytes, entry.info)) {
        entry.info = ImageInfo{};
        log_.record("ImageInfo", Severity::kError);
        return false;
    }
    entry.texture = compositor.createTexture(bytes, static_cast<int32_t>(entry.info.width),
                                             static_cast<int32_t>(entry.info.height));
    if (entry.texture == kNoTexture) {
        log_.record("CreateTexture", Severity::kError);
        return false;
    }
    return true;
}

// The texture at an existing index, loaded when absent.
TextureHandle TextureCache::ensureLoaded(Entry& entry, GraphicsDevice& device) {
    Compositor* compositor = device.compositor();
    if (entry.texture == kNoTexture && compositor != nullptr) {
        owner_ = compositor;
        load(entry, *compositor);
    }
    return entry.texture;
}

int32_t TextureCache::loadTexture(const TextString& fileName, GraphicsDevice& device) {
    if (fileName.empty() || device.compositor() == nullptr) {
        return -1;
    }
    const int32_t index = indexOf(fileName);
    return ensureLoaded(entries_[static_cast<size_t>(index)], device) != kNoTexture ? index : -1;
}

TextureHandle TextureCache::texture(int32_t index, GraphicsDevice& device) {
    Entry* entry = entryAt(index);
    return entry != nullptr ? ensureLoaded(*entry, device) : kNoTexture;
}

ImageInfo TextureCache::imageInfo(int32_t index, GraphicsDevice& device) {
    return texture(index, device) == kNoTexture ? ImageInfo{}
                                                : entries_[static_cast<size_t>(index)].info;
}

void TextureCache::releaseAllTextures() {
    for (Entry& entry : entries_) {
        if (entry.texture != kNoTexture) {
            owner_->releaseTexture(entry.texture);
        }
        entry.texture = kNoTexture;
        entry.info = ImageInfo{};
    }
}

bool TextureCache::reloadAllTextures(GraphicsDevice& device) {
    if (device.compositor() == nullptr) {
        return false;
    }
    releaseAllTextures();
    for (Entry& entry : entries_) {
        ensureLoaded(entry, device);
    }
    return true;
}

}  // namespace tavro
