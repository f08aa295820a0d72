// Fonts as the engine sees them: a face opened by its Shift-JIS name (or the default face) at a
// cell height, always bold, and a text laid out and rasterised in it once, as white coverage
// the compositor turns into a texture. Line feeds start new lines, tabs advance to stops every
// eight average character widths, nothing is wrapped or clipped, and a character the face lacks
// comes from a Japanese-capable fallback face.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavro {

using FontHandle = int32_t;
inline constexpr FontHandle kNoFont = -1;

// Cell heights (ascent plus descent, in pixels) a renderer accepts.
inline constexpr int32_t kMinFontCellHeight = 1;
inline constexpr int32_t kMaxFontCellHeight = 512;

// How the lines of a text sit in its box: the box is as wide as its widest line.
enum class LineAlignment : uint8_t { kLeft = 0, kCentre = 1, kRight = 2 };

struct RenderedText {
    // The measured box: the widest line by the number of lines times the cell height.
    int32_t boxWidth = 0;
    int32_t boxHeight = 0;
    // The pixels: premultiplied ARGB rows of white, `width` apart. They cover the box and any
    // ink that overhangs it, and are cut at kMaxCompositorSide; (boxX, boxY) is the box's
    // top-left corner among them. Empty (width or height 0) for a text with no ink.
    int32_t width = 0;
    int32_t height = 0;
    int32_t boxX = 0;
    int32_t boxY = 0;
    std::vector<uint32_t> pixels;
};

class FontRenderer {
  public:
    virtual ~FontRenderer() = default;

    // Opens a face by its Shift-JIS name (empty: the default face) at a cell height in
    // kMinFontCellHeight..kMaxFontCellHeight. A name no installed face carries gives the
    // fallback face. kNoFont when no face opens.
    virtual FontHandle openFont(std::string_view shiftJisFace, int32_t cellHeight) = 0;
    virtual void closeFont(FontHandle font) = 0;

    // Lays out and rasterises a Shift-JIS text; bytes that are no valid Shift-JIS show a
    // replacement glyph. False for an unknown font.
    virtual bool renderText(FontHandle font, std::string_view shiftJisText, LineAlignment alignment,
                            RenderedText& text) = 0;
};

}  // namespace tavro
