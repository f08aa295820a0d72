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

// The first sample point of row y, at the centre of pixel x. pixman turns the row's centre
// y + 1/2 into its whole and its half apart, so the point of row y + 1 is that of row y plus
// the matrix's second column, exactly.
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

// Narrows [first, last) to the steps i whose point start + i · step lies in [low, high]. Unused
// where the loop is not built (no SSE2, as on the web).
[[maybe_unused]] void KeepInside(int64_t start, int64_t step, int64_t low, int64_t high,
                                 int64_t& first, int64_t& last) {
    if (step == 0) {
        if (start < low || start > high) {
            last = first;
        }
    } else if (step > 0) {
        first = std::max(first, CeilDivide(low - start, step));
        last = std::min(last, FloorDivide(high - start, step) + 1);
    } else {
        first = std::max(first, CeilDivide(start - high, -step));
        last = std::min(last, FloorDivide(start - low, -step) + 1);
    }
}

}  // namespace

bool OwnLoopAccepts(const pixman_transform_t& transform, Sampling sampling, int32_t x,
                    int32_t width, int32_t top, int32_t bottom) {
    if (!kOwnLoopBuilt) {
        return false;
    }
    const pixman_fixed_t(&m)[3][3] = transform.matrix;
    // A matrix without turn (pixman's scaled paths draw it) and, smooth, one whose entries
    // are all whole (pixman samples it nearest) are left to pixman.
    if ((m[0][1] == 0 && m[1][0] == 0) ||
        (sampling == Sampling::kSmooth &&
         pixman_fixed_frac(m[0][0] | m[0][1] | m[0][2] | m[1][0] | m[1][1] | m[1][2]) == 0)) {
        return false;
    }
    for (const pixman_fixed_t entry : {m[0][0], m[0][1], m[1][0], m[1][1]}) {
        if (std::abs(int64_t{entry}) >= kStepLimit) {
            return false;
        }
    }
    const int64_t reachX = std::abs(int64_t{m[0][0]}) * width;
    const int64_t reachY = std::abs(int64_t{m[1][0]}) * width;
    // A row's start moves by the same step from each row to the next, so the first and the
    // last rows' starts are the farthest out.
    for (const int32_t y : {top, bottom - 1}) {
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

// OVER of tinted (each channel at most its alpha) on the pixels in dst, both in 16-bit lanes,
// one or two pixels at once, each alpha taken from lane 3 of its pixel.
inline __m128i OverLanes(__m128i tinted, __m128i dst) {
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(tinted, _MM_SHUFFLE(3, 3, 3, 3)),
                                              _MM_SHUFFLE(3, 3, 3, 3));
    const __m128i kept = MultiplyLanes(dst, _mm_sub_epi16(_mm_set1_epi16(0xFF), alpha));
    return _mm_adds_epu16(kept, tinted);
}

// Pixels of one row, sampled nearest: one at a time.
struct NearestTexel {
    static constexpr int64_t kLow = 1;  // (u - 1) >> 16 >= 0
    static constexpr int64_t kHighPast = 0;
    // The texel whose area holds the sample point (u, v) in 16.16, the lower one on an edge.
    static uint32_t at(const TexelView& source, pixman_fixed_t u, pixman_fixed_t v) {
        const int32_t column = pixman_fixed_to_int(u - pixman_fixed_e);
        const int32_t line = pixman_fixed_to_int(v - pixman_fixed_e);
        return source.origin[static_cast<ptrdiff_t>(line) * source.stride + column];
    }
    static void composeRow(const TexelView& source, int64_t u, int64_t v, int64_t stepU,
                           int64_t stepV, int64_t count, __m128i colour, bool multiplied,
                           uint32_t* row) {
        for (int64_t i = 0; i < count; ++i, u += stepU, v += stepV) {
            __m128i texel =
                Widen(at(source, static_cast<pixman_fixed_t>(u), static_cast<pixman_fixed_t>(v)));
            // 255 leaves a channel as it is.
            if (multiplied) {
                texel = MultiplyLanes(texel, colour);
            }
            const uint32_t tinted = Narrow(texel);
            if (tinted == 0) {
                continue;
            }
            row[i] = tinted >> 24 == 0xFF ? tinted : Narrow(OverLanes(texel, Widen(row[i])));
        }
    }
};

// The four texels around a sample point, upper and lower pair each in the low 8 bytes (left
// first), and its 7-bit weights across and down. The source's transparent border holds the
// texels outside it that a sample within the loop's reach touches.
struct Corners {
    __m128i upper, lower;
    int16_t dx, dy;
};

inline Corners CornersAt(const TexelView& source, pixman_fixed_t u, pixman_fixed_t v) {
    const pixman_fixed_t left = u - pixman_fixed_1 / 2;
    const pixman_fixed_t top = v - pixman_fixed_1 / 2;
    Corners c;
    c.dx = static_cast<int16_t>((left >> 9) & 0x7F);
    c.dy = static_cast<int16_t>((top >> 9) & 0x7F);
    const uint32_t* upper = source.origin +
                            static_cast<ptrdiff_t>(pixman_fixed_to_int(top)) * source.stride +
                            pixman_fixed_to_int(left);
    c.upper = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper));
    c.lower = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper + source.stride));
    return c;
}

