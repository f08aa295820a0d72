// Where a composed frame goes in a window's drawable area: scaled to fit with its aspect
// kept, centred, the rest left black. Sharp pixels: the frame is first enlarged by the
// largest whole factor that fits with nearest sampling, and only the remainder is smoothed.
#pragma once

#include <cstdint>

namespace tavro {

struct FrameLayout {
    int32_t x = 0, y = 0, width = 0, height = 0;  // the frame's place in the output
    int32_t wholeFactor = 1;                      // the sharp enlargement, at least 1
    bool exact = true;  // the place is the frame times the whole factor: no smoothing
};

FrameLayout LayOutFrame(int32_t frameWidth, int32_t frameHeight, int32_t outputWidth,
                        int32_t outputHeight);

}  // namespace tavro
