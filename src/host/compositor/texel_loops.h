// The compositor's own loop for its commonest draw, computing bit for bit what pixman computes
// for it, without pixman's setup per call (images, iterators, scanline buffers) or a tinted
// copy of the texels: a rotated quad sampled nearest, its texels multiplied by a colour, OVER
// the back buffer. Built where SSE2 is (NearestLoopBuilt); elsewhere pixman draws every quad.
#pragma once

#include <cstdint>

#include <pixman.h>

namespace tavro {

// width × height premultiplied ARGB texels from origin, rows stride texels apart.
struct TexelView {
    const uint32_t* origin;
    int32_t width, height, stride;
};

// Rows of a back buffer, row 0 at rows, rows stride pixels apart.
struct BackRows {
    uint32_t* rows;
    int32_t stride;
};

#if defined(__SSE2__)
inline constexpr bool kNearestLoopBuilt = true;
#else
inline constexpr bool kNearestLoopBuilt = false;
#endif

// Whether the loop may draw pixels [x, x + width) of rows [top, bottom) through transform:
// every sample point stays far inside pixman's fixed-point range, where pixman draws them
// all and its walk along a row does not wrap.
bool NearestLoopAccepts(const pixman_transform_t& transform, int32_t x, int32_t width, int32_t top,
                        int32_t bottom);

// Composites the source OVER the pixels [x, x + width) of back-buffer rows [top, bottom), as
// accepted by NearestLoopAccepts: each pixel takes the source texel nearest to transform ·
// (pixel centre), none outside the source, each channel first multiplied by the same channel
// of the premultiplied colour (as pixman's SRC through a solid component-alpha mask does).
void ComposeNearestOver(const TexelView& source, const pixman_transform_t& transform,
                        uint32_t premultipliedArgb, const BackRows& back, int32_t x, int32_t width,
                        int32_t top, int32_t bottom);

}  // namespace tavro
