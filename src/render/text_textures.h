// The rasterised texts of the run as textures, by font and text: a text drawn every frame is
// laid out and rasterised once. The least recently drawn texts go once there are too many or
// their pixels weigh too much, so a counter that changes every frame does not grow memory.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/compositor.h"

namespace tavro {

inline constexpr size_t kMaxTextTextures = 512;
inline constexpr int64_t kMaxTextTexturePixels = 16 << 20;

// A text ready to draw: its measured box and the texture holding it.
struct TextTexture {
    int32_t boxWidth = 0;
    int32_t boxHeight = 0;
    TextureHandle texture = kNoTexture;  // none for a text without ink
    int32_t width = 0;                   // the texture's size
    int32_t height = 0;
    int32_t boxX = 0;  // the box's top-left corner in the texture
    int32_t boxY = 0;
};

class TextTextures {
  public:
    TextTextures(size_t maxEntries = kMaxTextTextures, int64_t maxPixels = kMaxTextTexturePixels)
        : maxEntries_(maxEntries), maxPixels_(maxPixels) {}
    TextTextures(const TextTextures&) = delete;
    TextTextures& operator=(const TextTextures&) = delete;

    // The text kept under this key, now the most recently used; null when there is none.
    const TextTexture* find(std::string_view key);
    // Keeps a text whose texture the compositor made, dropping the least recently used ones
    // beyond the bounds (never the new one).
    const TextTexture* add(std::string_view key, const TextTexture& text, Compositor& compositor);
    // Releases every texture.
    void clear();

    size_t count() const { return entries_.size(); }
    int64_t pixels() const { return pixels_; }

  private:
    struct Entry {
        std::string key;
        TextTexture text;
        Compositor* compositor;
    };
    void dropLeastRecent();

    size_t maxEntries_;
    int64_t maxPixels_;
    int64_t pixels_ = 0;
    std::list<Entry> entries_;  // most recently used first
    std::unordered_map<std::string_view, std::list<Entry>::iterator> byKey_;
};

}  // namespace tavro
