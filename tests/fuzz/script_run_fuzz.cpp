// Fuzz target: any bytes as the one script of the root object, compiled and run for a few
// frames (constructor pass, then frame passes) without crashing or growing without bound.
//
// The input is "main.scr", the boot task's frame and constructor script. Every other file
// read is an empty task or script, and writes land in memory. Inputs with more than one loop,
// or with a loop and a "script(" call, are skipped: nested loops of 9 999 runs each are valid
// scripts that run for minutes, which is slowness, not a fault. So are inputs with two
// batches and an object creation: a batch that doubles the objects up to the limit, with a
// batch over all objects inside it, is 10^10 visits. An input stops once it has handed more
// than kWriteBudget bytes to "save(": a loop appending a long array every round is slowness
// too.
//
// Build and run for ten minutes from the repository root (clang, libFuzzer):
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRO_FUZZ=ON -DTAVRO_BENCH=OFF && cmake
//   --build build-fuzz --target script_run_fuzz -j2 && build-fuzz/tests/fuzz/script_run_fuzz
//   -max_total_time=600 -max_len=512 tests/fuzz/corpus/script_run

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/compositor/pixman_compositor.h"
#include "script/engine_state.h"
#include "script/interpreter.h"
#include "script/task_instance.h"
#include "script/task_loader.h"
#include "support/game_start.h"

namespace {

constexpr int kFrames = 3;
constexpr size_t kWriteBudget = size_t{4} << 20;

// The game folder: any file not written reads as empty; writes spend a budget, after which
// the run is asked to stop.
class FuzzFolder : public tavro::testing::GameFolder {
  public:
    FuzzFolder() { anyOtherFile = ""; }
    bool replaceFile(std::string_view path, std::string_view bytes) override {
        spend(bytes.size());
        return GameFolder::replaceFile(path, bytes);
    }
    bool appendFile(std::string_view path, std::string_view bytes) override {
        spend(bytes.size());
        return files[std::string(path)].size() >= 65536 || GameFolder::appendFile(path, bytes);
    }

    bool* halt = nullptr;  // the run's stop flag, raised once the budget is spent

  private:
    void spend(size_t bytes) {
        writtenBytes_ += bytes;
        if (writtenBytes_ > kWriteBudget && halt != nullptr) {
            *halt = true;
        }
    }

    size_t writtenBytes_ = 0;
};

size_t occurrences(std::string_view text, std::string_view word) {
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        ++count;
    }
    return count;
}

bool runsTooLong(std::string_view script) {
    const size_t loops = occurrences(script, "loop(") + occurrences(script, "while(");
    const size_t batches = occurrences(script, "batch(");
    const size_t creations = occurrences(script, "new(") + occurrences(script, "friend(");
    return loops > 1 || (loops == 1 && occurrences(script, "script(") > 0) ||
           (batches > 1 && creations > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavro;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (runsTooLong(input)) {
        return -1;  // not added to the corpus
    }
    FuzzFolder folder;
    folder.files["main.scr"] = input;
    // A fresh run per input keeps memory bounded over millions of runs; without dialogs the
    // loop question is answered Yes.
    PixmanCompositor compositor;
    EngineState state(folder, nullptr, compositor);
    folder.halt = &state.haltRequested;
    TaskInstance& root = state.objects.root();
    if (tavro::testing::startGame(state, folder, "SCRIPT={main.scr};CONSTRACT={main.scr};")) {
        for (int frame = 0; frame < kFrames && !state.haltRequested; ++frame) {
            RunFramePass(state, root);
        }
    }
    return 0;
}
