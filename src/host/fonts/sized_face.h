// One font file opened with SDL_ttf at the largest size whose ascent plus descent fits a cell
// height, in bold (the file's own bold style, or SDL_ttf's synthetic bold), keeping the
// coverage of every glyph it has drawn, since SDL_ttf's own small cache thrashes on kanji.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include <SDL_ttf.h>

#include "host/fonts/face_finder.h"

namespace tavro {

struct Glyph {
    int32_t advance = 0;
    // The coverage's top-left corner relative to the pen position on the baseline.
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> coverage;  // rows of `width` alpha values
};

class SizedFace {
  public:
    // Null when the file does not open.
    static std::unique_ptr<SizedFace> open(const FaceFile& file, int32_t cellHeight);
    ~SizedFace();
    SizedFace(const SizedFace&) = delete;
    SizedFace& operator=(const SizedFace&) = delete;

    bool provides(uint32_t character) const;
    // The glyph of a character; the face's missing-glyph box for one it lacks. The reference
    // stays valid until forgetGlyphsIfMany.
    const Glyph& glyph(uint32_t character);
    // Starts the collection afresh once it is large, so a run through every kanji there is
    // does not keep them all. Called between texts.
    void forgetGlyphsIfMany();
    int32_t ascent() const { return ascent_; }

  private:
    explicit SizedFace(TTF_Font* font);

    TTF_Font* font_;
    int32_t ascent_;
    std::unordered_map<uint32_t, Glyph> glyphs_;
};

}  // namespace tavro
