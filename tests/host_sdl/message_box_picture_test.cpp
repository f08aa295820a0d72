// Tavro's own message boxes: the picture of an engine message compared exactly with its
// reference (the window under Xvfb is compared with the same one), and long texts wrapped to
// fit a small screen.
#include "host/sdl/message_box_picture.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/compositor/png_writer.h"
#include "host/fonts/ttf_font_renderer.h"
#include "host/sdl/sdl_dialogs.h"
#include "text/messages.h"

namespace tavro {
namespace {

// The picture's pixels against a PNG; with TAVRO_UPDATE_REFERENCES set, the picture replaces it.
void expectPictureEquals(const MessageBoxPicture& picture, const std::string& reference) {
    if (std::getenv("TAVRO_UPDATE_REFERENCES") != nullptr) {
        ASSERT_TRUE(
            WritePng(reference.c_str(), picture.pixels.data(), picture.width, picture.height));
    }
    SDL_Surface* loaded = IMG_Load(reference.c_str());
    ASSERT_NE(loaded, nullptr) << reference;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(argb, nullptr);
    EXPECT_EQ(argb->w, picture.width);
    EXPECT_EQ(argb->h, picture.height);
    int32_t differing = 0;
    for (int32_t y = 0; y < std::min(argb->h, picture.height); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        for (int32_t x = 0; x < std::min(argb->w, picture.width); ++x) {
            differing += row[x] != picture.pixels[static_cast<size_t>(y * picture.width + x)];
        }
    }
    SDL_FreeSurface(argb);
    EXPECT_EQ(differing, 0) << reference;
}

TEST(MessageBoxPictureTest, TheSyntaxErrorBoxMatchesItsReference) {
    TtfFontRenderer fonts;
    MessageBoxPicture picture;
    ASSERT_TRUE(
        DrawMessageBox(fonts, DialogBoxContent(kSyntaxErrorMessage, false), 1280, 1024, picture));
    ASSERT_EQ(picture.buttons.size(), 1u);
    expectPictureEquals(picture, TAVRO_SDL_REFERENCES "/syntax_error_box.png");
}

// On a screen only 320 pixels wide, the runaway-loop question and its English line wrap; no
// line is wider than the room the box gives it, and both buttons lie inside the box.
TEST(MessageBoxPictureTest, LongTextsWrapToFitASmallScreen) {
    TtfFontRenderer fonts;
    const FontHandle font = fonts.openFont("", 18);
    ASSERT_NE(font, kNoFont);
    const MessageBoxContent content = DialogBoxContent(kRunawayLoopQuestion, true);
    ASSERT_EQ(content.paragraphs.size(), 2u);
    for (const std::string& paragraph : content.paragraphs) {
        const auto lines = WrapText(fonts, font, paragraph, 288);
        EXPECT_GT(lines.size(), 2u);
        for (const std::string& line : lines) {
            RenderedText text;
            fonts.renderText(font, line, LineAlignment::kLeft, text);
            EXPECT_LE(text.boxWidth, 288) << line;
            EXPECT_FALSE(line.starts_with(' ') || line.ends_with(' ')) << line;
        }
    }
    // A word longer than the line is cut between its characters.
    const auto cut = WrapText(fonts, font, std::string(80, 'w'), 200);
    EXPECT_GT(cut.size(), 1u);
    MessageBoxPicture picture;
    ASSERT_TRUE(DrawMessageBox(fonts, content, 320, 240, picture));
    EXPECT_LE(picture.width, 320);
    EXPECT_LE(picture.height, 240);
    ASSERT_EQ(picture.buttons.size(), 2u);
    for (const BoxButton& button : picture.buttons) {
        EXPECT_GE(button.x, 0);
        EXPECT_LE(button.x + button.width, picture.width);
        EXPECT_LE(button.y + button.height, picture.height);
    }
    fonts.closeFont(font);
}

}  // namespace
}  // namespace tavro
