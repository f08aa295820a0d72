// Fuzz target: any bytes as a task file, with any bytes as the scripts it names, load and
// compile without crashing, hanging or growing without bound.
//
// The input up to its first zero byte is the task file "fuzz.tsk"; the rest is the text of
// every other file the loader asks for (child tasks and scripts alike), so TASK, SCRIPT and
// "script(" groups reach real text.
//
// Build and run for ten minutes from the repository root (clang, libFuzzer):
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRO_FUZZ=ON -DTAVRO_BENCH=OFF && cmake
//   --build build-fuzz --target task_loader_fuzz -j2 && build-fuzz/tests/fuzz/task_loader_fuzz
//   -max_total_time=600 -max_len=2048 tests/fuzz/corpus/task_loader

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/compositor/pixman_compositor.h"
#include "script/engine_state.h"
#include "script/script_table.h"
#include "script/task_instance.h"
#include "script/task_loader.h"
#include "support/game_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavro;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    testing::GameFolder folder;
    folder.files["fuzz.tsk"] = input.substr(0, split);
    folder.anyOtherFile = split == std::string_view::npos ? "" : input.substr(split + 1);

    // A fresh run per input keeps memory bounded over millions of runs.
    PixmanCompositor compositor;
    EngineState state(folder, nullptr, compositor);
    TaskInstance& root = state.objects.root();
    if (loadTaskInto(state, root, "fuzz.tsk")) {
        RegisterInstance(root);
        for (int32_t n = 1; n < state.scripts.count(); ++n) {
            compiledScript(state, n);
        }
    }
    return 0;
}
