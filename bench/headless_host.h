// Everything a headless Engine takes from its host, for the benchmarks that run whole games:
// a virtual clock, a scripted window, dialogs answered Yes, the compositor, the fonts and a
// mixer.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "host/audio/mixer.h"
#include "host/compositor/pixman_compositor.h"
#include "host/file_system.h"
#include "host/fonts/ttf_font_renderer.h"
#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/virtual_clock.h"
#include "shell/engine.h"
#include "shell/game_scripts.h"

namespace tavro::bench {

struct HeadlessHost {
    explicit HeadlessHost(FileSystem& files) : files(files) {}
    HostServices services() {
        return {clock, display, dialogs, files, compositor, &mixer, nullptr, &fonts};
    }

    FileSystem& files;
    VirtualClock clock;
    HeadlessDisplay display;
    HeadlessDialogs dialogs{true};
    PixmanCompositor compositor;
    TtfFontRenderer fonts;
    Mixer mixer;  // without one start-up fails for want of a sound device
};

// Runs the game in the current folder for `frames` frames on a fresh host per iteration and
// reports the seconds per frame, start-up included.
inline void RunGameFrames(benchmark::State& state, FileSystem& files, uint64_t frames) {
    ScriptEngineGameScripts scripts;
    for (auto _ : state) {
        HeadlessHost host(files);
        Engine engine(host.services(), scripts, EngineOptions{frames, 1u});
        if (engine.run() != 0) {
            state.SkipWithError("the game did not start");
            return;
        }
    }
    state.counters["seconds_per_frame"] =
        benchmark::Counter(static_cast<double>(frames) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace tavro::bench
