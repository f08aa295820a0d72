#include "host/fonts/text_raster.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace tavro {

namespace {

struct PlacedGlyph {
    const Glyph* glyph;
    int64_t x;         // the pen, from the left of the box
    int64_t baseline;  // from the top of the box
};

struct Line {
    size_t firstGlyph;
    int64_t width;
};

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
}

// The glyphs at their pens within their line, and each line's width.
void LayOut(std::u32string_view text, GlyphSource& glyphs, const TextMetrics& metrics,
            std::vector<PlacedGlyph>& placed, std::vector<Line>& lines) {
    int64_t pen = 0;
    int64_t baseline = metrics.ascent;
    lines.push_back(Line{0, 0});
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t character = text[i];
        if (character == U'\r' || character == U'\n') {
            if (character == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') {
                ++i;
            }
            lines.back().width = pen;
            lines.push_back(Line{placed.size(), 0});
            pen = 0;
            baseline += metrics.cellHeight;
        } else if (character == U'\t') {
            pen = (pen / metrics.tabWidth + 1) * metrics.tabWidth;
        } else {
            const Glyph& glyph = glyphs.glyph(character);
            placed.push_back(PlacedGlyph{&glyph, pen, baseline});
            pen += glyph.advance;
        }
    }
    lines.back().width = pen;
}

// Adds a glyph's coverage to the alpha plane at (x, y); where glyphs overlap, the larger
// coverage wins.
void Compose(const Glyph& glyph, int64_t x, int64_t y, std::vector<uint8_t>& alpha, int32_t width,
             int32_t height) {
    const auto fromX = static_cast<int32_t>(std::max<int64_t>(0, -x));
    const auto toX = static_cast<int32_t>(std::min<int64_t>(glyph.width, width - x));
    const auto fromY = static_cast<int32_t>(std::max<int64_t>(0, -y));
    const auto toY = static_cast<int32_t>(std::min<int64_t>(glyph.height, height - y));
    for (int32_t row = fromY; row < toY; ++row) {
        const uint8_t* source = glyph.coverage.data() + static_cast<ptrdiff_t>(row) * glyph.width;
        uint8_t* target = alpha.data() + (y + row) * width + x;
        for (int32_t column = fromX; column < toX; ++column) {
            target[column] = std::max(target[column], source[column]);
        }
    }
}

}  // namespace

void RasteriseText(std::u32string_view text, GlyphSource& glyphs, const TextMetrics& metrics,
                   LineAlignment alignment, RenderedText& rendered) {
    std::vector<PlacedGlyph> placed;
    std::vector<Line> lines;
    LayOut(text, glyphs, metrics, placed, lines);

    int64_t boxWidth = 0;
    for (const Line& line : lines) {
        boxWidth = std::max(boxWidth, line.width);
    }
    const int64_t boxHeight = static_cast<int64_t>(lines.size()) * metrics.cellHeight;
    int64_t left = 0, top = 0, right = boxWidth, bottom = boxHeight;
    for (size_t l = 0; l < lines.size(); ++l) {
        const size_t end = l + 1 < lines.size() ? lines[l + 1].firstGlyph : placed.size();
        const int64_t shift = alignment == LineAlignment::kCentre  ? (boxWidth - lines[l].width) / 2
                              : alignment == LineAlignment::kRight ? boxWidth - lines[l].width
                                                                   : 0;
        for (size_t g = lines[l].firstGlyph; g < end; ++g) {
            PlacedGlyph& p = placed[g];
            p.x += shift + p.glyph->left;
            p.baseline += p.glyph->top;
            if (p.glyph->width > 0 && p.glyph->height > 0) {
                left = std::min(left, p.x);
                top = std::min(top, p.baseline);
                right = std::max(right, p.x + p.glyph->width);
                bottom = std::max(bottom, p.baseline + p.glyph->height);
            }
        }
    }

    rendered.boxWidth = ClampToInt32(boxWidth);
    rendered.boxHeight = ClampToInt32(boxHeight);
    rendered.boxX = ClampToInt32(-left);
    rendered.boxY = ClampToInt32(-top);
    rendered.width = static_cast<int32_t>(std::min<int64_t>(right - left, kMaxTextPixelSide));
    rendered.height = static_cast<int32_t>(std::min<int64_t>(bottom - top, kMaxTextPixelSide));
    rendered.pixels.clear();
    if (rendered.width == 0 || rendered.height == 0) {
        rendered.width = rendered.height = 0;
        return;
    }
    std::vector<uint8_t> alpha(static_cast<size_t>(rendered.width) * rendered.height, 0);
    for (const PlacedGlyph& p : placed) {
        // Glyphs wholly outside the kept pixels cost nothing more than this test.
        if (p.x - left < rendered.width && p.baseline - top < rendered.height) {
            Compose(*p.glyph, p.x - left, p.baseline - top, alpha, rendered.width, rendered.height);
        }
    }
    rendered.pixels.resize(alpha.size());
    std::transform(alpha.begin(), alpha.end(), rendered.pixels.begin(),
                   [](uint8_t a) { return a * 0x01010101u; });
}

std::u32string DecodeUtf8(std::string_view utf8) {
    std::u32string characters;
    characters.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t character = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            character = (character << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        characters.push_back(character);
        i += length;
    }
    return characters;
}

}  // namespace tavro
