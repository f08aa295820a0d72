// One run comparing N = 1 000 and 5 000 rotated, colour-modulated 32×32 sprites from one texture
// on a 640×480 frame, point and smooth sampling, drawn by
//   - Tavro's whole path on the headless host: a script's "draw(" → draw list → compositor →
//     present (the time between two presented frames, so the script pass and the clear count);
//   - the raw pixman loop of the sprite benchmarks (the same quads, composited the same way);
//   - a raw SDL2 program drawing the same quads with one SDL_RenderGeometry call a frame on
//     SDL's software renderer and on its OpenGL renderer (Mesa's software GL), in a window,
//     presented every frame, no vsync.
// Each figure is the median frame time over the measured frames, shown as sprites per second,
// with every ratio of Tavro's path to the others. The SDL renderers need a display: without
// one they are reported as skipped and the rest still runs.
//
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/tavro_sprite_compare [--frames N]
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "host/audio/mixer.h"
#include "host/compositor/pixman_compositor.h"
#include "host/files/game_folder_file_system.h"
#include "host/fonts/ttf_font_renderer.h"
#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/virtual_clock.h"
#include "shell/engine.h"
#include "sprite_scene.h"
#include "temporary_game_folder.h"

namespace {

using namespace tavro;
using bench::kBackHeight;
using bench::kBackWidth;
using bench::kSide;
using bench::Sprite;
using Clock = std::chrono::steady_clock;

constexpr int kWarmUpFrames = 3;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Notes when each frame is presented.
class FrameTimes : public FrameSink {
  public:
    void showFrame(const uint32_t*, int32_t, int32_t, int32_t) override {
        stamps.push_back(Clock::now());
    }
    std::vector<Clock::time_point> stamps;
};

// Median seconds per frame of Tavro's path, or nothing when the game did not present every
// frame.
std::optional<double> TavroFrame(int64_t sprites, bool smooth, int frames) {
    bench::TemporaryGameFolder folder;
    bench::SpritePng();
    folder.write("boot", "IMAGE={s,sprite.png};SCRIPT={main.scr};");
    folder.write("init", smooth ? "antiAlias=true;" : "");
    folder.write("main.scr", bench::SceneScript(sprites));
    GameFolderFileSystem files("");
    ScriptEngineGameScripts scripts;
    VirtualClock clock;
    HeadlessDisplay display;
    HeadlessDialogs dialogs(true);
    FrameTimes times;
    PixmanCompositor compositor(&times);
    const auto total = static_cast<uint64_t>(kWarmUpFrames + frames + 1);
    Mixer mixer;  // without one, start-up fails for want of a sound device
    TtfFontRenderer fonts;
    Engine engine(HostServices{clock, display, dialogs, files, compositor, &mixer, nullptr, &fonts},
                  scripts, EngineOptions{total, 1u});
    engine.run();
    if (times.stamps.size() != total) {
        return std::nullopt;
    }
    std::vector<double> intervals;
    for (size_t i = kWarmUpFrames + 1; i < times.stamps.size(); ++i) {
        intervals.push_back(Seconds(times.stamps[i] - times.stamps[i - 1]));
    }
    return Median(intervals);
}

double RawPixmanFrame(const std::vector<Sprite>& sprites, bool smooth, int frames) {
    bench::TemporaryGameFolder folder;
    bench::SpritePng();
    bench::RawPixmanSprites raw(smooth);
    std::vector<double> times;
    for (int i = 0; i < kWarmUpFrames + frames; ++i) {
        const Clock::time_point start = Clock::now();
        raw.drawFrame(sprites);
        const Clock::time_point end = Clock::now();
        if (i >= kWarmUpFrames) {
            times.push_back(Seconds(end - start));
        }
    }
    return Median(times);
}

struct SdlResult {
    double frameSeconds = 0;
    std::string renderer;  // SDL's name for it, and the GL renderer string for OpenGL
};

std::string GlRendererName() {
    using GetString = const unsigned char* (*)(unsigned);
    constexpr unsigned kGlRenderer = 0x1F01;
    auto* getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
    return name != nullptr ? reinterpret_cast<const char*>(name) : "?";
}

// The same quads through SDL_RenderGeometry on the named render driver, in a 640×480 window;
// an error text when the renderer cannot be had.
std::optional<SdlResult> SdlFrame(const char* driver, const std::vector<Sprite>& sprites,
                                  bool smooth, int frames, std::string& error) {
    bench::TemporaryGameFolder folder;
    bench::SpritePng();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, smooth ? "linear" : "nearest");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    const bool gl = std::strcmp(driver, "opengl") == 0;
    SDL_Window* window =
        SDL_CreateWindow("sprite compare", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                         kBackWidth, kBackHeight, gl ? SDL_WINDOW_OPENGL : 0);
    if (window == nullptr) {
        error = SDL_GetError();
        return std::nullopt;
    }
    int index = -1;
    for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::strcmp(info.name, driver) == 0) {
            index = i;
        }
    }
    SDL_Renderer* renderer =
        index < 0 ? nullptr
                  : SDL_CreateRenderer(window, index,
                                       gl ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE);
    if (renderer == nullptr) {
        error = index < 0 ? std::string("no render driver ") + driver : SDL_GetError();
        SDL_DestroyWindow(window);
        return std::nullopt;
    }
    SdlResult result;
    SDL_RendererInfo info;
    SDL_GetRendererInfo(renderer, &info);
    result.renderer = info.name;
    if (gl) {
        result.renderer += " on " + GlRendererName();
    }
    SDL_Texture* texture = IMG_LoadTexture(renderer, "sprite.png");
    if (texture == nullptr) {
        error = SDL_GetError();
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        return std::nullopt;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);

    std::vector<SDL_Vertex> vertices(sprites.size() * 4);
    std::vector<int> indices;
    for (size_t i = 0; i < sprites.size(); ++i) {
        const int first = static_cast<int>(i * 4);
        for (const int corner : {0, 1, 2, 0, 2, 3}) {
            indices.push_back(first + corner);
        }
    }
    constexpr float kHalf = kSide / 2.0f;
    const float corners[4][2] = {
        {-kHalf, -kHalf}, {kHalf, -kHalf}, {kHalf, kHalf}, {-kHalf, kHalf}};
    const float texels[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    std::vector<double> times;
    for (int frame = 0; frame < kWarmUpFrames + frames; ++frame) {
        const Clock::time_point start = Clock::now();
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (size_t i = 0; i < sprites.size(); ++i) {
            const Sprite& s = sprites[i];
            const double theta = s.angle * 0.017453293;
            const auto c = static_cast<float>(std::cos(theta));
            const auto n = static_cast<float>(std::sin(theta));
            const SDL_Color colour{
                static_cast<Uint8>(s.colour >> 16 & 0xFF), static_cast<Uint8>(s.colour >> 8 & 0xFF),
                static_cast<Uint8>(s.colour & 0xFF), static_cast<Uint8>(s.colour >> 24)};
            for (int k = 0; k < 4; ++k) {
                const float x = corners[k][0];
                const float y = corners[k][1];
                vertices[i * 4 + k] = SDL_Vertex{{static_cast<float>(s.x) + x * c - y * n,
                                                  static_cast<float>(s.y) + x * n + y * c},
                                                 colour,
                                                 {texels[k][0], texels[k][1]}};
            }
        }
        SDL_RenderGeometry(renderer, texture, vertices.data(), static_cast<int>(vertices.size()),
                           indices.data(), static_cast<int>(indices.size()));
        SDL_RenderPresent(renderer);
        const Clock::time_point end = Clock::now();
        if (frame >= kWarmUpFrames) {
            times.push_back(Seconds(end - start));
        }
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
        }
    }
    result.frameSeconds = Median(times);
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    return result;
}

