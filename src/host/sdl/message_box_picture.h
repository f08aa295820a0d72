// The picture of one of Tavro's message boxes: its texts wrapped to fit, one paragraph under
// the other, and a row of buttons at the bottom right, drawn with the font renderer the game's
// texts use (so Japanese needs nothing from the desktop). The picture alone, without a window,
// so that it can be compared exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/font_renderer.h"

namespace tavro {

struct MessageBoxContent {
    std::vector<std::string> paragraphs;  // Shift-JIS; a line feed starts a new line
    std::vector<std::string> buttons;     // the first one is the default
};

struct BoxButton {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool contains(int32_t px, int32_t py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

struct MessageBoxPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // opaque ARGB rows, `width` apart
    std::vector<BoxButton> buttons;
};

// Draws the box no larger than maxWidth by maxHeight (the display's usable area); lines that
// do not fit below one another are left out. False when the renderer has no font.
bool DrawMessageBox(FontRenderer& fonts, const MessageBoxContent& content, int32_t maxWidth,
                    int32_t maxHeight, MessageBoxPicture& picture);

// Splits a Shift-JIS text into lines no wider than maxWidth in the font: after a space, or
// between two double-byte characters, and inside a word only when the word alone is too wide.
std::vector<std::string> WrapText(FontRenderer& fonts, FontHandle font, std::string_view text,
                                  int32_t maxWidth);

}  // namespace tavro
