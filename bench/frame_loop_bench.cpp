// The headless frame loop of an empty game: how many frames per second of wall time the
// loop runs when the virtual clock makes waiting free (target: at least 20 000).
#include <benchmark/benchmark.h>
#include <cstdint>

#include "host/audio/mixer.h"
#include "host/compositor/pixman_compositor.h"
#include "host/game_folder_file_system.h"
#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/virtual_clock.h"
#include "shell/engine.h"
#include "temporary_game_folder.h"

namespace {

using namespace tavro;

void BM_EmptyGameHeadlessFrames(benchmark::State& state) {
    bench::TemporaryGameFolder folder;
    folder.write("boot", "");
    GameFolderFileSystem files("");
    ScriptEngineGameScripts scripts;
    const auto frames = static_cast<uint64_t>(state.range(0));
    uint64_t total = 0;
    for (auto _ : state) {
        VirtualClock clock;
        HeadlessDisplay display;
        HeadlessDialogs dialogs(true);
        PixmanCompositor compositor;
        Mixer mixer;
        Engine engine(HostServices{clock, display, dialogs, files, compositor, &mixer}, scripts,
                      EngineOptions{frames, 1u});
        benchmark::DoNotOptimize(engine.run());
        total += engine.framesRun();
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EmptyGameHeadlessFrames)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
