#include "host/compositor/banded_composition.h"

#include <algorithm>

#include "host/compositor/texel_loops.h"

namespace tavro {

namespace {

constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;

// With several threads, a frame is cut into this many bands (and its copies into this many
// shares) per thread, so that a thread the system holds back leaves little undone.
constexpr int32_t kTasksPerThread = 3;

// The copy buffer holds at most this many texels, unless one draw alone needs more.
constexpr size_t kCopyBudget = size_t{16} << 20;

// The colour's channels multiplied by its alpha, rounded, in 8 bits each.
uint32_t PremultipliedArgb(uint32_t argb) {
    const uint32_t alpha = argb >> 24;
    auto channel = [&](uint32_t shift) {
        return (((argb >> shift) & 0xFF) * alpha + 127) / 255 << shift;
    };
    return alpha << 24 | channel(16) | channel(8) | channel(0);
}

pixman_color_t PremultipliedColour(uint32_t argb) {
    const uint32_t premultiplied = PremultipliedArgb(argb);
    auto channel = [&](uint32_t shift) {
        return static_cast<uint16_t>((premultiplied >> shift & 0xFF) * 0x101);
    };
    return pixman_color_t{channel(16), channel(8), channel(0), channel(24)};
}

int32_t Width(const TexelRect& rect) {
    return rect.right - rect.left;
}

int32_t Height(const TexelRect& rect) {
    return rect.bottom - rect.top;
}

TexelView TexelsOf(pixman_image_t* image, const TexelRect& rect) {
    const int32_t stride = pixman_image_get_stride(image) / 4;
    return TexelView{
        pixman_image_get_data(image) + static_cast<ptrdiff_t>(rect.top) * stride + rect.left,
        Width(rect), Height(rect), stride};
}

// A view of width × height texels from origin, rows strideBytes apart, sharing the memory.
pixman_image_t* View(pixman_format_code_t format, uint32_t* origin, int32_t width, int32_t height,
                     int32_t strideBytes) {
    return pixman_image_create_bits(format, width, height, origin, strideBytes);
}

pixman_image_t* RectView(pixman_image_t* image, const TexelRect& rect) {
    const int32_t stride = pixman_image_get_stride(image);
    uint32_t* origin =
        pixman_image_get_data(image) + static_cast<ptrdiff_t>(rect.top) * (stride / 4) + rect.left;
    return View(PIXMAN_a8r8g8b8, origin, Width(rect), Height(rect), stride);
}

bool IsTinted(uint32_t colour) {
    return (colour & 0x00FFFFFF) != 0x00FFFFFF;
}

}  // namespace

bool BandedComposition::hasRoomForCopy(int32_t width, int32_t height) const {
    return draws_.empty() || copiesSize_ + PaddedTexels(width, height) <= kCopyBudget;
}

void BandedComposition::add(pixman_image_t* texture, const TexelRect& rect,
                            const QuadPlacement& placement, Sampling sampling, uint32_t colour) {
    pixman_image_ref(texture);
    const pixman_filter_t filter =
        sampling == Sampling::kSmooth ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST;
    // A rotated quad goes through Tavro's own loop, which tints as it samples nearest; smooth,
    // it samples a padded copy, tinted first (as a smooth sample blends tinted texels).
    // pixman samples a tinted copy.
    const bool ownLoop = placement.kind == QuadKind::kRotated &&
                         OwnLoopAccepts(placement.transform, sampling, placement.x, placement.width,
                                        placement.y, placement.y + placement.height);
    size_t copyOffset = kNoCopy;
    if (ownLoop ? sampling == Sampling::kSmooth : IsTinted(colour)) {
        copyOffset = copiesSize_;
        copiesSize_ += PaddedTexels(Width(rect), Height(rect));
        copiedDraws_.push_back(draws_.size());
    }
    draws_.push_back(Draw{texture, rect, placement, filter, colour, copyOffset, ownLoop});
}

uint32_t* BandedComposition::copyInterior(const Draw& draw) {
    return copies_.data() + draw.copyOffset + PaddedInteriorStart(Width(draw.rect));
}

pixman_image_t* BandedComposition::copyImage(const Draw& draw) {
    return View(PIXMAN_a8r8g8b8, copyInterior(draw), Width(draw.rect), Height(draw.rect),
                PaddedStride(Width(draw.rect)) * 4);
}

void BandedComposition::copy(const Draw& draw) {
    if (kOwnLoopBuilt) {
        PadTexels(TexelsOf(draw.texture, draw.rect),
                  IsTinted(draw.colour) ? PremultipliedArgb(draw.colour) : kOpaqueWhite,
                  copies_.data() + draw.copyOffset);
        return;
    }
    // Without the own loop only tinted draws are copied, and pixman reads no border.
    pixman_image_t* source = RectView(draw.texture, draw.rect);
    pixman_image_t* tinted = copyImage(draw);
    const pixman_color_t premultiplied = PremultipliedColour(draw.colour);
    pixman_image_t* tint = pixman_image_create_solid_fill(&premultiplied);
    pixman_image_set_component_alpha(tint, 1);
    pixman_image_composite32(PIXMAN_OP_SRC, source, tint, tinted, 0, 0, 0, 0, 0, 0,
                             Width(draw.rect), Height(draw.rect));
    pixman_image_unref(tint);
    pixman_image_unref(tinted);
    pixman_image_unref(source);
}

void BandedComposition::composeOwnLoop(const Draw& draw, uint32_t* rows, int32_t stride,
                                       int32_t top, int32_t bottom) {
    const QuadPlacement& placement = draw.placement;
    const bool copied = draw.copyOffset != kNoCopy;
    const TexelView source = copied ? TexelView{copyInterior(draw), Width(draw.rect),
                                                Height(draw.rect), PaddedStride(Width(draw.rect))}
                                    : TexelsOf(draw.texture, draw.rect);
    // Untinted, the samples are multiplied by the alpha alone, as through pixman's solid mask.
    const uint32_t multiplier = !IsTinted(draw.colour) ? (draw.colour >> 24) * 0x01010101u
                                : copied               ? kOpaqueWhite
                                                       : PremultipliedArgb(draw.colour);
    ComposeOwnLoop(source, placement.transform,
                   draw.filter == PIXMAN_FILTER_BILINEAR ? Sampling::kSmooth : Sampling::kPoint,
                   multiplier, BackRows{rows, stride}, placement.x, placement.width,
                   std::max(placement.y, top), std::min(placement.y + placement.height, bottom));
}

void BandedComposition::composeBand(const Draw& draw, pixman_image_t* band, int32_t bandTop) {
    const QuadPlacement& placement = draw.placement;
    pixman_image_t* source = nullptr;
    pixman_image_t* mask = nullptr;
    if (draw.copyOffset != kNoCopy) {
        source = copyImage(draw);
    } else {
        source = RectView(draw.texture, draw.rect);
        if (draw.colour != kOpaqueWhite) {
            const pixman_color_t alpha = PremultipliedColour(draw.colour);
            mask = pixman_image_create_solid_fill(&alpha);
        }
    }
    // pixman clips the rectangle to the band and moves the source point along with it.
    if (placement.kind == QuadKind::kWholePixels) {
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, band, placement.sourceX,
                                 placement.sourceY, 0, 0, placement.x, placement.y - bandTop,
                                 placement.width, placement.height);
    } else {
        pixman_image_set_transform(source, &placement.transform);
        pixman_image_set_filter(source, draw.filter, nullptr, 0);
        // Edges along the grid keep their edge texels, as a clamped quad does; a rotated
        // quad fades into the transparent outside.
        pixman_image_set_repeat(source, placement.kind == QuadKind::kAxisAligned
                                            ? PIXMAN_REPEAT_PAD
                                            : PIXMAN_REPEAT_NONE);
        pixman_image_composite32(PIXMAN_OP_OVER, source, mask, band, placement.x, placement.y, 0, 0,
                                 placement.x, placement.y - bandTop, placement.width,
                                 placement.height);
    }
    if (mask != nullptr) {
        pixman_image_unref(mask);
    }
    pixman_image_unref(source);
}

