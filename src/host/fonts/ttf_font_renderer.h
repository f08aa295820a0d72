// The font renderer both hosts share: faces found by fontconfig, opened and drawn with
// SDL2_ttf (which needs no video device), laid out and composed by Tavro. Every font pairs
// the chosen face with the fallback face at the same cell height, which supplies the glyphs
// the chosen face lacks on the chosen face's baseline. The last few fonts closed stay open, so
// a game that switches between two fonts every frame does not open them again each time.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "host/font_renderer.h"
#include "host/fonts/face_finder.h"
#include "host/fonts/sized_face.h"

namespace tavro {

class TtfFontRenderer : public FontRenderer {
  public:
    TtfFontRenderer();
    ~TtfFontRenderer() override;
    TtfFontRenderer(const TtfFontRenderer&) = delete;
    TtfFontRenderer& operator=(const TtfFontRenderer&) = delete;

    FontHandle openFont(std::string_view shiftJisFace, int32_t cellHeight) override;
    void closeFont(FontHandle font) override;
    bool renderText(FontHandle font, std::string_view shiftJisText, LineAlignment alignment,
                    RenderedText& text) override;

  private:
    struct OpenFont;
    std::unique_ptr<OpenFont> makeFont(std::string_view shiftJisFace, int32_t cellHeight);

    bool ready_;
    FaceFinder finder_;
    std::vector<std::unique_ptr<OpenFont>> fonts_;  // by handle; null for a free slot
    std::deque<std::unique_ptr<OpenFont>> closed_;  // most recently closed first
};

}  // namespace tavro