// Pixels of one row, sampled smooth, two at a time. Each channel is pixman's sum of texel ×
// weight over 65536 rounded down, its weights being the 7-bit ones doubled: the same as the
// sum with the 7-bit weights over 16384, taken here as the pairs blended down in 16-bit lanes
// (at most 255 · 128), then across in 32-bit ones.
struct BilinearTexel {
    static constexpr int64_t kLow = -pixman_fixed_1 / 2;  // the right neighbour inside
    static constexpr int64_t kHighPast = pixman_fixed_1 / 2 - 1;

    // The sample's four channels in 32-bit lanes.
    static __m128i blend(const Corners& c) {
        const __m128i zero = _mm_setzero_si128();
        const __m128i down = _mm_set1_epi16(c.dy);
        const __m128i vertical =
            _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(c.upper, zero),
                                          _mm_sub_epi16(_mm_set1_epi16(128), down)),
                          _mm_mullo_epi16(_mm_unpacklo_epi8(c.lower, zero), down));
        // Each channel of the left texel next to that of the right one.
        const __m128i sides = _mm_unpacklo_epi16(vertical, _mm_unpackhi_epi64(vertical, vertical));
        const __m128i across = _mm_set1_epi32((int32_t{c.dx} << 16) | (128 - c.dx));
        return _mm_srli_epi32(_mm_madd_epi16(sides, across), 14);
    }

    static bool empty(const Corners& c) {
        const __m128i both = _mm_or_si128(c.upper, c.lower);
        return _mm_movemask_epi8(_mm_cmpeq_epi8(both, _mm_setzero_si128())) == 0xFFFF;
    }

    static void composeRow(const TexelView& source, int64_t u, int64_t v, int64_t stepU,
                           int64_t stepV, int64_t count, __m128i colour, bool multiplied,
                           uint32_t* row) {
        const __m128i colours = _mm_unpacklo_epi64(colour, colour);
        int64_t i = 0;
        for (; i + 1 < count; i += 2, u += 2 * stepU, v += 2 * stepV) {
            const Corners a =
                CornersAt(source, static_cast<pixman_fixed_t>(u), static_cast<pixman_fixed_t>(v));
            const Corners b = CornersAt(source, static_cast<pixman_fixed_t>(u + stepU),
                                        static_cast<pixman_fixed_t>(v + stepV));
            if (empty(a) && empty(b)) {
                continue;
            }
            __m128i texels = _mm_packs_epi32(blend(a), blend(b));
            // 255 leaves a channel as it is.
            if (multiplied) {
                texels = MultiplyLanes(texels, colours);
            }
            auto* pair = reinterpret_cast<__m128i*>(row + i);
            const __m128i dst = _mm_unpacklo_epi8(_mm_loadl_epi64(pair), _mm_setzero_si128());
            const __m128i over = OverLanes(texels, dst);
            _mm_storel_epi64(pair, _mm_packus_epi16(over, over));
        }
        if (i < count) {
            const Corners a =
                CornersAt(source, static_cast<pixman_fixed_t>(u), static_cast<pixman_fixed_t>(v));
            if (empty(a)) {
                return;
            }
            const __m128i sample = blend(a);
            __m128i texel = _mm_packs_epi32(sample, sample);
            if (multiplied) {
                texel = MultiplyLanes(texel, colour);
            }
            row[i] = Narrow(OverLanes(texel, Widen(row[i])));
        }
    }
};

