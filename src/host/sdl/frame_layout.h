// Where a composed frame goes in a window's drawable area: scaled to fit with its aspect
// kept, centred, the rest left black. Sharp pixels: the frame is first enlarged by the
// largest whole factor that fits with nearest sampling, and only the remainder is smoothed,
// unless whole factors alone are asked for.
#pragma once

#include <cstdint>

namespace tavro {

enum class FrameScaling {
    kFit,           // as large as fits
    kWholeFactors,  // the largest whole factor that fits (a smaller output: as kFit)
};

struct FrameLayout {
    int32_t x = 0, y = 0, width = 0, height = 0;  // the frame's place in the output
    int32_t wholeFactor = 1;                      // the sharp enlargement, at least 1
    bool exact = true;  // the place is the frame times the whole factor: no smoothing
};

FrameLayout LayOutFrame(int32_t frameWidth, int32_t frameHeight, int32_t outputWidth,
                        int32_t outputHeight, FrameScaling scaling = FrameScaling::kFit);

// An output pixel (a cursor position in the window) as a pixel of the frame placed there;
// points in the black border map outside the frame. Unchanged without a placed frame.
void OutputPointToFrame(const FrameLayout& layout, int32_t frameWidth, int32_t frameHeight,
                        int32_t& x, int32_t& y);

}  // namespace tavro
