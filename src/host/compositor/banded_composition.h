// One frame's draws, queued as they come and composed together on every core: first the tinted
// sources, shared over the threads draw by draw, then the back buffer in horizontal bands
// (one with one thread, three per thread otherwise), each band compositing every draw that
// reaches it, clipped to its rows. The bands give the very pixels one pass over the whole
// buffer gives, as pixman computes each destination pixel from that pixel's own coordinates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <pixman.h>

#include "host/compositor.h"
#include "host/compositor/band_workers.h"
#include "host/compositor/quad_placement.h"

namespace tavro {

class BandedComposition {
  public:
    explicit BandedComposition(int32_t threads) : workers_(threads) {}
    ~BandedComposition() { discard(); }
    BandedComposition(const BandedComposition&) = delete;
    BandedComposition& operator=(const BandedComposition&) = delete;

    bool empty() const { return draws_.empty(); }
    // Whether a draw of `texels` source texels, tinted, fits the tint buffer's budget (always
    // when nothing is queued).
    bool hasRoomForTint(size_t texels) const;

    // Queues the rect of texture (kept referenced until composed) placed by placement, its
    // texels multiplied by colour as the compositor does.
    void add(pixman_image_t* texture, const TexelRect& rect, const QuadPlacement& placement,
             Sampling sampling, uint32_t colour);
    // Composes the queued draws in order onto backBuffer and empties the queue.
    void compose(pixman_image_t* backBuffer);
    // Empties the queue without composing.
    void discard();

  private:
    static constexpr size_t kNoTint = SIZE_MAX;

    struct Draw {
        pixman_image_t* texture;
        TexelRect rect;
        QuadPlacement placement;
        pixman_filter_t filter;
        uint32_t colour;
        size_t tintOffset;  // where the tinted texels start in tinted_, or kNoTint
        bool ownLoop;       // composed by Tavro's own loop (texel_loops.h)
    };

    void tint(const Draw& draw);
    void composeBand(const Draw& draw, pixman_image_t* band, int32_t bandTop);
    // Composes a draw of Tavro's own loop onto back-buffer rows [top, bottom) (rows stride
    // pixels apart).
    void composeOwnLoop(const Draw& draw, uint32_t* rows, int32_t stride, int32_t top,
                        int32_t bottom);

    std::vector<Draw> draws_;
    std::vector<size_t> tintedDraws_;  // indices of the draws to tint
    std::vector<uint32_t> tinted_;     // the tinted texels of those draws, one after another
    size_t tintedSize_ = 0;
    BandWorkers workers_;
};

}  // namespace tavro
