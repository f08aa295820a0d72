#include "host/compositor/texel_loops.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <initializer_list>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavro {

namespace {

// The loop runs only where every sample point stays within this many 16.16 units of the
// origin and the matrix's entries stay below kStepLimit: far inside the range past which
// pixman refuses a draw, or its walk would wrap.
constexpr int64_t kFixedLimit = int64_t{1} << 30;
constexpr int64_t kStepLimit = int64_t{1} << 28;

// The first sample point of row y, at the centre of pixel x.
bool RowStart(const pixman_transform_t& transform, int32_t x, int32_t y, pixman_vector_t& start) {
    start = pixman_vector_t{{pixman_int_to_fixed(x) + pixman_fixed_1 / 2,
                             pixman_int_to_fixed(y) + pixman_fixed_1 / 2, pixman_fixed_1}};
    return pixman_transform_point_3d(&transform, &start) != 0;
}

int64_t FloorDivide(int64_t a, int64_t positive) {
    return a >= 0 ? a / positive : -((-a + positive - 1) / positive);
}

int64_t CeilDivide(int64_t a, int64_t positive) {
    return -FloorDivide(-a, positive);
}

// Narrows [first, last) to the steps i whose sample point start + i · step lies in texels
// 0 .. size - 1, that is (point - 1) >> 16 in that range: 1 <= start + i · step <= size · 2^16.
void KeepInside(int64_t start, int64_t step, int32_t size, int64_t& first, int64_t& last) {
    const int64_t limit = int64_t{size} << 16;
    if (step == 0) {
        if (start < 1 || start > limit) {
            last = first;
        }
    } else if (step > 0) {
        first = std::max(first, CeilDivide(1 - start, step));
        last = std::min(last, FloorDivide(limit - start, step) + 1);
    } else {
        first = std::max(first, CeilDivide(start - limit, -step));
        last = std::min(last, FloorDivide(start - 1, -step) + 1);
    }
}

}  // namespace

bool NearestLoopAccepts(const pixman_transform_t& transform, int32_t x, int32_t width, int32_t top,
                        int32_t bottom) {
    if (!kNearestLoopBuilt) {
        return false;
    }
    for (const pixman_fixed_t entry : {transform.matrix[0][0], transform.matrix[0][1],
                                       transform.matrix[1][0], transform.matrix[1][1]}) {
        if (std::abs(int64_t{entry}) >= kStepLimit) {
            return false;
        }
    }
    const int64_t reachX = std::abs(int64_t{transform.matrix[0][0]}) * width;
    const int64_t reachY = std::abs(int64_t{transform.matrix[1][0]}) * width;
    for (int32_t y = top; y < bottom; ++y) {
        pixman_vector_t start;
        if (!RowStart(transform, x, y, start) ||
            std::abs(int64_t{start.vector[0]}) + reachX >= kFixedLimit ||
            std::abs(int64_t{start.vector[1]}) + reachY >= kFixedLimit) {
            return false;
        }
    }
    return true;
}

#if defined(__SSE2__)

namespace {

// The four channels of a pixel in 16-bit lanes.
inline __m128i Widen(uint32_t pixel) {
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(pixel)), _mm_setzero_si128());
}

inline uint32_t Narrow(__m128i lanes) {
    return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(lanes, lanes)));
}

// a · b / 255 in each lane, rounded as pixman rounds: t = a · b + 128, (t + t / 256) / 256.
inline __m128i MultiplyLanes(__m128i a, __m128i b) {
    const __m128i t = _mm_adds_epu16(_mm_mullo_epi16(a, b), _mm_set1_epi16(0x80));
    return _mm_mulhi_epu16(t, _mm_set1_epi16(0x101));
}

}  // namespace

void ComposeNearestOver(const TexelView& source, const pixman_transform_t& transform,
                        uint32_t premultipliedArgb, const BackRows& back, int32_t x, int32_t width,
                        int32_t top, int32_t bottom) {
    const pixman_fixed_t stepU = transform.matrix[0][0];
    const pixman_fixed_t stepV = transform.matrix[1][0];
    const __m128i colour = Widen(premultipliedArgb);
    for (int32_t y = top; y < bottom; ++y) {
        pixman_vector_t start;
        RowStart(transform, x, y, start);
        int64_t first = 0;
        int64_t last = width;
        KeepInside(start.vector[0], stepU, source.width, first, last);
        KeepInside(start.vector[1], stepV, source.height, first, last);
        uint32_t* row = back.rows + static_cast<ptrdiff_t>(y) * back.stride + x;
        for (int64_t i = first; i < last; ++i) {
            // The texel whose area holds the sample point, the lower one on an edge.
            const int32_t column = pixman_fixed_to_int(
                static_cast<pixman_fixed_t>(start.vector[0] + i * stepU) - pixman_fixed_e);
            const int32_t line = pixman_fixed_to_int(
                static_cast<pixman_fixed_t>(start.vector[1] + i * stepV) - pixman_fixed_e);
            const __m128i texel = MultiplyLanes(
                Widen(source.origin[static_cast<ptrdiff_t>(line) * source.stride + column]),
                colour);
            const uint32_t tinted = Narrow(texel);
            const uint32_t alpha = tinted >> 24;
            if (tinted == 0) {
                continue;
            }
            if (alpha == 0xFF) {
                row[i] = tinted;
                continue;
            }
            const __m128i kept =
                MultiplyLanes(Widen(row[i]), _mm_set1_epi16(static_cast<int16_t>(0xFF - alpha)));
            row[i] = Narrow(_mm_adds_epu16(kept, texel));
        }
    }
}

#else

void ComposeNearestOver(const TexelView&, const pixman_transform_t&, uint32_t, const BackRows&,
                        int32_t, int32_t, int32_t, int32_t) {}

#endif

}  // namespace tavro
