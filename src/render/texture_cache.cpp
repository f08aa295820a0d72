#include "render/texture_cache.h"

#include <string>

#include "text/messages.h"

namespace tavro {

namespace {

int64_t textureBytes(const ImageInfo& info) {
    return int64_t{4} * info.width * info.height;
}

// A side past the compositor's limit is refused by it without decoding ("CreateTexture").
bool fitsFileOrIsRefusedAnyway(const ImageInfo& info, uint64_t fileSize) {
    return info.width > kMaxCompositorSide || info.height > kMaxCompositorSide ||
           HeaderFitsFile(info, fileSize);
}

}  // namespace

TextureCache::TextureCache(FileSystem& files, ErrorSink& log, int64_t budgetBytes)
    : files_(files), log_(log), budgetBytes_(budgetBytes) {}

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
    if (!files_.readFile(entry.name.view(), bytes, FileKind::kImage) ||
        !ReadImageInfo(bytes, entry.info) || !fitsFileOrIsRefusedAnyway(entry.info, bytes.size())) {
        entry.info = ImageInfo{};
        log_.recordAbout(kImageInfoLabel, Severity::kError, entry.name.view());
        return false;
    }
    entry.texture = compositor.createTexture(bytes, static_cast<int32_t>(entry.info.width),
                                             static_cast<int32_t>(entry.info.height));
    if (entry.texture == kNoTexture) {
        log_.recordAbout(kCreateTextureLabel, Severity::kError, entry.name.view());
        return false;
    }
    loadedBytes_ += textureBytes(entry.info);
    keepWithinBudget(entry);
    return true;
}

void TextureCache::keepWithinBudget(const Entry& kept) {
    while (loadedBytes_ > budgetBytes_) {
        Entry* oldest = nullptr;
        for (Entry& entry : entries_) {
            if (entry.texture != kNoTexture && &entry != &kept && entry.lastDrawn != frame_ &&
                (oldest == nullptr || entry.lastDrawn < oldest->lastDrawn)) {
                oldest = &entry;
            }
        }
        if (oldest == nullptr) {
            return;  // everything loaded is drawn in this frame
        }
        release(*oldest);
    }
}

void TextureCache::release(Entry& entry) {
    if (entry.texture != kNoTexture) {
        owner_->releaseTexture(entry.texture);
        loadedBytes_ -= textureBytes(entry.info);
    }
    entry.texture = kNoTexture;
    entry.info = ImageInfo{};
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
    if (entry == nullptr) {
        return kNoTexture;
    }
    entry->lastDrawn = frame_;
    return ensureLoaded(*entry, device);
}

ImageInfo TextureCache::imageInfo(int32_t index, GraphicsDevice& device) {
    return texture(index, device) == kNoTexture ? ImageInfo{}
                                                : entries_[static_cast<size_t>(index)].info;
}

void TextureCache::releaseAllTextures() {
    for (Entry& entry : entries_) {
        release(entry);
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
