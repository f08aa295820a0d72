#include "host/sdl/frame_layout.h"

#include <algorithm>
#include <cmath>

namespace tavro {
namespace {

// Rounds toward minus infinity, so the border left of or above the frame maps below 0.
int32_t floorDivide(int64_t numerator, int64_t denominator) {
    int64_t quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
        --quotient;
    }
    return static_cast<int32_t>(quotient);
}

}  // namespace

FrameLayout LayOutFrame(int32_t frameWidth, int32_t frameHeight, int32_t outputWidth,
                        int32_t outputHeight, FrameScaling scaling) {
    if (frameWidth < 1 || frameHeight < 1 || outputWidth < 1 || outputHeight < 1) {
        return FrameLayout{};
    }
    double scale = std::min(static_cast<double>(outputWidth) / frameWidth,
                            static_cast<double>(outputHeight) / frameHeight);
    if (scaling == FrameScaling::kWholeFactors && scale >= 1) {
        scale = std::floor(scale);
    }
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

void OutputPointToFrame(const FrameLayout& layout, int32_t frameWidth, int32_t frameHeight,
                        int32_t& x, int32_t& y) {
    if (layout.width < 1 || layout.height < 1) {
        return;
    }
    x = floorDivide((int64_t{x} - layout.x) * frameWidth, layout.width);
    y = floorDivide((int64_t{y} - layout.y) * frameHeight, layout.height);
}

}  // namespace tavro
