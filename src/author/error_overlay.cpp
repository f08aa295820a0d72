#include "author/error_overlay.h"

#include <algorithm>

namespace tavro {

namespace {

constexpr int32_t kFontHeight = 16;
constexpr size_t kMostLines = 12;
constexpr int32_t kMargin = 8;
constexpr uint32_t kBandPixel = 0xD8000000;  // black at 85 %, premultiplied
constexpr uint32_t kTextColour = 0xFFFF9090;

}  // namespace

ErrorOverlay::~ErrorOverlay() {
    releaseTextures();
    if (font_ != kNoFont && fonts_ != nullptr) {
        fonts_->closeFont(font_);
    }
}

void ErrorOverlay::show(std::vector<std::string> lines) {
    if (lines.size() > kMostLines) {
        const size_t more = lines.size() - (kMostLines - 1);
        lines.resize(kMostLines - 1);
        lines.push_back("... and " + std::to_string(more) + " more (see standard error)");
    }
    if (lines != lines_) {
        releaseTextures();
        lines_ = std::move(lines);
    }
}

bool ErrorOverlay::createBackBuffer(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    return compositor_.createBackBuffer(width, height);
}

void ErrorOverlay::setSampling(Sampling sampling) {
    sampling_ = sampling;
    compositor_.setSampling(sampling);
}

void ErrorOverlay::present() {
    if (!lines_.empty() && compositor_.hasBackBuffer()) {
        drawOverlay();
    }
    compositor_.present();
}

void ErrorOverlay::makeTextures() {
    band_ = compositor_.createTextureFromPixels(&kBandPixel, 1, 1);
    if (fonts_ == nullptr) {
        return;
    }
    if (font_ == kNoFont) {
        font_ = fonts_->openFont("", kFontHeight);
    }
    // Long lines wrap at a space before the window's edge (a character is about half as wide
    // as the font is high; a double-byte one takes two bytes and twice the width).
    const size_t columns =
        static_cast<size_t>(std::max(20, (width_ - 2 * kMargin) / (kFontHeight / 2)));
    std::string text;
    for (std::string_view line : lines_) {
        while (line.size() > columns) {
            size_t cut = line.rfind(' ', columns);
            cut = cut == std::string_view::npos || cut == 0 ? columns : cut;
            text += std::string(line.substr(0, cut)) + "\n    ";
            line.remove_prefix(std::min(line.size(), cut + 1));
        }
        text += std::string(line) + "\n";
    }
    text.pop_back();
    RenderedText rendered;
    if (font_ != kNoFont && fonts_->renderText(font_, text, LineAlignment::kLeft, rendered) &&
        rendered.width > 0) {
        text_ = compositor_.createTextureFromPixels(rendered.pixels.data(), rendered.width,
                                                    rendered.height);
        textWidth_ = rendered.width;
        textHeight_ = rendered.height;
    }
}

void ErrorOverlay::releaseTextures() {
    for (TextureHandle* texture : {&band_, &text_}) {
        if (*texture != kNoTexture) {
            compositor_.releaseTexture(*texture);
            *texture = kNoTexture;
        }
    }
}

void ErrorOverlay::drawOverlay() {
    if (band_ == kNoTexture) {
        makeTextures();
    }
    compositor_.setSampling(Sampling::kPoint);
    const int32_t bandHeight =
        std::max(textHeight_, static_cast<int32_t>(lines_.size()) * kFontHeight) + 2 * kMargin;
    CompositorItem band;
    band.texture = band_;
    band.source = {0, 0, 1, 1};
    band.matrix.m11 = static_cast<float>(width_);
    band.matrix.m22 = static_cast<float>(bandHeight);
    compositor_.draw(band);
    if (text_ != kNoTexture) {
        CompositorItem text;
        text.texture = text_;
        text.source = {0, 0, textWidth_, textHeight_};
        text.matrix.dx = kMargin;
        text.matrix.dy = kMargin;
        text.colour = kTextColour;
        compositor_.draw(text);
    }
    compositor_.setSampling(sampling_);
}

}  // namespace tavro
