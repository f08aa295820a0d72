// CurrentFont: the one font texts are drawn with, bold, opened through the host's font
// renderer by face name and height. The start-up creates the default face at height 24; a text
// drawn while there is no font creates the default face at height 16. Creation logs "Font" when
// it fails, which leaves no font. The texts drawn in it are kept as textures (TextTextures).
#pragma once

#include <cstdint>
#include <string>

#include "host/font_renderer.h"
#include "render/graphics_device.h"
#include "render/text_textures.h"
#include "text/error_report.h"
#include "text/text_string.h"

namespace tavro {

inline constexpr int32_t kDefaultFontHeight = 24;
inline constexpr int32_t kFallbackFontHeight = 16;

// The cell height in pixels a requested height gives: 0 the default height, a negative one
// its absolute value, and at most kMaxFontCellHeight.
int32_t FontCellHeight(int32_t height);

class CurrentFont {
  public:
    // Without a renderer no font can be created.
    CurrentFont(GraphicsDevice& device, ErrorSink& log, FontRenderer* renderer);
    CurrentFont(const CurrentFont&) = delete;
    CurrentFont& operator=(const CurrentFont&) = delete;

    // An empty face name selects the default face. False without a device (the font stays as
    // it was); otherwise the current font is replaced, and a failure logs "Font" and leaves
    // none. Asking again for the font there is keeps it.
    bool create(const TextString& faceName, int32_t height);
    // Releases the font and every text texture: face name empty, height 0.
    void release();
    bool ready() const { return font_ != kNoFont; }
    int32_t height() const { return height_; }
    const TextString& faceName() const { return faceName_; }

    // The text in the current font with its lines aligned so, rasterised on its first use;
    // null without a font or device.
    const TextTexture* text(const TextString& text, LineAlignment alignment);

    const TextTextures& textures() const { return textures_; }

  private:
    GraphicsDevice& device_;
    ErrorSink& log_;
    FontRenderer* renderer_;
    FontHandle font_ = kNoFont;
    int32_t height_ = 0;
    TextString faceName_;
    // Texts are kept by face, cell height, alignment and text, so they outlive a switch to
    // another font and back; the key is built here to look one up without allocating.
    TextTextures textures_;
    std::string key_;
};

}  // namespace tavro