void BandedComposition::compose(pixman_image_t* backBuffer) {
    if (draws_.empty()) {
        return;
    }
    const int32_t tasks = workers_.threads() == 1 ? 1 : workers_.threads() * kTasksPerThread;
    if (!copiedDraws_.empty()) {
        copies_.resize(std::max(copies_.size(), copiesSize_));
        workers_.run(tasks, [&](int32_t task) {
            for (size_t i = static_cast<size_t>(task); i < copiedDraws_.size();
                 i += static_cast<size_t>(tasks)) {
                copy(draws_[copiedDraws_[i]]);
            }
        });
    }
    const int32_t width = pixman_image_get_width(backBuffer);
    const int32_t height = pixman_image_get_height(backBuffer);
    const int32_t stride = pixman_image_get_stride(backBuffer);
    uint32_t* rows = pixman_image_get_data(backBuffer);
    workers_.run(tasks, [&](int32_t band) {
        const int32_t top = static_cast<int32_t>(int64_t{height} * band / tasks);
        const int32_t bottom = static_cast<int32_t>(int64_t{height} * (band + 1) / tasks);
        if (top == bottom) {
            return;
        }
        pixman_image_t* target =
            View(PIXMAN_x8r8g8b8, rows + static_cast<ptrdiff_t>(top) * (stride / 4), width,
                 bottom - top, stride);
        for (const Draw& draw : draws_) {
            if (draw.placement.y >= bottom || draw.placement.y + draw.placement.height <= top) {
                continue;
            }
            if (draw.ownLoop) {
                composeOwnLoop(draw, rows, stride / 4, top, bottom);
            } else {
                composeBand(draw, target, top);
            }
        }
        pixman_image_unref(target);
    });
    discard();
}

void BandedComposition::discard() {
    for (const Draw& draw : draws_) {
        pixman_image_unref(draw.texture);
    }
    draws_.clear();
    copiedDraws_.clear();
    copiesSize_ = 0;
}

}  // namespace tavro
