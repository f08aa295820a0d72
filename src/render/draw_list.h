// The frame's draw list. Draw and text commands add items during the frame; after the scripts
// ran, the frame loop renders them, in ascending unsigned priority and, within one priority,
// in the order they were added, or discards them when the frame's picture is skipped. Nothing
// outlives the frame.
#pragma once

#include <cstdint>
#include <vector>

#include "render/animation_table.h"
#include "render/graphics_device.h"
#include "render/image_ref.h"
#include "render/texture_cache.h"
#include "render/transform.h"
#include "text/text_string.h"

namespace tavro {

class CurrentFont;

struct DrawItem {
    uint32_t priority = 0;  // smaller keys are drawn first, underneath
    ImageRef image;         // texture index -1 for a text item
    TextString text;        // empty for an image item
    TransformMatrix objectMatrix;
    uint32_t colour = 0;  // ARGB modulation
    TransformMatrix viewMatrix;
    int32_t alignment = 0;  // text items only
};

class DrawList {
  public:
    void add(DrawItem item);
    int32_t count() const { return static_cast<int32_t>(items_.size()); }
    // The items in drawing order.
    std::vector<const DrawItem*> ordered() const;
    void clear();

  private:
    std::vector<DrawItem> items_;
    bool addedInOrder_ = true;  // no item had a smaller key than the one before it
};

// What rendering needs besides the list.
struct RenderContext {
    GraphicsDevice& device;
    TextureCache& textures;
    AnimationTable& animations;
    ScreenScale screenScale;
    CurrentFont* font = nullptr;  // none: text items are not drawn
};

// The compositor's form of a transform matrix.
AffineMatrix CompositorMatrixOf(const TransformMatrix& m);

// Both add nothing once a halt is requested; a text item also not when its text is empty.
void AddImageItem(DrawList& list, const ImageRef& image, const TransformMatrix& objectMatrix,
                  uint32_t colour, uint32_t priority, const TransformMatrix& viewMatrix,
                  bool haltRequested);
void AddTextItem(DrawList& list, const TextString& text, const TransformMatrix& objectMatrix,
                 uint32_t colour, uint32_t priority, const TransformMatrix& viewMatrix,
                 int32_t alignment, bool haltRequested);

// Draws every item, each with object × screen scale × view, then empties the list: an image
// item with DrawImageItem, a text item with DrawTextItem. Once a halt is requested it does
// nothing and keeps the list. An item that cannot be drawn is skipped.
void RenderDrawList(DrawList& list, const RenderContext& context, bool haltRequested);
void DiscardDrawList(DrawList& list);

// Draws one image item centred on the origin of its final matrix; false when it has no
// texture. An animation frame is moved by half its size, which the draw command compensates;
// the part of a frame outside the sheet is left out (nothing is drawn when no part is inside),
// and the rest stays where it would have been.
bool DrawImageItem(const ImageRef& image, const TransformMatrix& finalMatrix, uint32_t colour,
                   const RenderContext& context);

}  // namespace tavro
