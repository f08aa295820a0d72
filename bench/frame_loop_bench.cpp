// The headless frame loop of an empty game: how many frames per second of wall time the
// loop runs when the virtual clock makes waiting free (target: at least 20 000).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/virtual_clock.h"
#include "shell/engine.h"

namespace {

using namespace tavro;

// An empty game folder (a "boot" task with nothing in it) as the current directory.
class EmptyGameFolder {
  public:
    EmptyGameFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavro-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
        std::fclose(std::fopen("boot", "wb"));
    }
    ~EmptyGameFolder() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

  private:
    std::string path_;
    std::filesystem::path previous_;
};

void BM_EmptyGameHeadlessFrames(benchmark::State& state) {
    EmptyGameFolder folder;
    const auto frames = static_cast<uint64_t>(state.range(0));
    uint64_t total = 0;
    for (auto _ : state) {
        VirtualClock clock;
        HeadlessDisplay display;
        HeadlessDialogs dialogs(true);
        Engine engine(HostServices{clock, display, dialogs}, scriptEngineGameScripts(),
                      EngineOptions{frames, 1u});
        benchmark::DoNotOptimize(engine.run());
        total += engine.framesRun();
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EmptyGameHeadlessFrames)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