std::string Rate(double sprites, double frameSeconds) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.0f", sprites / frameSeconds);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    int frames = 30;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0) {
            frames = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    // SDL falls back to its offscreen driver when there is no display; that is no window.
    std::string displayError;
    bool video = SDL_Init(SDL_INIT_VIDEO) == 0;
    if (!video) {
        displayError = SDL_GetError();
    } else if (const std::string driver = SDL_GetCurrentVideoDriver();
               driver == "offscreen" || driver == "dummy") {
        displayError = "video driver " + driver;
        SDL_Quit();
        video = false;
    } else {
        std::printf("SDL video driver: %s\n", driver.c_str());
    }
    std::printf("%d frames measured (median), after %d warm-up frames\n\n", frames, kWarmUpFrames);
    std::printf("%-7s %-7s %-48s %10s %12s %10s\n", "sprites", "filter", "path", "ms/frame",
                "sprites/s", "tavro/this");
    int failures = 0;
    for (const bool smooth : {false, true}) {
        for (const int64_t count : {1000, 5000}) {
            const std::vector<Sprite> sprites = bench::SceneSprites(count);
            const auto n = static_cast<double>(count);
            const char* filter = smooth ? "smooth" : "point";
            const std::optional<double> tavro = TavroFrame(count, smooth, frames);
            if (!tavro) {
                std::printf("%-7lld %-7s tavro: the game did not present every frame\n",
                            static_cast<long long>(count), filter);
                ++failures;
                continue;
            }
            auto row = [&](const std::string& path, double seconds) {
                std::printf("%-7lld %-7s %-48s %10.2f %12s %10.2f\n", static_cast<long long>(count),
                            filter, path.c_str(), seconds * 1000, Rate(n, seconds).c_str(),
                            seconds / *tavro);
            };
            row("tavro (draw( -> list -> pixman -> present)", *tavro);
            row("raw pixman loop", RawPixmanFrame(sprites, smooth, frames));
            for (const char* driver : {"software", "opengl"}) {
                if (!video) {
                    std::printf("%-7lld %-7s %-48s skipped: no display (%s)\n",
                                static_cast<long long>(count), filter,
                                (std::string("SDL ") + driver).c_str(), displayError.c_str());
                    continue;
                }
                std::string error;
                const std::optional<SdlResult> sdl =
                    SdlFrame(driver, sprites, smooth, frames, error);
                if (sdl) {
                    row("SDL " + sdl->renderer, sdl->frameSeconds);
                } else {
                    std::printf("%-7lld %-7s %-48s skipped: %s\n", static_cast<long long>(count),
                                filter, (std::string("SDL ") + driver).c_str(), error.c_str());
                }
            }
            std::printf("\n");
        }
    }
    std::printf("tavro/this: this path's time per frame over Tavro's; above 1, Tavro is faster.\n");
    if (video) {
        SDL_Quit();
    }
    return failures == 0 ? 0 : 1;
}
