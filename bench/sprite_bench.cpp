// Rotated, colour-modulated 32×32 sprites from one texture on a 640×480 back buffer, per
// frame: the host compositor's draw call and the render layer's draw list, against a raw pixman
// loop compositing the same quads the same way (tint, then OVER through the inverse matrix).
// Compare sprites_per_second of the three at equal N and sampling.
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/compositor/pixman_compositor.h"
#include "host/game_folder_file_system.h"
#include "render/draw_list.h"
#include "temporary_game_folder.h"
#include "text/error_report.h"

namespace {

using namespace tavro;

constexpr int32_t kBackWidth = 640;
constexpr int32_t kBackHeight = 480;
constexpr int32_t kSide = 32;

struct Sprite {
    double x, y, angle;
    uint32_t colour;
};

std::vector<Sprite> Sprites(int64_t count) {
    const uint32_t colours[] = {0xFFFF8040, 0xC0FFFFFF, 0xFF40C0FF, 0xE080FF80};
    std::vector<Sprite> sprites;
    uint32_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int64_t i = 0; i < count; ++i) {
        sprites.push_back(Sprite{static_cast<double>(next() % kBackWidth),
                                 static_cast<double>(next() % kBackHeight),
                                 static_cast<double>(next() % 360), colours[i % 4]});
    }
    return sprites;
}

