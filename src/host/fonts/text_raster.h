// Laying out a text in a face and rasterising it: line feeds (and carriage returns) start new
// lines one cell height apart, a tab moves the pen to the next multiple of the tab width, the
// lines sit left, centred or right in a box as wide as the widest of them, and the glyphs'
// coverage is composed into white premultiplied pixels.
#pragma once

#include <cstdint>
#include <string_view>

#include "host/font_renderer.h"
#include "host/fonts/sized_face.h"

namespace tavro {

// The pixels of a text are cut at this many a side (their box is measured in full).
inline constexpr int32_t kMaxTextPixelSide = 4096;

// Where a text's glyphs come from.
class GlyphSource {
  public:
    virtual ~GlyphSource() = default;
    // The glyph, placed relative to the pen on the baseline; valid until the text is done.
    virtual const Glyph& glyph(uint32_t character) = 0;
};

struct TextMetrics {
    int32_t cellHeight = 0;
    int32_t ascent = 0;    // from the top of a line to its baseline
    int32_t tabWidth = 0;  // tab stops are multiples of it; at least 1
};

void RasteriseText(std::u32string_view text, GlyphSource& glyphs, const TextMetrics& metrics,
                   LineAlignment alignment, RenderedText& rendered);

// UTF-8 (well formed, as the Shift-JIS conversion writes it) to characters.
std::u32string DecodeUtf8(std::string_view utf8);

}  // namespace tavro