template <typename Sample>
void ComposeOver(const TexelView& source, const pixman_transform_t& transform, uint32_t multiplier,
                 const BackRows& back, int32_t x, int32_t width, int32_t top, int32_t bottom) {
    const pixman_fixed_t stepU = transform.matrix[0][0];
    const pixman_fixed_t stepV = transform.matrix[1][0];
    const pixman_fixed_t downU = transform.matrix[0][1];
    const pixman_fixed_t downV = transform.matrix[1][1];
    const __m128i colour = Widen(multiplier);
    const bool multiplied = multiplier != 0xFFFFFFFF;
    pixman_vector_t start;
    RowStart(transform, x, top, start);
    int64_t rowU = start.vector[0];
    int64_t rowV = start.vector[1];
    for (int32_t y = top; y < bottom; ++y, rowU += downU, rowV += downV) {
        // Only the pixels whose sample reaches a texel of the source.
        int64_t first = 0;
        int64_t last = width;
        KeepInside(rowU, stepU, Sample::kLow, (int64_t{source.width} << 16) + Sample::kHighPast,
                   first, last);
        KeepInside(rowV, stepV, Sample::kLow, (int64_t{source.height} << 16) + Sample::kHighPast,
                   first, last);
        if (first >= last) {
            continue;
        }
        uint32_t* row = back.rows + static_cast<ptrdiff_t>(y) * back.stride + x;
        Sample::composeRow(source, rowU + first * stepU, rowV + first * stepV, stepU, stepV,
                           last - first, colour, multiplied, row + first);
    }
}

}  // namespace

void PadTexels(const TexelView& source, uint32_t multiplier, uint32_t* copy) {
    const __m128i colour = Widen(multiplier);
    const ptrdiff_t stride = PaddedStride(source.width);
    std::fill_n(copy, stride + 1, 0u);
    uint32_t* out = copy + stride + 1;
    for (int32_t y = 0; y < source.height; ++y, out += stride) {
        const uint32_t* row = source.origin + static_cast<ptrdiff_t>(y) * source.stride;
        if (multiplier == 0xFFFFFFFF) {
            std::copy_n(row, source.width, out);
        } else {
            for (int32_t x = 0; x < source.width; ++x) {
                out[x] = Narrow(MultiplyLanes(Widen(row[x]), colour));
            }
        }
        // The right border of this row and the left one of the next.
        out[source.width] = 0;
        out[source.width + 1] = 0;
    }
    std::fill_n(out, stride - 1, 0u);
}

void ComposeOwnLoop(const TexelView& source, const pixman_transform_t& transform, Sampling sampling,
                    uint32_t multiplier, const BackRows& back, int32_t x, int32_t width,
                    int32_t top, int32_t bottom) {
    if (sampling == Sampling::kSmooth) {
        ComposeOver<BilinearTexel>(source, transform, multiplier, back, x, width, top, bottom);
    } else {
        ComposeOver<NearestTexel>(source, transform, multiplier, back, x, width, top, bottom);
    }
}

#else

void PadTexels(const TexelView&, uint32_t, uint32_t*) {}

void ComposeOwnLoop(const TexelView&, const pixman_transform_t&, Sampling, uint32_t,
                    const BackRows&, int32_t, int32_t, int32_t, int32_t) {}

#endif

}  // namespace tavro
