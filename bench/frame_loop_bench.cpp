// The headless frame loop of an empty game: how many frames per second of wall time the
// loop runs when the virtual clock makes waiting free (target: at least 20 000).
#include <benchmark/benchmark.h>
#include <cstdint>

#include "headless_host.h"
#include "host/files/game_folder_file_system.h"
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
        bench::HeadlessHost host(files);
        Engine engine(host.services(), scripts, EngineOptions{frames, 1u});
        benchmark::DoNotOptimize(engine.run());
        total += engine.framesRun();
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EmptyGameHeadlessFrames)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
