// The animation table: animation files that cut frames out of one sprite sheet. For now a
// stand-in in which no animation loads; drawing and image loading already ask it for what
// they need.
#pragma once

#include <cstdint>

#include "text/text_string.h"

namespace tavro {

struct FrameRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class AnimationTable {
  public:
    // Index of the animation file, or -1 when it does not load.
    int32_t load(const TextString& fileName) {
        (void)fileName;
        return -1;
    }
    // The sprite sheet an animation cuts its frames from.
    TextString textureFileName(int32_t animationIndex) const {
        (void)animationIndex;
        return {};
    }
    // The frame shown at a frame counter; false for an unknown animation.
    bool frameRect(int32_t animationIndex, int32_t frameCounter, FrameRect& rect) const {
        (void)animationIndex;
        (void)frameCounter;
        (void)rect;
        return false;
    }
};

inline void FreeAnimations() {}

}  // namespace tavro
