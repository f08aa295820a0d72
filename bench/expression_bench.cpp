// Expression evaluation speed: the compiled form of x=x+1 against the same loop in Lua 5.4,
// in the same process, and a mixed expression over array variables.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "alternating_times.h"
#include "host/compositor/pixman_compositor.h"
#include "host/files/game_folder_file_system.h"
#include "lua_loop.h"
#include "script/contexts.h"
#include "script/engine_state.h"
#include "script/expression.h"
#include "script/task_instance.h"

namespace tavro {
namespace {

using bench::LuaLoop;
using bench::threadSeconds;

constexpr int64_t kLoopCount = 1000000;

// One object running a compiled expression, as the interpreter does every frame.
class CompiledExpression {
  public:
    explicit CompiledExpression(const char* text) { node_.parse(text, &compile_, nullptr); }
    double run() { return node_.evaluate(&context_); }
    void loop(int64_t count) {
        for (int64_t n = 0; n < count; ++n) {
            benchmark::DoNotOptimize(node_.evaluate(&context_));
        }
    }

  private:
    GameFolderFileSystem files_{""};  // never read: the expressions name no file
    PixmanCompositor compositor_;
    EngineState state_{files_, nullptr, compositor_};
    CompileContext compile_{state_};
    ExprNode node_;
    TaskInstance instance_{state_.objects};
    InstanceContext context_{state_, &instance_, &instance_};
};

// x is a global: a table field, as a Tavro variable is a slot of its object.
constexpr const char* kLuaIncrement = "for i = 1, n do x = x + 1 end";
// For reference only: a register, which no Tavro variable is.
constexpr const char* kLuaLocalIncrement = "local x = 0 for i = 1, n do x = x + 1 end";

// Seconds per evaluation, shown with an SI prefix: "8.5n" is 8.5 ns.
void perEvaluation(benchmark::State& state) {
    state.counters["per_eval"] = benchmark::Counter(
        static_cast<double>(kLoopCount),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_TavroIncrement(benchmark::State& state) {
    CompiledExpression increment("x=x+1");
    for (auto _ : state) {
        increment.loop(kLoopCount);
    }
    perEvaluation(state);
}
BENCHMARK(BM_TavroIncrement)->Unit(benchmark::kMillisecond);

void BM_LuaIncrement(benchmark::State& state) {
    LuaLoop increment(kLuaIncrement);
    for (auto _ : state) {
        increment.run(kLoopCount);
    }
    perEvaluation(state);
}
BENCHMARK(BM_LuaIncrement)->Unit(benchmark::kMillisecond);

void BM_LuaLocalIncrement(benchmark::State& state) {
    LuaLoop increment(kLuaLocalIncrement);
    for (auto _ : state) {
        increment.run(kLoopCount);
    }
    perEvaluation(state);
}
BENCHMARK(BM_LuaLocalIncrement)->Unit(benchmark::kMillisecond);

// Both loops alternately in each iteration, so the ratio compares the same moments of the
// same machine. tavro_over_lua below 1 means Tavro is faster.
void BM_IncrementTavroOverLua(benchmark::State& state) {
    CompiledExpression tavroLoop("x=x+1");
    LuaLoop luaLoop(kLuaIncrement);
    const bench::AlternatingTimes times = bench::timeAlternately(
        state, threadSeconds, [&] { tavroLoop.loop(kLoopCount); },
        [&] { luaLoop.run(kLoopCount); });
    state.counters["tavro_over_lua"] = times.first / times.second;
}
BENCHMARK(BM_IncrementTavroOverLua)->Unit(benchmark::kMillisecond);

// Six operators, two functions, three array variables.
void BM_MixedExpression(benchmark::State& state) {
    CompiledExpression mixed("a[2]*3+sin(b[1])-abs(c[0])/4%5<7");
    for (auto _ : state) {
        benchmark::DoNotOptimize(mixed.run());
    }
}
BENCHMARK(BM_MixedExpression);

// Parsing "x=1+1+...+1": a chain of n operators parses in O(n), so the time per term stays
// the same from 50 000 to 200 000 terms (it grew with n while each level scanned the rest).
void BM_ChainParse(benchmark::State& state) {
    const int64_t terms = state.range(0);
    std::string text = "x=1";
    for (int64_t n = 1; n < terms; ++n) {
        text += "+1";
    }
    const TextString source(text.data(), static_cast<int32_t>(text.size()));
    for (auto _ : state) {
        ExprNode node;
        node.parse(source, nullptr, nullptr);
        benchmark::DoNotOptimize(node.operatorCode);
    }
    state.counters["per_term"] = benchmark::Counter(
        static_cast<double>(terms),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ChainParse)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavro
