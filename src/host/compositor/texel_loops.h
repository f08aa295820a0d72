// The compositor's own loop for its commonest draws, computing bit for bit what pixman computes
// for them, without pixman's setup per call (images, iterators, scanline buffers): a rotated
// quad, sampled nearest or smooth, each sample multiplied by a colour, OVER the back buffer.
// Built where SSE2 is (kOwnLoopBuilt); elsewhere pixman draws every quad.
#pragma once

#include <cstddef>
#include <cstdint>

#include <pixman.h>

#include "host/compositor.h"

namespace tavro {

// width × height premultiplied ARGB texels from origin, rows stride texels apart.
struct TexelView {
    const uint32_t* origin;
    int32_t width, height, stride;
};

// A copy of a source inside a border one texel wide of transparent texels, rows width + 2
// texels apart: what the smooth loop samples, so that a sample reaching past the source's
// edge reads transparent texels without a test.
inline int32_t PaddedStride(int32_t width) {
    return width + 2;
}
inline size_t PaddedTexels(int32_t width, int32_t height) {
    return static_cast<size_t>(PaddedStride(width)) * static_cast<size_t>(height + 2);
}
// Where the source's own texels start in its padded copy: past the top row and the left border.
inline ptrdiff_t PaddedInteriorStart(int32_t width) {
    return PaddedStride(width) + 1;
}

// Rows of a back buffer, row 0 at rows, rows stride pixels apart.
struct BackRows {
    uint32_t* rows;
    int32_t stride;
};

#if defined(__SSE2__)
inline constexpr bool kOwnLoopBuilt = true;
#else
inline constexpr bool kOwnLoopBuilt = false;
#endif

// Whether the loop draws pixels [x, x + width) of rows [top, bottom) through transform as
// pixman would: the transform turns (pixman draws pure scales its own way), smooth it has a
// fraction (else pixman samples nearest), and every sample point stays far inside pixman's
// fixed-point range, where pixman draws them all and its walk along a row does not wrap.
bool OwnLoopAccepts(const pixman_transform_t& transform, Sampling sampling, int32_t x,
                    int32_t width, int32_t top, int32_t bottom);

// Composites the source OVER the pixels [x, x + width) of back-buffer rows [top, bottom), as
// accepted by OwnLoopAccepts: each pixel samples the source (none outside it) at transform ·
// (pixel centre), then each channel of the sample is multiplied by the same channel of
// multiplier (as pixman's solid mask does, or its SRC through a component-alpha one). Smooth,
// the source is the interior of a padded copy.
void ComposeOwnLoop(const TexelView& source, const pixman_transform_t& transform, Sampling sampling,
                    uint32_t multiplier, const BackRows& back, int32_t x, int32_t width,
                    int32_t top, int32_t bottom);

// Writes the padded copy of the source to copy, each channel of its texels multiplied by the
// same channel of multiplier as pixman's SRC through a solid component-alpha mask does (all
// 255 leaves them as they are). Only where kOwnLoopBuilt.
void PadTexels(const TexelView& source, uint32_t multiplier, uint32_t* copy);

}  // namespace tavro
