// Fuzz target: any byte text parses to some tree, and evaluating it, compiled or by text, in
// every kind of context, neither crashes nor reads out of bounds.
//
// Build and run for ten minutes from the repository root (clang, libFuzzer):
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRO_FUZZ=ON -DTAVRO_BENCH=OFF && cmake
//   --build build-fuzz --target expression_fuzz -j2 && build-fuzz/tests/fuzz/expression_fuzz
//   -max_total_time=600 -max_len=512 -rss_limit_mb=4096 tests/fuzz/corpus/expression
// (-rss_limit_mb: one text may legitimately grow several arrays to the 2^24-element cap.)

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/compositor/pixman_compositor.h"
#include "script/contexts.h"
#include "script/engine_state.h"
#include "script/expression.h"
#include "script/task_instance.h"
#include "support/game_folder.h"
#include "text/text_string.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavro;
    // A fresh run per input keeps memory bounded over millions of runs.
    testing::GameFolder files;
    PixmanCompositor compositor;
    EngineState state(files, nullptr, compositor);
    const TextString text(reinterpret_cast<const char*>(data), static_cast<int32_t>(size));

    TaskInstance parent(state.objects);
    TaskInstance current(state.objects);
    current.parent = &parent;
    InstanceContext running(state, &current, &parent);
    InstanceContext orphan(state, &parent, nullptr);
    NameContext naming(state);
    CompileContext compile(state);

    ExprNode compiled;
    compiled.parse(text, &compile, &state.log);
    compiled.evaluate(&running);
    compiled.evaluate(&orphan);
    compiled.evaluate(&naming);
    compiled.evaluate(nullptr);

    ExprNode byText;
    byText.parse(text, nullptr, &state.log);
    byText.evaluate(&running);
    byText.evaluate(&orphan);
    byText.evaluate(&naming);
    return 0;
}
