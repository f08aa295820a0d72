#include "render/draw_list.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "render/text_drawing.h"

namespace tavro {

namespace {

// The frame cut to the sheet, so a frame from a file with negative cells, corners beyond the
// sheet or overflowing positions never reads outside the texture.
TexelRect ClampToSheet(const FrameRect& frame, const ImageInfo& sheet) {
    const int64_t width = std::min<int64_t>(sheet.width, std::numeric_limits<int32_t>::max());
    const int64_t height = std::min<int64_t>(sheet.height, std::numeric_limits<int32_t>::max());
    auto cut = [](int32_t value, int64_t limit) {
        return static_cast<int32_t>(std::clamp<int64_t>(value, 0, limit));
    };
    return TexelRect{cut(frame.left, width), cut(frame.top, height), cut(frame.right, width),
                     cut(frame.bottom, height)};
}

}  // namespace

AffineMatrix CompositorMatrixOf(const TransformMatrix& m) {
    return AffineMatrix{m.m11, m.m12, m.m21, m.m22, m.m41, m.m42};
}

void DrawList::add(DrawItem item) {
    if (!items_.empty() && item.priority < items_.back().priority) {
        addedInOrder_ = false;
    }
    items_.push_back(std::move(item));
}

std::vector<const DrawItem*> DrawList::ordered() const {
    std::vector<const DrawItem*> order;
    order.reserve(items_.size());
    for (const DrawItem& item : items_) {
        order.push_back(&item);
    }
    if (!addedInOrder_) {
        std::stable_sort(order.begin(), order.end(), [](const DrawItem* a, const DrawItem* b) {
            return a->priority < b->priority;
        });
    }
    return order;
}

void DrawList::clear() {
    items_.clear();
    addedInOrder_ = true;
}

void AddImageItem(DrawList& list, const ImageRef& image, const TransformMatrix& objectMatrix,
                  uint32_t colour, uint32_t priority, const TransformMatrix& viewMatrix,
                  bool haltRequested) {
    if (haltRequested) {
        return;
    }
    list.add(DrawItem{priority, image, {}, objectMatrix, colour, viewMatrix, 0});
}

void AddTextItem(DrawList& list, const TextString& text, const TransformMatrix& objectMatrix,
                 uint32_t colour, uint32_t priority, const TransformMatrix& viewMatrix,
                 int32_t alignment, bool haltRequested) {
    if (haltRequested || text.empty()) {
        return;
    }
    list.add(DrawItem{priority, ImageRef{}, text, objectMatrix, colour, viewMatrix, alignment});
}

void RenderDrawList(DrawList& list, const RenderContext& context, bool haltRequested) {
    if (haltRequested) {
        return;
    }
    context.textures.beginFrame();
    for (const DrawItem* item : list.ordered()) {
        const TransformMatrix finalMatrix =
            FinalItemMatrix(item->objectMatrix, context.screenScale, item->viewMatrix);
        if (item->text.empty()) {
            DrawImageItem(item->image, finalMatrix, item->colour, context);
        } else {
            DrawTextItem(item->text, finalMatrix, item->colour,
                         static_cast<uint32_t>(item->alignment), context);
        }
    }
    list.clear();
}

void DiscardDrawList(DrawList& list) {
    list.clear();
}

bool DrawImageItem(const ImageRef& image, const TransformMatrix& finalMatrix, uint32_t colour,
                   const RenderContext& context) {
    Compositor* compositor = context.device.compositor();
    if (compositor == nullptr || image.textureIndex < 0) {
        return false;
    }
    const TextureHandle texture = context.textures.texture(image.textureIndex, context.device);
    if (texture == kNoTexture) {
        return false;
    }
    CompositorItem item;
    item.texture = texture;
    item.colour = colour;
    TransformMatrix placement = finalMatrix;
    if (image.animationIndex < 0) {
        const ImageInfo info = context.textures.imageInfo(image.textureIndex, context.device);
        item.source =
            TexelRect{0, 0, static_cast<int32_t>(info.width), static_cast<int32_t>(info.height)};
    } else {
        // Only the item's copy of the counter is wrapped; the object's own keeps counting.
        auto counter = static_cast<uint32_t>(image.frameCounter);
        const FrameRect frame = context.animations.currentFrameRect(image.animationIndex, counter);
        const ImageInfo sheet = context.textures.imageInfo(image.textureIndex, context.device);
        const TexelRect inside = ClampToSheet(frame, sheet);
        if (inside.right <= inside.left || inside.bottom <= inside.top) {
            return false;
        }
        item.source = inside;
        // Positions as doubles: a frame corner may lie anywhere in the 32-bit range.
        const double cutLeft = static_cast<double>(inside.left) - frame.left;
        const double cutTop = static_cast<double>(inside.top) - frame.top;
        placement = Multiply(finalMatrix, Translation(0.5 * (inside.right - inside.left) + cutLeft,
                                                      0.5 * (inside.bottom - inside.top) + cutTop));
    }
    item.centreX = 0.5f * static_cast<float>(item.source.right - item.source.left);
    item.centreY = 0.5f * static_cast<float>(item.source.bottom - item.source.top);
    item.matrix = CompositorMatrixOf(placement);
    compositor->draw(item);
    return true;
}

}  // namespace tavro
