// The interpreter running whole games: a nested loop against the same loop in Lua 5.4, a
// frame of 10 000 drawing objects, frames of colliding objects, and the memory of creating
// and killing objects frame after frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "alternating_times.h"
#include "host/compositor/pixman_compositor.h"
#include "host/files/game_folder_file_system.h"
#include "lua_loop.h"
#include "render/draw_list.h"
#include "script/engine_state.h"
#include "script/interpreter.h"
#include "script/task_instance.h"
#include "script/task_loader.h"
#include "temporary_game_folder.h"

namespace tavro {
namespace {

// A game whose boot task runs `frameScript` each frame (and `constructorScript` once), in a
// fresh engine state, as the engine starts a game.
class BenchGame {
  public:
    BenchGame(const std::string& frameScript, const std::string& constructorScript = "") {
        folder_.write("boot", "SCRIPT={main.scr};CONSTRACT={ctor.scr};");
        folder_.write("main.scr", frameScript);
        folder_.write("ctor.scr", constructorScript);
    }

    void write(const std::string& name, const std::string& bytes) { folder_.write(name, bytes); }
    void start() {
        loadTaskInto(state_, root(), "boot");
        RegisterInstance(root());
        RunConstructorPass(state_, root());
    }
    // The script side of a frame: the pass, then the draw list emptied as a skipped picture
    // empties it (the compositor's share is measured by the engine draw benchmark).
    void runFrame() {
        RunFramePass(state_, root());
        DiscardDrawList(state_.drawList);
    }
    TaskInstance& root() { return state_.objects.root(); }

  private:
    bench::TemporaryGameFolder folder_;  // first: the current directory while the game runs
    GameFolderFileSystem files_{""};
    PixmanCompositor compositor_;
    EngineState state_{files_, nullptr, compositor_};
};

constexpr const char* kTavroNestedLoop = "loop(1000){loop(1000){x=x+1;}}";
constexpr const char* kLuaNestedLoop = "for i = 1, 1000 do for j = 1, 1000 do x = x + 1 end end";

// Both nested loops alternately in each iteration; tavro_over_lua below 1 means Tavro is
// faster.
void BM_NestedLoopTavroOverLua(benchmark::State& state) {
    BenchGame game(kTavroNestedLoop);
    game.start();
    bench::LuaLoop lua(kLuaNestedLoop);
    const bench::AlternatingTimes times = bench::timeAlternately(
        state, bench::threadSeconds, [&] { game.runFrame(); }, [&] { lua.run(0); });
    state.counters["tavro_over_lua"] = times.first / times.second;
    state.counters["tavro_ms"] = bench::millisecondsPerIteration(state, times.first);
    state.counters["lua_ms"] = bench::millisecondsPerIteration(state, times.second);
}
BENCHMARK(BM_NestedLoopTavroOverLua)->Unit(benchmark::kMillisecond);

// Ten statements per object per frame: assignments, an "if(" with its "else(" and a draw of
// the object's image.
constexpr const char* kObjectScript =
    "a=a+1;b=a*2;if(b%3==0){c=c+1;}else(){c=c-1;}x=x+0.5;y=y-0.5;d=x*y;draw(img);e=a%7+b;";

void BM_TenThousandObjectsFrame(benchmark::State& state) {
    BenchGame game("", "loop(10000){new(\"object.tsk\",0,0);}");
    game.write("object.tsk", "IMAGE={img,object.png};SCRIPT={object.scr};");
    game.write("object.scr", kObjectScript);
    game.start();
    for (auto _ : state) {
        game.runFrame();
    }
    state.counters["objects"] = static_cast<double>(game.root().children.count());
}
BENCHMARK(BM_TenThousandObjectsFrame)->Unit(benchmark::kMillisecond);

// N objects, half boxes and half circles spread over a 640x480 screen, each counting the
// others it touches with batch(colid) every frame.
void BM_CollidingObjectsFrame(benchmark::State& state) {
    const std::string count = std::to_string(state.range(0));
    BenchGame game("", "loop(" + count +
                           "){i=i+1;new(\"box.tsk\",(i*37)%640,(i*91)%480);"
                           "i=i+1;new(\"ball.tsk\",(i*37)%640,(i*91)%480);}");
    game.write("box.tsk", "width=24;height=16;SCRIPT={hit.scr};");
    game.write("ball.tsk", "radius=10;SCRIPT={hit.scr};");
    game.write("hit.scr", "batch(colid){n=n+1;}");
    game.start();
    for (auto _ : state) {
        game.runFrame();
    }
    state.counters["objects"] = static_cast<double>(game.root().children.count());
}
BENCHMARK(BM_CollidingObjectsFrame)->Arg(150)->Arg(500)->Unit(benchmark::kMillisecond);

long residentKiB() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// 1000 objects made and killed every frame for 10 000 frames: resident memory after the
// first 100 frames and after the last, which should be the same.
void BM_CreateAndKillObjects(benchmark::State& state) {
    for (auto _ : state) {
        BenchGame game("loop(1000){new(\"brief.tsk\",0,0);}");
        game.write("brief.tsk", "SCRIPT={brief.scr};");
        game.write("brief.scr", "kill();");
        game.start();
        for (int frame = 0; frame < 100; ++frame) {
            game.runFrame();
        }
        const long warmedUp = residentKiB();
        for (int frame = 100; frame < 10000; ++frame) {
            game.runFrame();
        }
        state.counters["rss_after_100_frames_kib"] = static_cast<double>(warmedUp);
        state.counters["rss_after_10000_frames_kib"] = static_cast<double>(residentKiB());
        state.counters["live_objects"] = static_cast<double>(game.root().children.count());
    }
}
BENCHMARK(BM_CreateAndKillObjects)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace tavro
