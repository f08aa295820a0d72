// One frame's draws, queued as they come and composed together on every core: first the copies
// of sources (tinted, or padded for the smooth loop), shared over the threads draw by draw, then
// the back buffer in horizontal bands (one with one thread, three per thread otherwise), each band
// compositing every draw that reaches it, clipped to its rows. The bands give the very pixels one
// pass over the whole buffer gives, as pixman computes each destination pixel from that pixel's own
// coordinates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <pixman.h>

#include "host/compositor.h"
#include "host/compositor/band_workers.h"
#include "host/compositor/quad_placement.h"
#include "host/compositor/texel_loops.h"

namespace tavro {

class BandedComposition {
  public:
    explicit BandedComposition(int32_t threads) : workers_(threads) {}
    ~BandedComposition() { discard(); }
    BandedComposition(const BandedComposition&) = delete;
    BandedComposition& operator=(const BandedComposition&) = delete;

    bool empty() const { return draws_.empty(); }
    // Whether a copy of a draw's width × height source texels fits the copy buffer's budget
    // (always when nothing is queued).
    bool hasRoomForCopy(int32_t width, int32_t height) const;

    // Queues the rect of texture (kept referenced until composed) placed by placement, its
    // texels multiplied by colour as the compositor does.
    void add(pixman_image_t* texture, const TexelRect& rect, const QuadPlacement& placement,
             Sampling sampling, uint32_t colour);
    // Composes the queued draws in order onto backBuffer and empties the queue.
    void compose(pixman_image_t* backBuffer);
    // Empties the queue without composing.
    void discard();

  private:
    static constexpr size_t kNoCopy = SIZE_MAX;

    struct Draw {
        pixman_image_t* texture;
        TexelRect rect;
        QuadPlacement placement;
        pixman_filter_t filter;
        uint32_t colour;
        size_t copyOffset;  // where the padded copy of its texels starts in copies_, or kNoCopy
        bool ownLoop;       // composed by Tavro's own loop (texel_loops.h)
    };

    void copy(const Draw& draw);
    // The first of the source's own texels in the draw's copy (rows width + 2 apart), and a
    // pixman image of them.
    uint32_t* copyInterior(const Draw& draw);
    pixman_image_t* copyImage(const Draw& draw);
    void composeBand(const Draw& draw, pixman_image_t* band, int32_t bandTop);
    // Composes a draw of Tavro's own loop onto back-buffer rows [top, bottom) (rows stride
    // pixels apart).
    void composeOwnLoop(const Draw& draw, uint32_t* rows, int32_t stride, int32_t top,
                        int32_t bottom);

    std::vector<Draw> draws_;
    std::vector<size_t> copiedDraws_;  // indices of the draws to copy
    std::vector<uint32_t> copies_;     // the padded copies of those draws, one after another
    size_t copiesSize_ = 0;
    BandWorkers workers_;
};

}  // namespace tavro
