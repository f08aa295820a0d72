#include "host/sdl/message_box_picture.h"

#include "text/shift_jis.h"

#include <algorithm>

namespace tavro {

namespace {

constexpr int32_t kCellHeight = 18;
constexpr int32_t kMargin = 16;
constexpr int32_t kParagraphGap = 10;
constexpr int32_t kLongestLine = 600;  // wider text is hard to read
constexpr int32_t kNarrowest = 280;
constexpr int32_t kButtonHeight = kCellHeight + 12;
constexpr int32_t kButtonWidth = 88;
constexpr int32_t kButtonGap = 10;

constexpr uint32_t kBackground = 0xFFF4F4F4;
constexpr uint32_t kFrame = 0xFF8C8C8C;
constexpr uint32_t kInk = 0xFF141414;
constexpr uint32_t kButtonFace = 0xFFE2E2E2;
constexpr uint32_t kDefaultFrame = 0xFF2A6FD6;

size_t characterLength(std::string_view text, size_t at) {
    return isShiftJisLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// The pieces a line may break after: a double-byte character, or a run of single-byte ones up
// to and with the spaces that end it.
std::vector<std::string_view> breakablePieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    for (size_t at = 0; at < text.size();) {
        size_t end = at + characterLength(text, at);
        if (end == at + 1 && text[at] != ' ') {
            while (end < text.size() && text[end] != ' ' &&
                   !isShiftJisLeadByte(static_cast<unsigned char>(text[end]))) {
                ++end;
            }
        }
        while (end < text.size() && text[end] == ' ') {
            ++end;
        }
        pieces.push_back(text.substr(at, end - at));
        at = end;
    }
    return pieces;
}

std::string_view withoutTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

int32_t measure(FontRenderer& fonts, FontHandle font, std::string_view text) {
    RenderedText rendered;
    return fonts.renderText(font, text, LineAlignment::kLeft, rendered) ? rendered.boxWidth : 0;
}

// A line too wide by itself, split between characters.
void splitWord(FontRenderer& fonts, FontHandle font, std::string_view word, int32_t maxWidth,
               std::vector<std::string>& lines) {
    std::string line;
    for (size_t at = 0; at < word.size();) {
        const size_t length = characterLength(word, at);
        const std::string longer = line + std::string(word.substr(at, length));
        if (!line.empty() && measure(fonts, font, longer) > maxWidth) {
            lines.push_back(line);
            line = std::string(word.substr(at, length));
        } else {
            line = longer;
        }
        at += length;
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
}

void wrapLine(FontRenderer& fonts, FontHandle font, std::string_view text, int32_t maxWidth,
              std::vector<std::string>& lines) {
    std::string line;
    auto finish = [&] {
        const std::string_view kept = withoutTrailingSpaces(line);
        if (measure(fonts, font, kept) > maxWidth) {
            splitWord(fonts, font, kept, maxWidth, lines);
        } else {
            lines.emplace_back(kept);
        }
    };
    for (const std::string_view piece : breakablePieces(text)) {
        const std::string longer = line + std::string(piece);
        if (!line.empty() && measure(fonts, font, withoutTrailingSpaces(longer)) > maxWidth) {
            finish();
            line = std::string(piece);
        } else {
            line = longer;
        }
    }
    finish();
}

class Canvas {
  public:
    explicit Canvas(MessageBoxPicture& picture) : picture_(picture) {}

    void fill(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) {
        for (int32_t row = std::max(y, 0); row < std::min(y + height, picture_.height); ++row) {
            for (int32_t column = std::max(x, 0); column < std::min(x + width, picture_.width);
                 ++column) {
                picture_.pixels[static_cast<size_t>(row * picture_.width + column)] = colour;
            }
        }
    }

    void frame(int32_t x, int32_t y, int32_t width, int32_t height, int32_t thickness,
               uint32_t colour) {
        fill(x, y, width, thickness, colour);
        fill(x, y + height - thickness, width, thickness, colour);
        fill(x, y, thickness, height, colour);
        fill(x + width - thickness, y, thickness, height, colour);
    }

    // The text's white coverage as ink, its box's top-left corner at x, y.
    void ink(const RenderedText& text, int32_t x, int32_t y) {
        for (int32_t row = 0; row < text.height; ++row) {
            const int32_t py = y - text.boxY + row;
            for (int32_t column = 0; column < text.width; ++column) {
                const int32_t px = x - text.boxX + column;
                const uint32_t alpha =
                    text.pixels[static_cast<size_t>(row * text.width + column)] >> 24;
                if (alpha != 0 && px >= 0 && px < picture_.width && py >= 0 &&
                    py < picture_.height) {
                    uint32_t& pixel =
                        picture_.pixels[static_cast<size_t>(py * picture_.width + px)];
                    pixel = blend(pixel, kInk, alpha);
                }
            }
        }
    }

  private:
    static uint32_t blend(uint32_t under, uint32_t over, uint32_t alpha) {
        uint32_t result = 0xFF000000;
        for (int32_t shift = 0; shift < 24; shift += 8) {
            const uint32_t a = (under >> shift) & 0xFF;
            const uint32_t b = (over >> shift) & 0xFF;
            result |= ((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
        }
        return result;
    }

    MessageBoxPicture& picture_;
};

struct PlacedLine {
    RenderedText text;
    int32_t y = 0;
};

}  // namespace

std::vector<std::string> WrapText(FontRenderer& fonts, FontHandle font, std::string_view text,
                                  int32_t maxWidth) {
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        wrapLine(fonts, font, text.substr(start, end - start), maxWidth, lines);
        start = end + 1;
    }
    return lines;
}

bool DrawMessageBox(FontRenderer& fonts, const MessageBoxContent& content, int32_t maxWidth,
                    int32_t maxHeight, MessageBoxPicture& picture) {
    const FontHandle font = fonts.openFont("", kCellHeight);
    if (font == kNoFont) {
        return false;
    }
    const int32_t textWidth = std::max(1, std::min(kLongestLine, maxWidth - 2 * kMargin));
    std::vector<RenderedText> labels(content.buttons.size());
    int32_t buttonsWidth = 0;
    for (size_t i = 0; i < labels.size(); ++i) {
        fonts.renderText(font, content.buttons[i], LineAlignment::kLeft, labels[i]);
        buttonsWidth += std::max(kButtonWidth, labels[i].boxWidth + 24) + (i > 0 ? kButtonGap : 0);
    }
    // The lines, as long as they fit above the buttons.
    const int32_t textBottom = maxHeight - kMargin - kButtonHeight - kMargin;
    std::vector<PlacedLine> lines;
    int32_t y = kMargin;
    int32_t widest = 0;
    for (size_t p = 0; p < content.paragraphs.size(); ++p) {
        y += p > 0 ? kParagraphGap : 0;
        for (const std::string& line : WrapText(fonts, font, content.paragraphs[p], textWidth)) {
            if (y + kCellHeight > textBottom) {
                break;
            }
            PlacedLine& placed = lines.emplace_back();
            fonts.renderText(font, line, LineAlignment::kLeft, placed.text);
            placed.y = y;
            widest = std::max(widest, placed.text.boxWidth);
            y += kCellHeight;
        }
    }
    picture.width =
        std::clamp(std::max(widest, buttonsWidth) + 2 * kMargin, kNarrowest, std::max(1, maxWidth));
    picture.height = std::max(1, std::min(y + kMargin + kButtonHeight + kMargin, maxHeight));
    picture.pixels.assign(static_cast<size_t>(picture.width * picture.height), kBackground);
    Canvas canvas(picture);
    canvas.frame(0, 0, picture.width, picture.height, 1, kFrame);
    for (const PlacedLine& line : lines) {
        canvas.ink(line.text, kMargin, line.y);
    }
    picture.buttons.clear();
    int32_t x = picture.width - kMargin - buttonsWidth;
    const int32_t buttonY = picture.height - kMargin - kButtonHeight;
    for (size_t i = 0; i < labels.size(); ++i) {
        const BoxButton button{x, buttonY, std::max(kButtonWidth, labels[i].boxWidth + 24),
                               kButtonHeight};
        canvas.fill(button.x, button.y, button.width, button.height, kButtonFace);
        canvas.frame(button.x, button.y, button.width, button.height, i == 0 ? 2 : 1,
                     i == 0 ? kDefaultFrame : kFrame);
        canvas.ink(labels[i], button.x + (button.width - labels[i].boxWidth) / 2,
                   button.y + (button.height - kCellHeight) / 2);
        picture.buttons.push_back(button);
        x += button.width + kButtonGap;
    }
    fonts.closeFont(font);
    return true;
}

}  // namespace tavro
