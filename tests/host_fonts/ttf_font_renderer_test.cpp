// The shared font renderer with the installed fallback face: boxes one cell height a line at
// any height, tabs to stops, a replacement glyph for bytes that are no Shift-JIS, and pixels
// cut to a bounded size however long the text.
#include <gtest/gtest.h>

#include <string>

#include "host/fonts/text_raster.h"
#include "host/fonts/ttf_font_renderer.h"

namespace tavro {
namespace {

class TtfFontRendererTest : public ::testing::Test {
  protected:
    RenderedText render(const std::string& text, int32_t cellHeight = 16,
                        LineAlignment alignment = LineAlignment::kLeft) {
        const FontHandle font = fonts.openFont("", cellHeight);
        EXPECT_NE(font, kNoFont) << cellHeight;
        RenderedText rendered;
        EXPECT_TRUE(fonts.renderText(font, text, alignment, rendered));
        fonts.closeFont(font);
        return rendered;
    }

    TtfFontRenderer fonts;
};

TEST_F(TtfFontRendererTest, EveryLineIsOneCellHigh) {
    struct Case {
        std::string text;
        int32_t cellHeight;
        int32_t lines;
    };
    const Case cases[] = {
        {"A", 1, 1},
        {"A", 16, 1},
        {"A\nB", 24, 2},
        {"A\r\nB\rC", 24, 3},
        {"\n", 20, 2},
        {"\x93\xfa", 37, 1},
        {"A", kMaxFontCellHeight, 1},
    };
    for (const Case& c : cases) {
        const RenderedText rendered = render(c.text, c.cellHeight);
        EXPECT_EQ(rendered.boxHeight, c.lines * c.cellHeight) << c.text << " @" << c.cellHeight;
        EXPECT_EQ(rendered.pixels.size(), static_cast<size_t>(rendered.width) * rendered.height);
    }
    EXPECT_EQ(fonts.openFont("", kMaxFontCellHeight + 1), kNoFont);
    EXPECT_EQ(fonts.openFont("", 0), kNoFont);
}

TEST_F(TtfFontRendererTest, TabsMoveToStopsAndLinesAlignInTheirBox) {
    const int32_t x = render("x").boxWidth;
    EXPECT_EQ(render("\t").boxWidth, 8 * x);
    EXPECT_EQ(render("xxx\tx").boxWidth, 9 * x);
    EXPECT_EQ(render("xxxxxxxx\t").boxWidth, 16 * x);
    // The box is as wide as the widest line whatever the alignment.
    for (const LineAlignment alignment :
         {LineAlignment::kLeft, LineAlignment::kCentre, LineAlignment::kRight}) {
        EXPECT_EQ(render("x\nxxx", 16, alignment).boxWidth, 3 * x);
    }
}

TEST_F(TtfFontRendererTest, BytesThatAreNoShiftJisShowAReplacementGlyph) {
    const int32_t a = render("A").boxWidth;
    for (const std::string text : {"A\x81", "A\x85\x40", "A\xff"}) {
        EXPECT_GT(render(text).boxWidth, a) << text;
    }
}

TEST_F(TtfFontRendererTest, ALongTextIsMeasuredWholeAndItsPixelsCut) {
    std::string text;
    for (int i = 0; i < 50000; ++i) {
        text += i % 200 == 199 ? "\n" : "\x82\xa0";  // あ
    }
    const RenderedText rendered = render(text, 24);
    EXPECT_EQ(rendered.boxHeight, 251 * 24);  // the last line is empty
    EXPECT_EQ(rendered.width, kMaxTextPixelSide);
    EXPECT_EQ(rendered.height, kMaxTextPixelSide);
}

TEST_F(TtfFontRendererTest, AFaceNoOneHasGivesTheFallbackFace) {
    const FontHandle missing = fonts.openFont("NoSuchFaceAnywhere", 20);
    const FontHandle fallback = fonts.openFont("", 20);
    RenderedText a, b;
    ASSERT_TRUE(fonts.renderText(missing, "Tavro", LineAlignment::kLeft, a));
    ASSERT_TRUE(fonts.renderText(fallback, "Tavro", LineAlignment::kLeft, b));
    EXPECT_EQ(a.pixels, b.pixels);
    EXPECT_FALSE(fonts.renderText(kNoFont, "x", LineAlignment::kLeft, a));
}

}  // namespace
}  // namespace tavro
