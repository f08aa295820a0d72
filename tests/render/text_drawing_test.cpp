// The text rectangle arithmetic of the six alignment modes, the font heights, and the current
// font over a renderer that records what it is asked: "Font" on failure, the 16-pixel default
// when a text finds no font, and each text rasterised once while the kept texts stay bounded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/current_font.h"
#include "render/recording_compositor.h"
#include "render/text_drawing.h"
#include "support/game_folder.h"
#include "support/log_sink.h"

namespace tavro::testing {
namespace {

TEST(TextDrawingTest, ModesPlaceTheBoxAroundTheOrigin) {
    struct Case {
        uint32_t mode;
        TextRect rect;
        int32_t boxLeft;
    };
    // An 11 × 33 box; the game screen_text_align shows modes 0 to 5. Modes past 5 centre on
    // the origin as 3 does, after truncation to 32 bits (hw = 5, hh = 16).
    const Case cases[] = {
        {6, {-5, -16, 6, 17}, -5},
        {7, {0, -16, 0, 17}, -5},
        {0xFFFFFFFFu, {-5, -16, 6, 17}, -5},  // -1
        {3567587328u, {-5, -16, 6, 17}, -5},  // 1e12 truncated to its low 32 bits
    };
    for (const Case& c : cases) {
        const LineAlignment lines = LineAlignmentOf(c.mode);
        const TextRect rect = AlignTextRect(MeasuredTextRect(11, 33, lines), c.mode);
        EXPECT_EQ(rect, c.rect) << "mode " << c.mode;
        EXPECT_EQ(TextBoxLeft(rect, 11, lines), c.boxLeft) << "mode " << c.mode;
    }
}

TEST(TextDrawingTest, HeightsSelectACellHeight) {
    const std::pair<int32_t, int32_t> cases[] = {
        {24, 24},
        {1, 1},
        {0, kDefaultFontHeight},
        {-16, 16},
        {10000, kMaxFontCellHeight},
        {INT32_MIN, kMaxFontCellHeight},
    };
    for (const auto& [height, cell] : cases) {
        EXPECT_EQ(FontCellHeight(height), cell) << height;
    }
}

class RecordingFonts : public FontRenderer {
  public:
    FontHandle openFont(std::string_view face, int32_t cellHeight) override {
        opened.push_back(std::string(face) + "/" + std::to_string(cellHeight));
        return refuse ? kNoFont : static_cast<FontHandle>(opened.size());
    }
    void closeFont(FontHandle) override { ++closed; }
    // A box eight pixels a byte wide, one cell high, and one pixel of ink.
    bool renderText(FontHandle, std::string_view text, LineAlignment,
                    RenderedText& rendered) override {
        rendered.boxWidth = static_cast<int32_t>(text.size()) * 8;
        rendered.boxHeight = 16;
        rendered.width = rendered.height = 1;
        rendered.pixels.assign(1, 0xFFFFFFFFu);
        rasterised.emplace_back(text);
        return true;
    }

    bool refuse = false;
    std::vector<std::string> opened;
    std::vector<std::string> rasterised;
    int closed = 0;
};

class CurrentFontTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(device.create(64, 48, false)); }
    void draw(const char* text, uint32_t mode = 0) {
        DrawTextItem(text, Translation(10, 20), 0xFFFFFFFF, mode, context);
    }

    RecordingCompositor compositor;
    RecordingSink log;
    GraphicsDevice device{compositor, log};
    TextureCache textures{files, log};
    GameFolder files;
    AnimationTable animations{[](const TextString&, TextString&) { return false; }};
    RecordingFonts fonts;
    CurrentFont font{device, log, &fonts};
    RenderContext context{device, textures, animations, ScreenScale{}, &font};
};

TEST_F(CurrentFontTest, AFailedCreationLogsFontAndLeavesNoFont) {
    ASSERT_TRUE(font.create("Face", 20));
    fonts.refuse = true;
    EXPECT_FALSE(font.create("Other", 30));
    EXPECT_EQ(log.reports, (Reports{{"Font", Severity::kError}}));
    EXPECT_FALSE(font.ready());
    EXPECT_EQ(font.height(), 0);
    EXPECT_TRUE(font.faceName().empty());
    EXPECT_EQ(fonts.closed, 1);
}

TEST_F(CurrentFontTest, ATextWithoutAFontCreatesTheSixteenPixelDefault) {
    draw("Hi");
    EXPECT_EQ(fonts.opened, std::vector<std::string>{"/16"});
    EXPECT_EQ(font.height(), kFallbackFontHeight);
    ASSERT_EQ(compositor.draws.size(), 1u);
    // Left lines: the box's top-left corner on the origin.
    EXPECT_EQ(compositor.draws[0].centreX, 0);
    EXPECT_EQ(compositor.draws[0].centreY, 0);
    fonts.refuse = true;
    font.release();
    draw("Hi");
    EXPECT_EQ(compositor.draws.size(), 1u);  // no font, nothing drawn
}

TEST_F(CurrentFontTest, NoDeviceKeepsTheFont) {
    ASSERT_TRUE(font.create("", 24));
    device.release();
    EXPECT_FALSE(font.create("Face", 12));
    EXPECT_EQ(font.height(), 24);
    EXPECT_TRUE(log.reports.empty());
}

TEST_F(CurrentFontTest, EachTextIsRasterisedOnceAndTheKeptTextsStayBounded) {
    ASSERT_TRUE(font.create("", 24));
    for (int frame = 0; frame < 3; ++frame) {
        draw("Score", 4);
        draw(std::to_string(frame).c_str());
    }
    EXPECT_EQ(fonts.rasterised, (std::vector<std::string>{"Score", "0", "1", "2"}));
    // Centred on the origin: the 40 × 16 box from (-20, -8).
    EXPECT_EQ(compositor.draws[0].centreX, 20);
    EXPECT_EQ(compositor.draws[0].centreY, 8);
    // The same font asked for again keeps its texts; another one keeps them too.
    ASSERT_TRUE(font.create("", 24));
    ASSERT_TRUE(font.create("", 12));
    ASSERT_TRUE(font.create("", 24));
    draw("Score", 4);
    EXPECT_EQ(fonts.rasterised.size(), 4u);

    for (size_t i = 0; i < 2 * kMaxTextTextures; ++i) {
        draw(std::to_string(i).c_str());
    }
    EXPECT_EQ(font.textures().count(), kMaxTextTextures);
    EXPECT_EQ(compositor.liveTextures(), static_cast<int>(kMaxTextTextures));
    font.release();
    EXPECT_EQ(compositor.liveTextures(), 0);
}

}  // namespace
}  // namespace tavro::testing
