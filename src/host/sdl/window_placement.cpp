#include "host/sdl/window_placement.h"

#include <algorithm>

namespace tavro {

namespace {

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
    // In 64 bits: a window at a huge position must not wrap around onto a display.
    return int64_t{a.x} < int64_t{b.x} + b.width && int64_t{b.x} < int64_t{a.x} + a.width &&
           int64_t{a.y} < int64_t{b.y} + b.height && int64_t{b.y} < int64_t{a.y} + a.height;
}

}  // namespace

void KeepWindowOnDisplays(ScreenRect& window, const std::vector<ScreenRect>& displays) {
    if (displays.empty()) {
        return;
    }
    // A window without area is judged by its corner.
    ScreenRect probe = window;
    probe.width = probe.width > 0 ? probe.width : 1;
    probe.height = probe.height > 0 ? probe.height : 1;
    for (const ScreenRect& display : displays) {
        if (Overlap(probe, display)) {
            return;
        }
    }
    window.x = displays.front().x;
    window.y = displays.front().y;
}

void KeepGrownWindowInside(ScreenRect& frame, const ScreenRect& usable) {
    auto inside = [](int32_t& position, int32_t size, int32_t start, int32_t length) {
        // In 64 bits: a far-off position must not wrap around.
        const int64_t last = int64_t{start} + length - size;
        position =
            static_cast<int32_t>(std::max<int64_t>(std::min<int64_t>(position, last), start));
    };
    inside(frame.x, frame.width, usable.x, usable.width);
    inside(frame.y, frame.height, usable.y, usable.height);
}

int32_t FittingFactor(int32_t gameWidth, int32_t gameHeight, const ScreenRect& usable) {
    if (gameWidth <= 0 || gameHeight <= 0) {
        return 1;
    }
    return std::max(1, std::min(usable.width / gameWidth, usable.height / gameHeight));
}

}  // namespace tavro
