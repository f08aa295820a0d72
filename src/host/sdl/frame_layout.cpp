#include "host/sdl/frame_layout.h"

#include <algorithm>
#include <cmath>

namespace tavro {

FrameLayout LayOutFrame(int32_t frameWidth, int32_t frameHeight, int32_t outputWidth,
                        int32_t outputHeight) {
    if (frameWidth < 1 || frameHeight < 1 || outputWidth < 1 || outputHeight < 1) {
        return FrameLayout{};
    }
    const double scale = std::min(static_cast<double>(outputWidth) / frameWidth,
                                  static_cast<double>(outputHeight) / frameHeight);
    FrameLayout layout;
    layout.width =
        std::clamp(static_cast<int32_t>(std::lround(frameWidth * scale)), 1, outputWidth);
    layout.height =
        std::clamp(static_cast<int32_t>(std::lround(frameHeight * scale)), 1, outputHeight);
    layout.x = (outputWidth - layout.width) / 2;
    layout.y = (outputHeight - layout.height) / 2;
    layout.wholeFactor = std::max(1, static_cast<int32_t>(std::floor(scale)));
    layout.exact = layout.width == frameWidth * layout.wholeFactor &&
                   layout.height == frameHeight * layout.wholeFactor;
    return layout;
}

}  // namespace tavro
