// The whole engine path on the headless host: a script issuing N "draw(" commands of rotated,
// colour-modulated 32×32 sprites each frame → draw list → compositor → present. Reports
// the time per frame for N = 1 000 and 10 000, point and smooth sampling.
#include <benchmark/benchmark.h>

#include <string>

#include "headless_host.h"
#include "host/files/game_folder_file_system.h"
#include "temporary_game_folder.h"

namespace {

using namespace tavro;

constexpr uint64_t kFrames = 30;

// A 32 × 32 opaque BMP: blue-green gradient, written byte by byte.
std::string SpriteBmp() {
    auto le = [](uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return out;
    };
    std::string bmp = "BM" + le(54 + 32 * 32 * 4, 4) + le(0, 4) + le(54, 4);
    bmp += le(40, 4) + le(32, 4) + le(32, 4) + le(1, 2) + le(32, 2) + le(0, 4) +
           le(32 * 32 * 4, 4) + le(0, 4) + le(0, 4) + le(0, 4) + le(0, 4);
    for (uint32_t i = 0; i < 32 * 32; ++i) {
        bmp += le(0xFF000000u | (i % 32) * 8 << 8 | (i / 32) * 8, 4);
    }
    return bmp;
}

void BM_EngineDrawFrame(benchmark::State& state) {
    bench::TemporaryGameFolder folder;
    folder.write("sprite.bmp", SpriteBmp());
    folder.write("boot", "IMAGE={s,sprite.bmp};SCRIPT={main.scr};");
    folder.write("init", state.range(1) != 0 ? "antiAlias=true;" : "");
    folder.write("main.scr", "i=0;x=0;y=0;red=255;green=128;blue=64;alpha=200;loop(" +
                                 std::to_string(state.range(0)) +
                                 "){x=x+7;if(x>640){x=x-640;}y=y+13;if(y>480){y=y-480;}"
                                 "angle=angle+11;draw(s,0,0,1,1);}");
    GameFolderFileSystem files("");
    bench::RunGameFrames(state, files, kFrames);
}
BENCHMARK(BM_EngineDrawFrame)
    ->ArgNames({"draws", "smooth"})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();  // the compositor uses every core

}  // namespace
