// Fuzz target: the author's check (tavro --check) of a game made of any bytes reports without
// crashing or hanging, whatever syntax errors it goes on past.
//
// The input up to its first zero byte is the task file "boot"; the rest is the text of every
// other file the check reads (tasks, scripts, animations, images and sounds alike).
//
// Build and run for ten minutes from the repository root (clang, libFuzzer):
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRO_FUZZ=ON -DTAVRO_BENCH=OFF && cmake
//   --build build-fuzz --target game_check_fuzz -j2 && build-fuzz/tests/fuzz/game_check_fuzz
//   -max_total_time=600 -max_len=2048 tests/fuzz/corpus/game_check

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/audio/mixer.h"
#include "host/compositor/pixman_compositor.h"
#include "shell/game_check.h"
#include "support/game_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    tavro::testing::GameFolder folder;
    folder.files["boot"] = input.substr(0, split);
    folder.anyOtherFile = split == std::string_view::npos ? "" : input.substr(split + 1);
    folder.failing = {"package.ini", "init"};

    tavro::PixmanCompositor compositor;
    tavro::Mixer mixer(16);
    tavro::checkGame(folder, compositor, mixer);
    return 0;
}
