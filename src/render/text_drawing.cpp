#include "render/text_drawing.h"

#include "render/current_font.h"

namespace tavro {

LineAlignment LineAlignmentOf(uint32_t mode) {
    return static_cast<LineAlignment>(mode % 3);
}

TextRect MeasuredTextRect(int32_t width, int32_t height, LineAlignment alignment) {
    return TextRect{0, 0, alignment == LineAlignment::kLeft ? width : 0, height};
}

int32_t TextBoxLeft(const TextRect& rect, int32_t width, LineAlignment alignment) {
    const int64_t spare = static_cast<int64_t>(rect.right) - rect.left - width;
    const int64_t left = alignment == LineAlignment::kCentre  ? rect.left + spare / 2
                         : alignment == LineAlignment::kRight ? rect.left + spare
                                                              : rect.left;
    return static_cast<int32_t>(left);
}

TextRect AlignTextRect(const TextRect& measured, uint32_t mode) {
    // In 64 bits: the sides of a measured box may lie anywhere in the 32-bit range.
    const int64_t halfWidth = (static_cast<int64_t>(measured.right) - measured.left) / 2;
    const int64_t halfHeight = (static_cast<int64_t>(measured.bottom) - measured.top) / 2;
    int64_t shiftX = 0;
    int64_t shiftY = 0;
    const LineAlignment alignment = LineAlignmentOf(mode);
    if (alignment == LineAlignment::kCentre) {
        shiftX += halfWidth;
    } else if (alignment == LineAlignment::kRight) {
        shiftX += 2 * halfWidth;
    }
    if (mode >= 3) {
        shiftX -= halfWidth;
        shiftY -= halfHeight;
    }
    auto moved = [](int32_t side, int64_t shift) { return static_cast<int32_t>(side + shift); };
    return TextRect{moved(measured.left, shiftX), moved(measured.top, shiftY),
                    moved(measured.right, shiftX), moved(measured.bottom, shiftY)};
}

void DrawTextItem(const TextString& text, const TransformMatrix& finalMatrix, uint32_t colour,
                  uint32_t mode, const RenderContext& context) {
    Compositor* compositor = context.device.compositor();
    if (compositor == nullptr || context.font == nullptr) {
        return;
    }
    CurrentFont& font = *context.font;
    if (!font.ready() && !font.create("", kFallbackFontHeight)) {
        return;
    }
    const LineAlignment alignment = LineAlignmentOf(mode);
    const TextTexture* drawn = font.text(text, alignment);
    if (drawn == nullptr || drawn->texture == kNoTexture) {
        return;
    }
    const TextRect rect =
        AlignTextRect(MeasuredTextRect(drawn->boxWidth, drawn->boxHeight, alignment), mode);
    CompositorItem item;
    item.texture = drawn->texture;
    item.source = TexelRect{0, 0, drawn->width, drawn->height};
    // The box lands in the rectangle as its lines are aligned, its top on the rectangle's.
    const int32_t boxLeft = TextBoxLeft(rect, drawn->boxWidth, alignment);
    item.centreX = static_cast<float>(static_cast<int64_t>(drawn->boxX) - boxLeft);
    item.centreY = static_cast<float>(static_cast<int64_t>(drawn->boxY) - rect.top);
    item.matrix = CompositorMatrixOf(finalMatrix);
    item.colour = colour;
    compositor->draw(item);
}

}  // namespace tavro
