// Rotated, colour-modulated 32×32 sprites from one texture on a 640×480 back buffer, per
// frame: the host compositor's draw call and the render layer's draw list, against a raw pixman
// loop compositing the same quads the same way (tint, then OVER through the inverse matrix).
// Compare sprites_per_second of the three at equal N and sampling (in wall time, as the
// compositor uses every core); BM_DrawListOverRawPixman times the draw list and the raw loop
// in turn for their ratio. BM_AnimatedSprites compares 1 000 animated with 1 000 still sprites.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "alternating_times.h"
#include "host/compositor/pixman_compositor.h"
#include "host/files/game_folder_file_system.h"
#include "render/draw_list.h"
#include "sprite_scene.h"
#include "temporary_game_folder.h"
#include "text/error_report.h"

namespace {

using namespace tavro;
using bench::kBackHeight;
using bench::kBackWidth;
using bench::kSide;
using bench::Sprite;
using bench::SpritePng;

std::vector<Sprite> Sprites(int64_t count) {
    return bench::SceneSprites(count);
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
    bench::RawPixmanSprites raw(SamplingOf(state) == Sampling::kSmooth);
    for (auto _ : state) {
        raw.drawFrame(sprites);
        benchmark::DoNotOptimize(raw.pixels());
    }
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

// The render layer's path: each frame the sprites go into the draw list, which is rendered,
// composed and cleared.
class DrawListSprites {
  public:
    explicit DrawListSprites(Sampling sampling) {
        SpritePng();
        device_.create(kBackWidth, kBackHeight, false);
        device_.setSmoothSampling(sampling == Sampling::kSmooth);
        LoadImageRef(image_, "sprite.png", textures_, animations_, device_);
    }
    void drawFrame(const std::vector<Sprite>& sprites) {
        for (const Sprite& s : sprites) {
            AddImageItem(list_, image_, ObjectTransform(s.x, s.y, 1, 1, s.angle), s.colour, 0,
                         Translation(0, 0), false);
        }
        RenderDrawList(list_, context_, false);
        device_.clearBackBuffer();
    }

  private:
    PixmanCompositor compositor_;
    NoLog log_;
    GraphicsDevice device_{compositor_, log_};
    GameFolderFileSystem files_{""};
    TextureCache textures_{files_, log_};
    AnimationTable animations_;
    ImageRef image_;
    RenderContext context_{device_, textures_, animations_, ScreenScale{}};
    DrawList list_;
};

void BM_DrawListSprites(benchmark::State& state) {
    bench::TemporaryGameFolder folder;
    const std::vector<Sprite> sprites = Sprites(state.range(0));
    DrawListSprites drawList(SamplingOf(state));
    for (auto _ : state) {
        drawList.drawFrame(sprites);
    }
    Report(state, sprites.size());
}

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The draw-list path and the raw pixman loop frame by frame in turn, in wall time (the
// compositor uses every core): raw_over_draw_list above 1 means the draw list is faster.
void BM_DrawListOverRawPixman(benchmark::State& state) {
    bench::TemporaryGameFolder folder;
    const std::vector<Sprite> sprites = Sprites(state.range(0));
    DrawListSprites drawList(SamplingOf(state));
    bench::RawPixmanSprites raw(SamplingOf(state) == Sampling::kSmooth);
    const bench::AlternatingTimes times = bench::timeAlternately(
        state, WallSeconds, [&] { drawList.drawFrame(sprites); }, [&] { raw.drawFrame(sprites); });
    state.counters["raw_over_draw_list"] = times.second / times.first;
    state.counters["draw_list_ms"] = bench::millisecondsPerIteration(state, times.first);
    state.counters["raw_ms"] = bench::millisecondsPerIteration(state, times.second);
}

// 1 000 sprites drawn through the draw list as still images or as animations whose four
// frames are the same whole cell (so the pixels cost the same), each with its own counter
// advanced per frame as the draw command does: the difference is the frame lookup.
void BM_AnimatedSprites(benchmark::State& state) {
    bench::TemporaryGameFolder folder;
    const std::vector<Sprite> sprites = Sprites(1000);
    SpritePng();
    std::ofstream("sprite.ani") << "texture=sprite.png;width=" << kSide << ";height=" << kSide
                                << ";animation={0,0,2}{0,0,3}{0,0,4}{0,0,5};";
    PixmanCompositor compositor;
    NoLog log;
    GraphicsDevice device(compositor, log);
    device.create(kBackWidth, kBackHeight, false);
    GameFolderFileSystem files("");
    TextureCache textures(files, log);
    AnimationTable animations([&](const TextString& name, TextString& text) {
        std::string bytes;
        return files.readFile(name.view(), bytes) && (text = bytes.c_str(), true);
    });
    const bool animated = state.range(0) != 0;
    std::vector<ImageRef> images(sprites.size());
    for (size_t i = 0; i < images.size(); ++i) {
        LoadImageRef(images[i], animated ? "sprite.ani" : "sprite.png", textures, animations,
                     device);
        images[i].frameCounter = static_cast<int32_t>(i);
    }
    RenderContext context{device, textures, animations, ScreenScale{}};
    DrawList list;
    for (auto _ : state) {
        for (size_t i = 0; i < sprites.size(); ++i) {
            const Sprite& s = sprites[i];
            ++images[i].frameCounter;
            AddImageItem(list, images[i], ObjectTransform(s.x, s.y, 1, 1, s.angle), s.colour, 0,
                         Translation(0, 0), false);
        }
        RenderDrawList(list, context, false);
        device.clearBackBuffer();
    }
    Report(state, sprites.size());
}
BENCHMARK(BM_AnimatedSprites)
    ->ArgName("animated")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void SpriteArguments(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"sprites", "smooth"})->Unit(benchmark::kMillisecond)->UseRealTime();
    for (const int64_t smooth : {0, 1}) {
        for (const int64_t sprites : {1000, 5000}) {
            bench->Args({sprites, smooth});
        }
    }
}
BENCHMARK(BM_RawPixmanSprites)->Apply(SpriteArguments);
BENCHMARK(BM_CompositorSprites)->Apply(SpriteArguments);
BENCHMARK(BM_DrawListSprites)->Apply(SpriteArguments);
BENCHMARK(BM_DrawListOverRawPixman)->Apply(SpriteArguments);

}  // namespace
