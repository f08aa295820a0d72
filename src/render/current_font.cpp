#include "render/current_font.h"

#include <algorithm>
#include <cstdlib>

#include "text/messages.h"

namespace tavro {

int32_t FontCellHeight(int32_t height) {
    if (height == 0) {
        return kDefaultFontHeight;
    }
    const int64_t size = std::llabs(static_cast<int64_t>(height));
    return static_cast<int32_t>(std::min<int64_t>(size, kMaxFontCellHeight));
}

CurrentFont::CurrentFont(GraphicsDevice& device, ErrorSink& log, FontRenderer* renderer)
    : device_(device), log_(log), renderer_(renderer) {}

bool CurrentFont::create(const TextString& faceName, int32_t height) {
    if (!device_.ready()) {
        return false;
    }
    if (ready() && height == height_ && faceName == faceName_) {
        return true;
    }
    if (ready()) {
        renderer_->closeFont(font_);
        font_ = kNoFont;
    }
    height_ = 0;
    faceName_ = "";
    if (renderer_ != nullptr) {
        font_ = renderer_->openFont(faceName.view(), FontCellHeight(height));
    }
    if (font_ == kNoFont) {
        log_.record(kFontLabel, Severity::kError);
        return false;
    }
    height_ = height;
    faceName_ = faceName;
    return true;
}

void CurrentFont::release() {
    textures_.clear();
    if (ready()) {
        renderer_->closeFont(font_);
        font_ = kNoFont;
    }
    height_ = 0;
    faceName_ = "";
}

const TextTexture* CurrentFont::text(const TextString& text, LineAlignment alignment) {
    Compositor* compositor = device_.compositor();
    if (!ready() || compositor == nullptr) {
        return nullptr;
    }
    const int32_t cellHeight = FontCellHeight(height_);
    key_.assign(faceName_.view());
    key_.push_back('\0');
    key_.append(reinterpret_cast<const char*>(&cellHeight), sizeof cellHeight);
    key_.push_back(static_cast<char>(alignment));
    key_.append(text.view());
    if (const TextTexture* kept = textures_.find(key_)) {
        return kept;
    }
    RenderedText rendered;
    if (!renderer_->renderText(font_, text.view(), alignment, rendered)) {
        return nullptr;
    }
    TextTexture made{rendered.boxWidth, rendered.boxHeight, kNoTexture,   rendered.width,
                     rendered.height,   rendered.boxX,      rendered.boxY};
    if (rendered.width > 0) {
        made.texture = compositor->createTextureFromPixels(rendered.pixels.data(), rendered.width,
                                                           rendered.height);
    }
    return textures_.add(key_, made, *compositor);
}

}  // namespace tavro
