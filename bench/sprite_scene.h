// The sprite scene the sprite benchmarks share: N rotated, colour-modulated 32×32 sprites from
// one texture (a disc with a soft edge) on a 640×480 back buffer, and the raw pixman loop that
// composites them the way the compositor does (tint, then OVER through the inverse matrix).
// Sprite i is placed by whole-number steps that a script can repeat, so the engine's path
// draws the very same quads (SceneScript).
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavro::bench {

inline constexpr int32_t kBackWidth = 640;
inline constexpr int32_t kBackHeight = 480;
inline constexpr int32_t kSide = 32;

struct Sprite {
    double x, y, angle;  // centre in pixels, degrees clockwise
    uint32_t colour;     // ARGB modulation
};

// Sprite i (from 0): x = 37(i+1) mod 640, y = 91(i+1) mod 480, angle = 11(i+1) mod 360, and
// the colours in turn.
inline constexpr uint32_t kSceneColours[] = {0xFFFF8040, 0xC0FFFFFF, 0xFF40C0FF, 0xE080FF80};

inline std::vector<Sprite> SceneSprites(int64_t count) {
    std::vector<Sprite> sprites;
    for (int64_t i = 0; i < count; ++i) {
        const int64_t step = i + 1;
        sprites.push_back(Sprite{static_cast<double>(step * 37 % kBackWidth),
                                 static_cast<double>(step * 91 % kBackHeight),
                                 static_cast<double>(step * 11 % 360), kSceneColours[i % 4]});
    }
    return sprites;
}

// A frame script drawing SceneSprites(count) with the image "s", in the same order.
inline std::string SceneScript(int64_t count) {
    std::string colours;
    for (int i = 0; i < 4; ++i) {
        const uint32_t c = kSceneColours[i];
        colours += "if(k==" + std::to_string(i) + "){alpha=" + std::to_string(c >> 24) +
                   ";red=" + std::to_string(c >> 16 & 0xFF) +
                   ";green=" + std::to_string(c >> 8 & 0xFF) + ";blue=" + std::to_string(c & 0xFF) +
                   ";}";
    }
    return "x=0;y=0;angle=0;k=0;loop(" + std::to_string(count) +
           "){x=x+37;if(x>=640){x=x-640;}y=y+91;if(y>=480){y=y-480;}"
           "angle=angle+11;if(angle>=360){angle=angle-360;}" +
           colours + "draw(s,0,0,1,1);k=k+1;if(k==4){k=0;}}";
}

// The disc's pixels: straight-alpha ARGB, soft one-pixel edge.
inline std::vector<uint32_t> SpritePixels() {
    std::vector<uint32_t> pixels(kSide * kSide);
    for (int32_t y = 0; y < kSide; ++y) {
        for (int32_t x = 0; x < kSide; ++x) {
            const double distance = std::hypot(x - 15.5, y - 15.5);
            const auto alpha = static_cast<uint32_t>(std::clamp(16.0 - distance, 0.0, 1.0) * 255);
            pixels[y * kSide + x] = alpha << 24 | static_cast<uint32_t>(x * 8) << 16 |
                                    static_cast<uint32_t>(y * 8) << 8 | 0x80;
        }
    }
    return pixels;
}

// The disc as PNG bytes, also written to sprite.png in the current folder.
inline std::string SpritePng() {
    std::vector<uint32_t> pixels = SpritePixels();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kSide, kSide, 32,
                                                              kSide * 4, SDL_PIXELFORMAT_ARGB8888);
    IMG_SavePNG(surface, "sprite.png");
    SDL_FreeSurface(surface);
    std::ifstream file("sprite.png", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The raw pixman loop: the texture decoded once through SDL2_image and premultiplied, as any
// program would; each frame clears and composites every sprite. Needs sprite.png in the
// current folder (SpritePng).
class RawPixmanSprites {
  public:
    explicit RawPixmanSprites(bool smooth)
        : filter_(smooth ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST) {
        texture_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, nullptr, 0);
        SDL_Surface* decoded = IMG_Load("sprite.png");
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_PremultiplyAlpha(kSide, kSide, SDL_PIXELFORMAT_ARGB8888, argb->pixels, argb->pitch,
                             SDL_PIXELFORMAT_ARGB8888, pixman_image_get_data(texture_),
                             pixman_image_get_stride(texture_));
        SDL_FreeSurface(argb);
        SDL_FreeSurface(decoded);
        back_ = pixman_image_create_bits(PIXMAN_x8r8g8b8, kBackWidth, kBackHeight, nullptr, 0);
        scratchBits_.resize(kSide * kSide);
        scratch_ =
            pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, scratchBits_.data(), kSide * 4);
    }
    ~RawPixmanSprites() {
        pixman_image_unref(scratch_);
        pixman_image_unref(back_);
        pixman_image_unref(texture_);
    }
    RawPixmanSprites(const RawPixmanSprites&) = delete;
    RawPixmanSprites& operator=(const RawPixmanSprites&) = delete;

    void drawFrame(const std::vector<Sprite>& sprites) {
        const pixman_color_t black{0, 0, 0, 0xFFFF};
        const pixman_box32_t all{0, 0, kBackWidth, kBackHeight};
        pixman_image_fill_boxes(PIXMAN_OP_SRC, back_, &black, 1, &all);
        for (const Sprite& s : sprites) {
            const uint32_t a = s.colour >> 24;
            auto premultiplied = [&](uint32_t shift) {
                return static_cast<uint16_t>(((s.colour >> shift & 0xFF) * a + 127) / 255 * 0x101);
            };
            const pixman_color_t tint{premultiplied(16), premultiplied(8), premultiplied(0),
                                      static_cast<uint16_t>(a * 0x101)};
            pixman_image_t* mask = pixman_image_create_solid_fill(&tint);
            pixman_image_set_component_alpha(mask, 1);
            pixman_image_composite32(PIXMAN_OP_SRC, texture_, mask, scratch_, 0, 0, 0, 0, 0, 0,
                                     kSide, kSide);
            pixman_image_unref(mask);

            const double theta = s.angle * 0.017453293;
            pixman_f_transform inverse;
            pixman_f_transform_init_identity(&inverse);
            pixman_f_transform_translate(&inverse, nullptr, -s.x, -s.y);
            pixman_f_transform_rotate(&inverse, nullptr, std::cos(theta), -std::sin(theta));
            pixman_f_transform_translate(&inverse, nullptr, kSide / 2.0, kSide / 2.0);
            pixman_transform_t transform;
            pixman_transform_from_pixman_f_transform(&transform, &inverse);
            pixman_image_set_transform(scratch_, &transform);
            pixman_image_set_filter(scratch_, filter_, nullptr, 0);
            const int32_t reach = 24;  // half the diagonal and the bilinear fringe
            const int32_t left = std::max(0, static_cast<int32_t>(s.x) - reach);
            const int32_t top = std::max(0, static_cast<int32_t>(s.y) - reach);
            const int32_t right = std::min(kBackWidth, static_cast<int32_t>(s.x) + reach);
            const int32_t bottom = std::min(kBackHeight, static_cast<int32_t>(s.y) + reach);
            pixman_image_composite32(PIXMAN_OP_OVER, scratch_, nullptr, back_, left, top, 0, 0,
                                     left, top, right - left, bottom - top);
        }
    }
    const uint32_t* pixels() const { return pixman_image_get_data(back_); }

  private:
    pixman_filter_t filter_;
    pixman_image_t* texture_ = nullptr;
    pixman_image_t* back_ = nullptr;
    std::vector<uint32_t> scratchBits_;
    pixman_image_t* scratch_ = nullptr;
};

}  // namespace tavro::bench
