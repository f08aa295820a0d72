#include "render/draw_list.h"

#include <algorithm>
#include <utility>

namespace tavro {

namespace {

AffineMatrix CompositorMatrix(const TransformMatrix& m) {
    return AffineMatrix{m.m11, m.m12, m.m21, m.m22, m.m41, m.m42};
}

}  // namespace

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

void AddTextItem(const TextString& text, DrawList& list, const TransformMatrix& objectMatrix,
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
    for (const DrawItem* item : list.ordered()) {
        if (item->text.empty()) {
            const TransformMatrix finalMatrix =
                FinalItemMatrix(item->objectMatrix, context.screenScale, item->viewMatrix);
            DrawImageItem(item->image, finalMatrix, item->colour, context);
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
        FrameRect frame;
        if (!context.animations.frameRect(image.animationIndex, image.frameCounter, frame)) {
            return false;
        }
        item.source = TexelRect{frame.left, frame.top, frame.right, frame.bottom};
        placement = Multiply(finalMatrix, Translation(0.5 * (frame.right - frame.left),
                                                      0.5 * (frame.bottom - frame.top)));
    }
    item.centreX = 0.5f * static_cast<float>(item.source.right - item.source.left);
    item.centreY = 0.5f * static_cast<float>(item.source.bottom - item.source.top);
    item.matrix = CompositorMatrix(placement);
    compositor->draw(item);
    return true;
}

}  // namespace tavro
