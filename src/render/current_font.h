// CurrentFont: the font "text(" draws with, created at start-up with the default face and
// height 24. For now a stand-in that always succeeds.
#pragma once

#include <cstdint>

namespace tavro {

inline constexpr int32_t kDefaultFontHeight = 24;

class CurrentFont {
  public:
    // An empty face name selects the default face.
    bool create(const char* faceName, int32_t height) {
        (void)faceName;
        height_ = height;
        ready_ = true;
        return true;
    }
    void release() { ready_ = false; }
    bool ready() const { return ready_; }
    int32_t height() const { return height_; }

  private:
    int32_t height_ = 0;
    bool ready_ = false;
};

}  // namespace tavro
