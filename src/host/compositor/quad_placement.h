// Where a compositor item lands on the back buffer: the destination rectangle to composite
// and the image transform that maps each destination pixel back to the source rectangle.
#pragma once

#include <cstdint>

#include <pixman.h>

#include "host/compositor.h"

namespace tavro {

enum class QuadKind {
    kWholePixels,  // unrotated, unscaled, at a whole-pixel offset: texel for pixel
    kAxisAligned,  // scaled or at a fractional offset, edges along the pixel grid
    kRotated,
};

struct QuadPlacement {
    QuadKind kind = QuadKind::kWholePixels;
    // Destination pixels to composite, clipped to the back buffer.
    int32_t x = 0, y = 0, width = 0, height = 0;
    // kWholePixels: the destination pixel of source texel (0, 0) is (x - sourceX, y - sourceY).
    int32_t sourceX = 0, sourceY = 0;
    // kAxisAligned and kRotated: destination pixel centre -> source rectangle coordinates.
    pixman_transform_t transform{};
};

// Places a sourceWidth × sourceHeight rectangle by the item's centre and matrix on a
// backWidth × backHeight buffer. False when nothing would be visible or the matrix is
// singular or not finite. With smooth sampling a rotated quad's fringe, where texels blend
// with the transparent outside, is included.
bool PlaceQuad(const CompositorItem& item, int32_t sourceWidth, int32_t sourceHeight,
               int32_t backWidth, int32_t backHeight, Sampling sampling, QuadPlacement& placement);

}  // namespace tavro
