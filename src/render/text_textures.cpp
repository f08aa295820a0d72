#include "render/text_textures.h"

namespace tavro {

namespace {

int64_t PixelsOf(const TextTexture& text) {
    return static_cast<int64_t>(text.width) * text.height;
}

}  // namespace

const TextTexture* TextTextures::find(std::string_view key) {
    const auto found = byKey_.find(key);
    if (found == byKey_.end()) {
        return nullptr;
    }
    entries_.splice(entries_.begin(), entries_, found->second);
    return &found->second->text;
}

const TextTexture* TextTextures::add(std::string_view key, const TextTexture& text,
                                     Compositor& compositor) {
    entries_.push_front(Entry{std::string(key), text, &compositor});
    byKey_[entries_.front().key] = entries_.begin();
    pixels_ += PixelsOf(text);
    while (entries_.size() > 1 && (entries_.size() > maxEntries_ || pixels_ > maxPixels_)) {
        dropLeastRecent();
    }
    return &entries_.front().text;
}

void TextTextures::dropLeastRecent() {
    Entry& last = entries_.back();
    if (last.text.texture != kNoTexture) {
        last.compositor->releaseTexture(last.text.texture);
    }
    pixels_ -= PixelsOf(last.text);
    byKey_.erase(last.key);
    entries_.pop_back();
}

void TextTextures::clear() {
    while (!entries_.empty()) {
        dropLeastRecent();
    }
}

}  // namespace tavro
