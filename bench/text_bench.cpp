// Text on the headless host: 200 "text(" items a frame, 100 whose texts never change and 100
// whose texts change every frame (a counter), through the font, the text textures and the
// compositor. Reports the time per frame, and the resident memory after 1 000 and after
// 100 000 frames, which must stay level while the kept texts are bounded.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "headless_host.h"
#include "host/files/game_folder_file_system.h"
#include "temporary_game_folder.h"

namespace {

using namespace tavro;

// Ten columns of twenty rows; the left half labels, the right half counters.
constexpr const char* kTextScript =
    "n=n+1;i=0;loop(100){i=i+1;x=(i-1)%5*64;y=(i-1)/5*24;"
    "text(\"Label\\s$di:\",0,0,1,0,100,0);"
    "text(\"Score\\s$dn*100+i:\",320,0,1,0,100,0);}";

void WriteTextGame(bench::TemporaryGameFolder& folder) {
    folder.write("boot", "SCRIPT={main.scr};");
    folder.write("main.scr", kTextScript);
}

double ResidentMegabytes() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1048576.0;
}

void BM_TextFrame(benchmark::State& state) {
    constexpr uint64_t kFrames = 2000;
    bench::TemporaryGameFolder folder;
    WriteTextGame(folder);
    GameFolderFileSystem files("");
    bench::RunGameFrames(state, files, kFrames);
}
BENCHMARK(BM_TextFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

// The script engine, with the resident memory taken after two chosen frames.
class MeasuredScripts : public GameScripts {
  public:
    void scanTaskFiles(EngineState& state) override { scripts_.scanTaskFiles(state); }
    bool loadRoot(EngineState& state, TaskInstance& root, const TextString& name) override {
        return scripts_.loadRoot(state, root, name);
    }
    void startRoot(EngineState& state, TaskInstance& root) override {
        scripts_.startRoot(state, root);
    }
    void runFramePass(EngineState& state, TaskInstance& root) override {
        scripts_.runFramePass(state, root);
        if (++frames_ == kEarlyFrame) {
            early = ResidentMegabytes();
        }
    }

    static constexpr uint64_t kEarlyFrame = 1000;
    double early = 0;

  private:
    ScriptEngineGameScripts scripts_;
    uint64_t frames_ = 0;
};

void BM_TextMemory(benchmark::State& state) {
    constexpr uint64_t kFrames = 100000;
    bench::TemporaryGameFolder folder;
    WriteTextGame(folder);
    GameFolderFileSystem files("");
    for (auto _ : state) {
        MeasuredScripts scripts;
        bench::HeadlessHost host(files);
        Engine engine(host.services(), scripts, EngineOptions{kFrames, 1u});
        engine.startUp();
        engine.runFrameLoop();
        state.counters["resident_mb_at_1000"] = scripts.early;
        state.counters["resident_mb_at_100000"] = ResidentMegabytes();
        state.counters["kept_texts"] = static_cast<double>(engine.font().textures().count());
        engine.shutDown();
    }
}
BENCHMARK(BM_TextMemory)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
