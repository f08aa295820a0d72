#include "host/fonts/ttf_font_renderer.h"

#include <algorithm>
#include <string>

#include "host/fonts/text_raster.h"
#include "text/shift_jis.h"

namespace tavro {

namespace {

constexpr size_t kKeptClosedFonts = 4;

// What a font was opened for: the face name and the cell height.
std::string FontKey(std::string_view shiftJisFace, int32_t cellHeight) {
    return std::string(shiftJisFace) + '\0' + std::to_string(cellHeight);
}

}  // namespace

struct TtfFontRenderer::OpenFont : GlyphSource {
    std::string key;
    std::unique_ptr<SizedFace> chosen;
    std::unique_ptr<SizedFace> fallback;  // null when the chosen face is the fallback face
    TextMetrics metrics;

    const Glyph& glyph(uint32_t character) override {
        if (fallback == nullptr || chosen->provides(character) || !fallback->provides(character)) {
            return chosen->glyph(character);
        }
        return fallback->glyph(character);
    }
};

TtfFontRenderer::TtfFontRenderer() : ready_(TTF_Init() == 0) {}

TtfFontRenderer::~TtfFontRenderer() {
    fonts_.clear();
    closed_.clear();
    if (ready_) {
        TTF_Quit();
    }
}

FontHandle TtfFontRenderer::openFont(std::string_view shiftJisFace, int32_t cellHeight) {
    if (!ready_ || cellHeight < kMinFontCellHeight || cellHeight > kMaxFontCellHeight) {
        return kNoFont;
    }
    const std::string key = FontKey(shiftJisFace, cellHeight);
    std::unique_ptr<OpenFont> font;
    const auto kept = std::find_if(closed_.begin(), closed_.end(),
                                   [&](const auto& closed) { return closed->key == key; });
    if (kept != closed_.end()) {
        font = std::move(*kept);
        closed_.erase(kept);
    } else {
        font = makeFont(shiftJisFace, cellHeight);
    }
    if (font == nullptr) {
        return kNoFont;
    }
    font->key = key;
    const auto freeSlot = std::find(fonts_.begin(), fonts_.end(), nullptr);
    if (freeSlot != fonts_.end()) {
        *freeSlot = std::move(font);
        return static_cast<FontHandle>(freeSlot - fonts_.begin());
    }
    fonts_.push_back(std::move(font));
    return static_cast<FontHandle>(fonts_.size() - 1);
}

std::unique_ptr<TtfFontRenderer::OpenFont> TtfFontRenderer::makeFont(std::string_view shiftJisFace,
                                                                     int32_t cellHeight) {
    FaceFile fallbackFile;
    if (!finder_.fallback(fallbackFile)) {
        return nullptr;
    }
    auto font = std::make_unique<OpenFont>();
    FaceFile chosenFile;
    if (finder_.find(shiftJisToUtf8(shiftJisFace), chosenFile) &&
        chosenFile.path != fallbackFile.path) {
        font->chosen = SizedFace::open(chosenFile, cellHeight);
        font->fallback = SizedFace::open(fallbackFile, cellHeight);
    } else {
        font->chosen = SizedFace::open(fallbackFile, cellHeight);
    }
    if (font->chosen == nullptr) {
        return nullptr;
    }
    // Tab stops every eight average character widths: the width of an "x".
    const int32_t averageWidth = font->glyph(U'x').advance;
    font->metrics =
        TextMetrics{cellHeight, font->chosen->ascent(),
                    std::max(1, 8 * (averageWidth > 0 ? averageWidth : cellHeight / 2))};
    return font;
}

void TtfFontRenderer::closeFont(FontHandle font) {
    if (font >= 0 && static_cast<size_t>(font) < fonts_.size() &&
        fonts_[static_cast<size_t>(font)] != nullptr) {
        closed_.push_front(std::move(fonts_[static_cast<size_t>(font)]));
        if (closed_.size() > kKeptClosedFonts) {
            closed_.pop_back();
        }
    }
}

bool TtfFontRenderer::renderText(FontHandle handle, std::string_view shiftJisText,
                                 LineAlignment alignment, RenderedText& text) {
    if (handle < 0 || static_cast<size_t>(handle) >= fonts_.size() ||
        fonts_[static_cast<size_t>(handle)] == nullptr) {
        return false;
    }
    OpenFont& font = *fonts_[static_cast<size_t>(handle)];
    font.chosen->forgetGlyphsIfMany();
    if (font.fallback != nullptr) {
        font.fallback->forgetGlyphsIfMany();
    }
    std::string utf8;
    shiftJisToUtf8(shiftJisText, utf8);
    RasteriseText(DecodeUtf8(utf8), font, font.metrics, alignment, text);
    return true;
}

}  // namespace tavro