// A disc with a soft edge, as PNG bytes, written to sprite.png in the current folder.
std::string SpritePng() {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, kSide, kSide, 32, SDL_PIXELFORMAT_ARGB8888);
    auto* pixels = static_cast<uint32_t*>(surface->pixels);
    for (int32_t y = 0; y < kSide; ++y) {
        for (int32_t x = 0; x < kSide; ++x) {
            const double distance = std::hypot(x - 15.5, y - 15.5);
            const auto alpha = static_cast<uint32_t>(std::clamp(16.0 - distance, 0.0, 1.0) * 255);
            pixels[y * kSide + x] = alpha << 24 | static_cast<uint32_t>(x * 8) << 16 |
                                    static_cast<uint32_t>(y * 8) << 8 | 0x80;
        }
    }
    IMG_SavePNG(surface, "sprite.png");
    SDL_FreeSurface(surface);
    std::ifstream file("sprite.png", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

Sampling SamplingOf(const benchmark::State& state) {
    return state.range(1) != 0 ? Sampling::kSmooth : Sampling::kPoint;
}

void Report(benchmark::State& state, size_t sprites) {
    state.counters["sprites_per_second"] =
        benchmark::Counter(static_cast<double>(sprites) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_RawPixmanSprites(benchmark::State& state) {
    bench::TemporaryGameFolder folder;
    const std::vector<Sprite> sprites = Sprites(state.range(0));
    SpritePng();
    pixman_image_t* texture = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, nullptr, 0);
    {
        // Decode once through SDL2_image, premultiplied, as any program would.
        SDL_Surface* decoded = IMG_Load("sprite.png");
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_PremultiplyAlpha(kSide, kSide, SDL_PIXELFORMAT_ARGB8888, argb->pixels, argb->pitch,
                             SDL_PIXELFORMAT_ARGB8888, pixman_image_get_data(texture),
                             pixman_image_get_stride(texture));
        SDL_FreeSurface(argb);
        SDL_FreeSurface(decoded);
    }
    pixman_image_t* back =
        pixman_image_create_bits(PIXMAN_x8r8g8b8, kBackWidth, kBackHeight, nullptr, 0);
    std::vector<uint32_t> scratchBits(kSide * kSide);
    pixman_image_t* scratch =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, scratchBits.data(), kSide * 4);
    const pixman_filter_t filter =
        SamplingOf(state) == Sampling::kSmooth ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST;
    const pixman_color_t black{0, 0, 0, 0xFFFF};
    const pixman_box32_t all{0, 0, kBackWidth, kBackHeight};
    for (auto _ : state) {
        pixman_image_fill_boxes(PIXMAN_OP_SRC, back, &black, 1, &all);
        for (const Sprite& s : sprites) {
            const uint32_t a = s.colour >> 24;
            auto premultiplied = [&](uint32_t shift) {
                return static_cast<uint16_t>(((s.colour >> shift & 0xFF) * a + 127) / 255 * 0x101);
            };
            const pixman_color_t tint{premultiplied(16), premultiplied(8), premultiplied(0),
                                      static_cast<uint16_t>(a * 0x101)};
            pixman_image_t* mask = pixman_image_create_solid_fill(&tint);
            pixman_image_set_component_alpha(mask, 1);
            pixman_image_composite32(PIXMAN_OP_SRC, texture, mask, scratch, 0, 0, 0, 0, 0, 0, kSide,
                                     kSide);
            pixman_image_unref(mask);

            const double theta = s.angle * 0.017453293;
            pixman_f_transform inverse;
            pixman_f_transform_init_identity(&inverse);
            pixman_f_transform_translate(&inverse, nullptr, -s.x, -s.y);
            pixman_f_transform_rotate(&inverse, nullptr, std::cos(theta), -std::sin(theta));
            pixman_f_transform_translate(&inverse, nullptr, kSide / 2.0, kSide / 2.0);
            pixman_transform_t transform;
            pixman_transform_from_pixman_f_transform(&transform, &inverse);
            pixman_image_set_transform(scratch, &transform);
            pixman_image_set_filter(scratch, filter, nullptr, 0);
            const int32_t reach = 24;  // half the diagonal and the bilinear fringe
            const int32_t left = std::max(0, static_cast<int32_t>(s.x) - reach);
            const int32_t top = std::max(0, static_cast<int32_t>(s.y) - reach);
            const int32_t right = std::min(kBackWidth, static_cast<int32_t>(s.x) + reach);
            const int32_t bottom = std::min(kBackHeight, static_cast<int32_t>(s.y) + reach);
            pixman_image_composite32(PIXMAN_OP_OVER, scratch, nullptr, back, left, top, 0, 0, left,
                                     top, right - left, bottom - top);
        }
        benchmark::DoNotOptimize(pixman_image_get_data(back));
    }
    pixman_image_unref(scratch);
    pixman_image_unref(back);
    pixman_image_unref(texture);
    Report(state, sprites.size());
}

void BM_CompositorSprites(benchmark::State& state) {
    bench::TemporaryGameFolder folder;
    const std::vector<Sprite> sprites = Sprites(state.range(0));
    PixmanCompositor compositor;
    compositor.createBackBuffer(kBackWidth, kBackHeight);
    compositor.setSampling(SamplingOf(state));
    const TextureHandle texture = compositor.createTexture(SpritePng(), kSide, kSide);
    for (auto _ : state) {
        compositor.clear(0xFF000000);
        for (const Sprite& s : sprites) {
            const double theta = s.angle * 0.017453293;
            CompositorItem item;
            item.texture = texture;
            item.source = TexelRect{0, 0, kSide, kSide};
            item.centreX = item.centreY = kSide / 2.0f;
            item.matrix = AffineMatrix{static_cast<float>(std::cos(theta)),
                                       static_cast<float>(std::sin(theta)),
                                       static_cast<float>(-std::sin(theta)),
                                       static_cast<float>(std::cos(theta)),
                                       static_cast<float>(s.x),
                                       static_cast<float>(s.y)};
            item.colour = s.colour;
            compositor.draw(item);
        }
    }
    Report(state, sprites.size());
}

class NoLog : public ErrorSink {
  public:
    void record(const char*, Severity) override {}
};

void BM_DrawListSprites(benchmark::State& state) {
    bench::TemporaryGameFolder folder;
    const std::vector<Sprite> sprites = Sprites(state.range(0));
    SpritePng();
    PixmanCompositor compositor;
    NoLog log;
    GraphicsDevice device(compositor, log);
    device.create(kBackWidth, kBackHeight, false);
    device.setSmoothSampling(SamplingOf(state) == Sampling::kSmooth);
    GameFolderFileSystem files("");
    TextureCache textures(files, log);
    AnimationTable animations;
    ImageRef image;
    LoadImageRef(image, "sprite.png", textures, animations, device);
    RenderContext context{device, textures, animations, ScreenScale{}};
    DrawList list;
    for (auto _ : state) {
        for (const Sprite& s : sprites) {
            AddImageItem(list, image, ObjectTransform(s.x, s.y, 1, 1, s.angle), s.colour, 0,
                         Translation(0, 0), false);
        }
        RenderDrawList(list, context, false);
        device.clearBackBuffer();
    }
    Report(state, sprites.size());
}

void SpriteArguments(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"sprites", "smooth"})->Unit(benchmark::kMillisecond);
    for (const int64_t smooth : {0, 1}) {
        for (const int64_t sprites : {1000, 5000}) {
            bench->Args({sprites, smooth});
        }
    }
}
BENCHMARK(BM_RawPixmanSprites)->Apply(SpriteArguments);
BENCHMARK(BM_CompositorSprites)->Apply(SpriteArguments);
BENCHMARK(BM_DrawListSprites)->Apply(SpriteArguments);

}  // namespace
