// The headless host's font renderer: the shared SDL2_ttf renderer, whose fonts can be refused
// by a test-only fault.
#pragma once

#include "host/fonts/ttf_font_renderer.h"
#include "host/headless/headless_faults.h"

namespace tavro {

class HeadlessFontRenderer : public TtfFontRenderer {
  public:
    explicit HeadlessFontRenderer(HeadlessFaults* faults = nullptr) : faults_(faults) {}

    FontHandle openFont(std::string_view shiftJisFace, int32_t cellHeight) override {
        if (faults_ != nullptr && faults_->failAttempt(HeadlessStep::kFont)) {
            return kNoFont;
        }
        return TtfFontRenderer::openFont(shiftJisFace, cellHeight);
    }

  private:
    HeadlessFaults* faults_;
};

}  // namespace tavro
