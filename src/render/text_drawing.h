// Drawing a text item: the text is measured in the current font, its rectangle placed by the
// item's alignment mode, and the text drawn in that rectangle through the item's final matrix,
// its lines aligned left, centred or right (mode modulo 3), nothing clipped.
#pragma once

#include <cstdint>

#include "host/font_renderer.h"
#include "render/draw_list.h"

namespace tavro {

struct TextRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const TextRect&, const TextRect&) = default;
};

// Mode modulo 3 aligns the lines: 0 left, 1 centre, 2 right.
LineAlignment LineAlignmentOf(uint32_t mode);

// What measuring a box of this size in an empty rectangle at the origin gives: left-aligned
// lines widen the rectangle to the right; centred and right-aligned lines are placed relative
// to its given sides, so it keeps its zero width. Every rectangle grows down by the height.
TextRect MeasuredTextRect(int32_t width, int32_t height, LineAlignment alignment);

// The measured rectangle moved by the mode: with half its width hw and half its height hh
// (truncated), a centred mode moves it right by hw, a right-aligned one by 2 hw, and a mode
// of 3 or more moves it left by hw and up by hh, centring it on the origin.
TextRect AlignTextRect(const TextRect& measured, uint32_t mode);

// The left side of a box of this width drawn in the rectangle: at its left side, centred
// between its sides, or ending at its right side.
int32_t TextBoxLeft(const TextRect& rect, int32_t width, LineAlignment alignment);

// Draws nothing without a device; without a font it first creates the default face at height
// 16, and draws nothing when that fails.
void DrawTextItem(const TextString& text, const TransformMatrix& finalMatrix, uint32_t colour,
                  uint32_t mode, const RenderContext& context);

}  // namespace tavro
