#include "host/fonts/sized_face.h"

#include <algorithm>

namespace tavro {

namespace {

constexpr size_t kMaxKeptGlyphs = 4096;
constexpr unsigned kPointDpi = 72;

int32_t CellHeightAt(TTF_Font* font, int points, unsigned dpi) {
    TTF_SetFontSizeDPI(font, points, dpi, dpi);
    return TTF_FontHeight(font);
}

// The largest value in [low, high] that fits, given that every value below a fitting one fits;
// low when none does.
template <typename Value, typename Fits>
Value LargestFitting(Value low, Value high, Fits fits) {
    while (low < high) {
        const Value middle = low + (high - low + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

// The largest size whose ascent plus descent is at most the cell height: whole points first,
// then the resolution between them, as heights do not grow one pixel per point in every face.
void FitCellHeight(TTF_Font* font, int32_t cellHeight) {
    const int points = LargestFitting(1, cellHeight * 4, [&](int size) {
        return CellHeightAt(font, size, kPointDpi) <= cellHeight;
    });
    const unsigned dpi = LargestFitting(
        kPointDpi, kPointDpi * static_cast<unsigned>(points + 1) / static_cast<unsigned>(points),
        [&](unsigned resolution) { return CellHeightAt(font, points, resolution) <= cellHeight; });
    CellHeightAt(font, points, dpi);
}

}  // namespace

std::unique_ptr<SizedFace> SizedFace::open(const FaceFile& file, int32_t cellHeight) {
    TTF_Font* font =
        TTF_OpenFontIndexDPI(file.path.c_str(), cellHeight, file.index, kPointDpi, kPointDpi);
    if (font == nullptr) {
        return nullptr;
    }
    FitCellHeight(font, cellHeight);
    TTF_SetFontStyle(font, file.bold ? TTF_STYLE_NORMAL : TTF_STYLE_BOLD);
    return std::unique_ptr<SizedFace>(new SizedFace(font));
}

SizedFace::SizedFace(TTF_Font* font) : font_(font), ascent_(TTF_FontAscent(font)) {}

SizedFace::~SizedFace() {
    TTF_CloseFont(font_);
}

bool SizedFace::provides(uint32_t character) const {
    return TTF_GlyphIsProvided32(font_, character) != 0;
}

void SizedFace::forgetGlyphsIfMany() {
    if (glyphs_.size() > kMaxKeptGlyphs) {
        glyphs_.clear();
    }
}

const Glyph& SizedFace::glyph(uint32_t character) {
    if (const auto kept = glyphs_.find(character); kept != glyphs_.end()) {
        return kept->second;
    }
    Glyph& glyph = glyphs_[character];
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    TTF_GlyphMetrics32(font_, character, &minX, &maxX, &minY, &maxY, &glyph.advance);
    SDL_Surface* surface =
        TTF_RenderGlyph32_Blended(font_, character, SDL_Color{255, 255, 255, 255});
    if (surface == nullptr) {
        return glyph;
    }
    // SDL_ttf puts the pen where a glyph reaching left of it still fits, and the baseline at
    // the ascent.
    glyph.left = std::min(minX, 0);
    glyph.top = -ascent_;
    glyph.width = surface->w;
    glyph.height = surface->h;
    glyph.coverage.resize(static_cast<size_t>(surface->w) * surface->h);
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                              static_cast<ptrdiff_t>(y) * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            glyph.coverage[static_cast<size_t>(y) * surface->w + x] =
                static_cast<uint8_t>(row[x] >> surface->format->Ashift);
        }
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return glyph;
}

}  // namespace tavro
